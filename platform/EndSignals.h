// The end signals (SIGTERM, SIGHUP, SIGINT) while the program starts. Until
// the start-up begins to write its files, one ends the program at once with
// exit code 1: nothing has been written, and a start held up by a slow or
// strange file must not outlive a shutdown. From then on they wait for the
// event loop, which ends the run in order.
#pragma once

#include <csignal>

namespace Platform {

inline constexpr int EndSignals[] = {SIGTERM, SIGHUP, SIGINT};

// Installs the end-at-once handler for each end signal; called first thing.
void EndAtOnceOnEndSignals();

// The start-up is about to write: later end signals must not cut it short.
void StartUpWritesBegin() noexcept;

// For every end-signal handler, first: ends the process with exit code 1
// while the start-up has not begun to write. Async-signal-safe.
void EndAtOnceBeforeWrites() noexcept;

}  // namespace Platform
