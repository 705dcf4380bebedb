#include "platform/EndSignals.h"

#include <unistd.h>

#include <atomic>

namespace Platform {

namespace {

// Lock-free, so that a handler on any thread may read it.
std::atomic<bool> WritesBegun{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnEndSignalAtStart(int /*signalNumber*/) { EndAtOnceBeforeWrites(); }

}  // namespace

void EndAtOnceOnEndSignals() {
  struct sigaction action {};
  action.sa_handler = OnEndSignalAtStart;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signalNumber : EndSignals) sigaction(signalNumber, &action, nullptr);
}

void StartUpWritesBegin() noexcept { WritesBegun.store(true); }

void EndAtOnceBeforeWrites() noexcept {
  if (!WritesBegun.load()) ::_exit(1);
}

}  // namespace Platform
