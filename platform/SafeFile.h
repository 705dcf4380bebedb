// Replaces a file's whole content so that a power cut at any instant leaves
// either the complete old or the complete new file, never an empty or torn one.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace Platform {

// Writes the content to a temporary file beside the target, flushes it to
// disk, renames it over the target and flushes the folder. Links are
// followed (the link stays), the target's permission bits are kept, and
// temporaries of earlier interrupted writes are removed. A target that
// exists but cannot be written fails and stays as it was; when only the
// folder refuses new files, a writable target is rewritten in place.
// Throws EFileFailure: Create when the file cannot be created, opened for
// writing or replaced; Write when writing or flushing the content fails.
void ReplaceFileContent(const std::string& path, std::string_view content);

// The points of a replacement after which a fault can be injected.
enum class TWriteStep { TempCreated, PartlyWritten, Written, Flushed, Renamed };

// Called after each step of every replacement; a test makes it throw or end
// the process to stop a write part-way. An empty hook injects nothing.
using TWriteStepHook = std::function<void(TWriteStep)>;
void SetWriteStepHook(TWriteStepHook hook);

}  // namespace Platform
