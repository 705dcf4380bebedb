// Runs test code in a child process: to stop it dead part-way (a stand-in
// for a power cut), to change its limits, or to run it without root rights,
// which ignore permission bits.
#pragma once

#include <functional>
#include <string>

namespace TestSupport {

// What the child's body returned, or the message of what it threw.
struct TChildOutcome {
  bool Threw = false;
  std::string Text;
};

// Runs the body in a forked child and returns its outcome. A child that
// ends without reporting (it called _exit) gives Threw and a note saying so.
TChildOutcome RunInChild(const std::function<std::string()>& body);

// As RunInChild, but the child first gives up root rights and becomes the
// unprivileged user; when the tests do not run as root, they already are.
TChildOutcome RunUnprivileged(const std::function<std::string()>& body);

// Hands a file or folder to that user (only root can, and only root needs to).
void GiveToUnprivilegedUser(const std::string& path);

}  // namespace TestSupport
