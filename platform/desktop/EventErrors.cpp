#include "platform/desktop/EventErrors.h"

#include <cstdio>
#include <stdexcept>

#include "platform/desktop/ErrorBoxes.h"

namespace Desktop {

void ReportEventError(const std::exception_ptr& error) noexcept {
  std::string message = "Unknown error";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
  }
  try {
    ShowErrorBox(message);
  } catch (...) {
    std::fprintf(stderr, "%s\n", message.c_str());
  }
}

}  // namespace Desktop
