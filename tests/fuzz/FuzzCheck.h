// How a harness reports a broken property: the message goes to the error
// stream, then the process aborts, so that libFuzzer keeps the input and the
// corpus replay names the file that broke it.
#pragma once

#include <string>

namespace Fuzz {

// The input being replayed, when a replay runs the harness; empty under libFuzzer.
extern std::string CurrentInputName;

[[noreturn]] void Fail(const std::string& message);

}  // namespace Fuzz

#define FUZZ_REQUIRE(condition, message)                                                 \
  do {                                                                                   \
    if (!(condition)) ::Fuzz::Fail(std::string(#condition ": ") + std::string(message)); \
  } while (false)
