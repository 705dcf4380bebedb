// The one place where errors that escape an event handler end up: they are
// shown in the error box and the program goes on.
#pragma once

#include <exception>
#include <utility>

namespace Desktop {

// Shows the error in the error box. Errors that are no std::exception show
// a generic text.
void ReportEventError(const std::exception_ptr& error) noexcept;

// Runs a handler; what it throws is reported, not passed on into the toolkit.
template <typename Handler>
void RunHandler(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    ReportEventError(std::current_exception());
  }
}

}  // namespace Desktop
