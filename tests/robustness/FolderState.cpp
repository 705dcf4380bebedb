#include "FolderState.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/FolderLock.h"

namespace PowerCut {

namespace {

TFileState ReadFileState(const std::string& path) {
  TFileState state;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return state;
  std::ifstream in(path, std::ios::binary);
  if (!in) return state;
  state.Present = true;
  state.Identity = {info.st_ino, info.st_ctim.tv_sec, info.st_ctim.tv_nsec};
  state.Bytes.assign(std::istreambuf_iterator<char>(in), {});
  return state;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::vector<std::string> LinesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      line.push_back(c);
      continue;
    }
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

TFolderState ReadFolderState(const std::string& folder, const std::string& programName) {
  TFolderState state;
  state.Checkpoint = ReadFileState(folder + "/CHKPT.INI");
  state.Log = ReadFileState(folder + "/triplog.txt");
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != programName && name != "CHKPT.INI" && name != "triplog.txt" && name != Platform::FolderLockName) {
      state.OtherNames.push_back(name);
    }
  }
  return state;
}

TCheckpointKeys CheckpointKeysOf(const std::string& bytes) {
  TCheckpointKeys keys;
  bool inMain = false;
  for (const std::string& line : LinesOf(bytes)) {
    if (!line.empty() && line.front() == '[') {
      if (inMain) break;  // only the first section of that name counts
      inMain = SameName(line, "[main]");
      continue;
    }
    const auto equals = line.find('=');
    if (!inMain || equals == std::string::npos) continue;
    const std::string name = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (SameName(name, "TripStatus") && !keys.Status) keys.Status = value;
    if (SameName(name, "TripTS") && !keys.Stamp) keys.Stamp = value;
  }
  return keys;
}

}  // namespace PowerCut
