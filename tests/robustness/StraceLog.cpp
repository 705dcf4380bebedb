#include "StraceLog.h"

#include <map>
#include <regex>
#include <sstream>

namespace Robustness {

namespace {

// Splits "a, "b,c", {d, e}" at the commas that stand outside quotes and brackets.
std::vector<std::string> SplitArguments(const std::string& text) {
  std::vector<std::string> arguments;
  std::string current;
  int depth = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      current.push_back(c);
      if (c == '\\' && i + 1 < text.size()) {
        current.push_back(text[++i]);
      } else if (c == '"') {
        quoted = false;
      }
      continue;
    }
    if (c == '"') quoted = true;
    if (c == '(' || c == '[' || c == '{' || c == '<') ++depth;
    if (c == ')' || c == ']' || c == '}' || c == '>') --depth;
    if (c == ',' && depth == 0) {
      arguments.push_back(current);
      current.clear();
      if (i + 1 < text.size() && text[i + 1] == ' ') ++i;
      continue;
    }
    current.push_back(c);
  }
  if (!current.empty()) arguments.push_back(current);
  return arguments;
}

// The path inside "N<path>" or "N<path>(deleted)".
std::string PathOfDescriptor(const std::string& text) {
  const auto open = text.find('<');
  const auto close = text.rfind('>');
  if (open == std::string::npos || close == std::string::npos || close < open) return "";
  return text.substr(open + 1, close - open - 1);
}

// Where the argument list ends: the ")" that closes the one after the name.
std::size_t ClosingParenthesis(const std::string& line, std::size_t open) {
  int depth = 0;
  bool quoted = false;
  for (std::size_t i = open; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        quoted = false;
      continue;
    }
    if (c == '"') quoted = true;
    if (c == '(') ++depth;
    if (c == ')' && --depth == 0) return i;
  }
  return std::string::npos;
}

bool ParseCall(int pid, const std::string& body, TSystemCall& call) {
  static const std::regex Result(" += (-?[0-9]+)(<[^ ]*>)?(\\(deleted\\))?( ([A-Z0-9]+) \\(.*\\))?.*");
  const auto open = body.find('(');
  if (open == std::string::npos) return false;
  const auto close = ClosingParenthesis(body, open);
  if (close == std::string::npos) return false;
  call.Pid = pid;
  call.Name = body.substr(0, open);
  call.Arguments = SplitArguments(body.substr(open + 1, close - open - 1));
  std::smatch match;
  const std::string rest = body.substr(close + 1);
  if (!std::regex_match(rest, match, Result)) return false;
  call.Result = std::stol(match[1]);
  if (match[2].matched) call.ResultPath = PathOfDescriptor(match[2]);
  if (match[5].matched) call.Error = match[5];
  return true;
}

}  // namespace

std::string TSystemCall::DescriptorPath(std::size_t argument) const {
  return argument < Arguments.size() ? PathOfDescriptor(Arguments[argument]) : "";
}

std::string TSystemCall::PathArgument(std::size_t argument) const {
  if (argument >= Arguments.size()) return "";
  const std::string& text = Arguments[argument];
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return "";
  return text.substr(1, text.size() - 2);
}

std::vector<TSystemCall> ParseStraceLog(const std::string& text) {
  static const std::regex Unfinished("(.*) <unfinished \\.\\.\\.>");
  static const std::regex Resumed("<\\.\\.\\. [a-z0-9_]+ resumed>(.*)");
  std::vector<TSystemCall> calls;
  std::map<int, std::string> pending;  // the first half of each split call, by process
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    int pid = 0;
    if (!(fields >> pid)) continue;
    std::string body;
    std::getline(fields >> std::ws, body);
    std::smatch match;
    if (std::regex_match(body, match, Unfinished)) {
      pending[pid] = match[1];
      continue;
    }
    if (std::regex_match(body, match, Resumed)) {
      body = pending[pid] + std::string(match[1]);
      pending.erase(pid);
    }
    TSystemCall call;
    if (ParseCall(pid, body, call)) calls.push_back(call);
  }
  return calls;
}

}  // namespace Robustness
