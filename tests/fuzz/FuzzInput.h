// Takes a harness's input apart: numbers from its front, texts up to a
// separator byte, and whatever is left. Reads past the end give zeros and
// empty texts, so every input is a valid case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Fuzz {

class TFuzzInput {
 public:
  TFuzzInput(const uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

  uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto value = static_cast<uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return value;
  }

  uint16_t Word() {
    const uint16_t high = Byte();
    return static_cast<uint16_t>(high << 8 | Byte());
  }

  // The bytes up to the next separator, which is dropped.
  std::string Text(char separator = '\0') {
    const std::size_t end = rest_.find(separator);
    std::string text(rest_.substr(0, end));
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return text;
  }

  std::string Rest() {
    std::string text(rest_);
    rest_ = {};
    return text;
  }

 private:
  std::string_view rest_;
};

}  // namespace Fuzz
