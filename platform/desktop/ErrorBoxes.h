// The program's error boxes: the one for errors that escape an event
// handler, and the one that ends a failed start.
#pragma once

#include <string>

namespace Desktop {

// The two boxes end their messages differently. An event error gets a "."
// only when its last character sorts above "." (so "!", ")" or a blank stay as
// they are); the start-up error gets one whenever it does not already end
// with a ".".
std::string WithPeriodWhenEndingAboveDot(std::string message);
std::string WithPeriodWhenNotEndingInDot(std::string message);

// "Exception KIND in module MODULE at ADDRESS." and the message on the next line.
std::string StartupErrorText(const std::string& kind, const std::string& module, const void* address,
                             const std::string& message);

// Modal box: error icon, one OK button, ApplicationTitle as caption. Returns
// at once; the box stays until it is answered.
void ShowErrorBox(const std::string& message);

// Modal box captioned "Application Error" with StartupErrorText; returns
// when it is answered (or the program is told to end).
void ShowStartupErrorBox(const std::string& text);

// The box of a start that is refused before it touches anything: error icon,
// ApplicationTitle as caption; returns when it is answered. The text goes to
// the standard error stream too.
void ShowRefusedStartBox(const std::string& text);

}  // namespace Desktop
