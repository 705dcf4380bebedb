#include "TempFolder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace TestSupport {

namespace fs = std::filesystem;

TTempFolder::TTempFolder() {
  std::string pattern = "/tmp/tallyvane-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  // Open to all, so that a test can hand parts of it to an unprivileged user.
  ::chmod(path_.c_str(), 0755);
}

TTempFolder::~TTempFolder() {
  std::error_code ignored;
  // Tests take rights away; give them back so that everything can go.
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
    if (!entry.is_symlink()) ::chmod(entry.path().c_str(), 0700);
  }
  fs::remove_all(path_, ignored);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> EntryNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string EntryList(const std::string& folder) {
  std::string list;
  for (const std::string& name : EntryNames(folder)) list += name + " ";
  return list;
}

unsigned PermissionBits(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) throw std::runtime_error("cannot stat " + path);
  return info.st_mode & 07777;
}

}  // namespace TestSupport
