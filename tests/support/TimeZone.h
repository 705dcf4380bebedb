// A time zone of the test's own while it lives, then the process's again.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace TestSupport {

struct TTimeZone {
  explicit TTimeZone(const char* zone) : Previous(std::getenv("TZ") ? std::getenv("TZ") : "") { Set(zone); }
  ~TTimeZone() { Set(Previous.empty() ? nullptr : Previous.c_str()); }
  static void Set(const char* zone) {
    zone ? ::setenv("TZ", zone, 1) : ::unsetenv("TZ");
    ::tzset();
  }
  std::string Previous;  // empty: none was set
};

}  // namespace TestSupport
