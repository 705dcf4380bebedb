// The program file's last-modification time as a serial date-time value
// (days from 1899-12-30, the fraction the local time of day).
#pragma once

#include <stdexcept>
#include <string>

#include "calendar/Cdatlib.h"

namespace Monitor {

// A time that cannot be read or put into a date.
class EDateEncodeError : public std::runtime_error {
 public:
  EDateEncodeError() : std::runtime_error("Invalid argument to date encode") {}
};

// Throws EDateEncodeError when the file's time cannot be read.
double FileModifiedValue(const std::string& path);

// About shows the program path with A to Z lower-cased: Cdatlib's one rule.
using Cdatlib::AsciiLowerCase;

}  // namespace Monitor
