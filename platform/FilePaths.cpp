#include "platform/FilePaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "calendar/Cdatlib.h"
#include "platform/FileFailure.h"

namespace Platform {

std::string FolderOf(const std::string& path) {
  std::string folder = Cdatlib::SplitPath(path).Folder;
  if (folder.empty()) return ".";
  // The root keeps its slash; any other folder loses it.
  if (folder.size() > 1) folder.pop_back();
  return folder;
}

std::string NameOf(const std::string& path) { return Cdatlib::SplitPath(path).Name; }

namespace {

// The same limit the kernel applies when it resolves a path.
constexpr int MaxLinkHops = 40;

bool IsLink(const std::string& path, struct stat& info) {
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::string LinkText(const std::string& link, const struct stat& info) {
  std::vector<char> text(static_cast<std::size_t>(info.st_size) + 256);
  const ssize_t length = ::readlink(link.c_str(), text.data(), text.size());
  if (length < 0) return {};
  return std::string(text.data(), static_cast<std::size_t>(length));
}

}  // namespace

std::string FinalLinkTarget(const std::string& path) {
  std::string current = path;
  struct stat info {};
  for (int hop = 0; hop < MaxLinkHops; ++hop) {
    if (!IsLink(current, info)) return current;
    const std::string text = LinkText(current, info);
    if (text.empty()) return current;
    current = text.front() == '/' ? text : FolderOf(current).append("/").append(text);
  }
  throw EFileFailure(TFileStep::Create, path, ELOOP);
}

}  // namespace Platform
