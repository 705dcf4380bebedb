#include "ReplacementOrder.h"

#include <optional>
#include <set>

namespace Robustness {

namespace {

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/')); }
std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool IsTemporaryOf(const std::string& path, const std::string& target) {
  const std::string prefix = FolderOf(target) + "/." + NameOf(target) + ".tmp-";
  return path.size() == prefix.size() + 6 && path.starts_with(prefix);
}

bool HasFlag(const TSystemCall& call, std::size_t argument, const std::string& flag) {
  return argument < call.Arguments.size() &&
         ("|" + call.Arguments[argument] + "|").find("|" + flag + "|") != std::string::npos;
}

bool RefusedByTheFolder(const std::string& error) { return error == "EACCES" || error == "EPERM" || error == "EROFS"; }

// The path a call opens, with the argument that holds its flags.
std::optional<std::pair<std::string, std::size_t>> OpenedPath(const TSystemCall& call) {
  if (call.Name == "openat") return std::make_pair(call.PathArgument(1), std::size_t{2});
  if (call.Name == "open") return std::make_pair(call.PathArgument(0), std::size_t{1});
  if (call.Name == "creat") return std::make_pair(call.PathArgument(0), std::size_t{99});
  return std::nullopt;
}

std::optional<std::pair<std::string, std::string>> RenamedPaths(const TSystemCall& call) {
  if (call.Name == "rename") return std::make_pair(call.PathArgument(0), call.PathArgument(1));
  if (call.Name == "renameat" || call.Name == "renameat2") {
    return std::make_pair(call.PathArgument(1), call.PathArgument(3));
  }
  return std::nullopt;
}

bool WritesThroughDescriptor(const std::string& name) {
  static const std::set<std::string> Names = {"write",     "pwrite64",  "writev",   "pwritev",        "pwritev2",
                                              "ftruncate", "fallocate", "sendfile", "copy_file_range"};
  return Names.contains(name);
}

bool Flushes(const std::string& name) { return name == "fsync" || name == "fdatasync"; }

// What is known about one temporary file while it is being written.
struct TTemporary {
  bool WrittenSinceFlush = false;
  bool Flushed = false;
};

// Follows one target through the calls.
class TTargetWatch {
 public:
  TTargetWatch(std::string target, TOrderReport& report)
      : target_(std::move(target)), folder_(FolderOf(target_)), report_(report) {}

  void See(const TSystemCall& call, std::size_t index) {
    const std::string where = " (call " + std::to_string(index + 1) + ": " + call.Name + ")";
    if (const auto opened = OpenedPath(call)) return SeeOpen(call, opened->first, opened->second, where);
    if (const auto renamed = RenamedPaths(call)) return SeeRename(call, renamed->first, renamed->second, where);
    const std::string path = call.DescriptorPath(0);
    if (WritesThroughDescriptor(call.Name) && call.Result >= 0) SeeWrite(path, where);
    if (Flushes(call.Name) && call.Result == 0) SeeFlush(path);
    const bool truncates =
        (call.Name == "truncate" && call.PathArgument(0) == target_) || (call.Name == "ftruncate" && path == target_);
    if (truncates && call.Result == 0) Violation("the target was truncated, which a cut would leave empty" + where);
    if ((call.Name == "unlink" || call.Name == "unlinkat") && call.Result == 0) {
      temporaries_.erase(call.PathArgument(call.Name == "unlink" ? 0 : 1));
    }
  }

  void End() {
    if (folderFlushDue_) Violation("the folder was not fsynced after the last rename");
    if (inPlaceUnflushed_) Violation("an in-place rewrite was not fsynced");
    for (const auto& [path, temporary] : temporaries_) Violation("the temporary " + path + " was left behind");
  }

 private:
  void Violation(const std::string& text) { report_.Violations.push_back(NameOf(target_) + ": " + text); }

  void InPlace(const std::string& what) {
    if (!fallback_) return Violation("the target was written in place: " + what);
    inPlaceUnflushed_ = true;
    if (!countedFallback_) ++report_.InPlaceRewrites[target_];
    countedFallback_ = true;
  }

  void SeeOpen(const TSystemCall& call, const std::string& path, std::size_t flags, const std::string& where) {
    if (IsTemporaryOf(path, target_) && HasFlag(call, flags, "O_CREAT")) {
      if (folderFlushDue_) Violation("a new replacement began before the folder was fsynced" + where);
      if (!HasFlag(call, flags, "O_EXCL")) Violation("the temporary was not created new" + where);
      fallback_ = call.Result < 0 && RefusedByTheFolder(call.Error);
      countedFallback_ = false;
      if (call.Result >= 0) temporaries_[path] = {};
      return;
    }
    if (path != target_ || call.Result < 0) return;
    if (HasFlag(call, flags, "O_TRUNC") || call.Name == "creat") {
      Violation("the target was opened to be emptied, which a cut would leave empty" + where);
    }
    if (HasFlag(call, flags, "O_CREAT") && !HasFlag(call, flags, "O_EXCL") && !fallback_) {
      Violation("the target was opened to be created in place" + where);
    }
  }

  void SeeRename(const TSystemCall& call, const std::string& from, const std::string& to, const std::string& where) {
    if (to != target_) return;
    if (call.Result < 0) {
      fallback_ = RefusedByTheFolder(call.Error);
      countedFallback_ = false;
      return;
    }
    const auto temporary = temporaries_.find(from);
    if (!IsTemporaryOf(from, target_) || temporary == temporaries_.end()) {
      Violation("renamed over the target from something not created as its temporary: " + from + where);
    } else if (!temporary->second.Flushed || temporary->second.WrittenSinceFlush) {
      Violation("renamed before the temporary was fsynced" + where);
    }
    if (temporary != temporaries_.end()) temporaries_.erase(temporary);
    ++report_.Replacements[target_];
    folderFlushDue_ = true;
  }

  void SeeWrite(const std::string& path, const std::string& where) {
    if (const auto temporary = temporaries_.find(path); temporary != temporaries_.end()) {
      temporary->second.WrittenSinceFlush = true;
    } else if (path == target_) {
      InPlace("written" + where);
    }
  }

  void SeeFlush(const std::string& path) {
    if (const auto temporary = temporaries_.find(path); temporary != temporaries_.end()) {
      temporary->second.Flushed = true;
      temporary->second.WrittenSinceFlush = false;
    } else if (path == folder_) {
      folderFlushDue_ = false;
    } else if (path == target_) {
      inPlaceUnflushed_ = false;
    }
  }

  std::string target_, folder_;
  TOrderReport& report_;
  std::map<std::string, TTemporary> temporaries_;
  bool folderFlushDue_ = false;
  bool fallback_ = false;  // the folder refused the last temporary or rename
  bool countedFallback_ = false;
  bool inPlaceUnflushed_ = false;
};

}  // namespace

TOrderReport CheckReplacements(const std::vector<TSystemCall>& calls, const std::vector<std::string>& targets) {
  TOrderReport report;
  std::vector<TTargetWatch> watches;
  watches.reserve(targets.size());
  for (const std::string& target : targets) watches.emplace_back(target, report);
  for (std::size_t i = 0; i < calls.size(); ++i) {
    for (TTargetWatch& watch : watches) watch.See(calls[i], i);
  }
  for (TTargetWatch& watch : watches) watch.End();
  return report;
}

}  // namespace Robustness
