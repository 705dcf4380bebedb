// A time zone for the process while a test reads local times, put back after.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace TestSupport {

class TTimeZone {
 public:
  explicit TTimeZone(const char* zone) {
    if (const char* before = std::getenv("TZ")) before_ = before;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TTimeZone() {
    before_ ? setenv("TZ", before_->c_str(), 1) : unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> before_;
};

}  // namespace TestSupport
