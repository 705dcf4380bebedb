// A fresh folder under /tmp for one test, removed with everything in it when
// the test ends, and plain byte-for-byte file helpers that bypass the code
// under test.
#pragma once

#include <string>
#include <vector>

namespace TestSupport {

class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
std::vector<std::string> EntryNames(const std::string& folder);  // sorted
// The same names on one line, each followed by a space.
std::string EntryList(const std::string& folder);
unsigned PermissionBits(const std::string& path);

}  // namespace TestSupport
