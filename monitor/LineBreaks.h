// The trip log's line breaks: every CR LF, lone CR and lone LF of a loaded
// file becomes CR LF; an LF followed by a CR is two breaks.
#pragma once

#include <string>
#include <string_view>

namespace Monitor {

std::string WithCrLfBreaks(std::string_view text);

}  // namespace Monitor
