// The trip log's line breaks: every CR LF, lone CR and lone LF of a loaded
// file becomes CR LF; an LF followed by a CR is two breaks.
#pragma once

#include <string>

namespace Monitor {

std::string WithCrLfBreaks(std::string text);

}  // namespace Monitor
