#include "platform/TempFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/FilePaths.h"

namespace Platform {

namespace {

constexpr const char* TempMarker = ".tmp-";
constexpr std::size_t RandomPartLength = 6;

std::string TempNamePrefix(const std::string& target) { return "." + NameOf(target) + TempMarker; }

bool IsTempName(const std::string& name, const std::string& prefix) {
  return name.size() == prefix.size() + RandomPartLength && name.starts_with(prefix);
}

std::vector<std::string> EntriesOf(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  // The stream is this call's own, so readdir is safe; readdir_r is deprecated.
  // cppcheck-suppress readdirCalled
  while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
  ::closedir(dir);
  return names;
}

// ".NAME.tmp-" in the target's folder; every temporary of the target starts
// with it and ends in six random characters.
std::string TempPathPrefix(const std::string& target) { return FolderOf(target) + "/" + TempNamePrefix(target); }

}  // namespace

TUniqueFd CreateTempBeside(const std::string& target, std::string& tempPath) {
  std::string pattern = TempPathPrefix(target) + std::string(RandomPartLength, 'X');
  TUniqueFd fd(::mkostemp(pattern.data(), O_CLOEXEC));
  if (fd.Valid()) tempPath = pattern;
  return fd;
}

void RemoveLeftoverTemps(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string prefix = TempNamePrefix(target);
  for (const std::string& name : EntriesOf(folder)) {
    if (IsTempName(name, prefix)) ::unlink((folder + "/").append(name).c_str());
  }
}

}  // namespace Platform
