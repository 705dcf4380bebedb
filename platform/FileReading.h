// Whole-file reads that nothing can hold up: the file is opened without
// blocking, must be a regular file, and is read only up to a limit.
#pragma once

#include <cstddef>
#include <string>

namespace Platform {

// The file's whole content, at most `limit` bytes. Links are followed.
// Throws EFileFailure: Open when the file cannot be opened (ENOENT when it is
// missing, EISDIR for a folder), is no regular file (a pipe or a device,
// which could block or never end) or holds more than `limit` bytes; Read
// when reading fails part-way.
// `room` is capacity beyond the content, for a text that is then changed in
// place; its pages cost nothing until they are written.
std::string ReadWholeFile(const std::string& path, std::size_t limit, std::size_t room = 0);

}  // namespace Platform
