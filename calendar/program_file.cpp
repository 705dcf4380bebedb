// The program file's folder and the title derived from its name.
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "calendar/Cdatlib.h"

namespace Cdatlib {

namespace {

// The user's character encoding; a plain C locale is taken as UTF-8, which
// is what file names on a Linux desktop are in.
locale_t TitleLocale() {
  static const locale_t locale = [] {
    locale_t chosen = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (chosen != nullptr && std::strcmp(nl_langinfo_l(CODESET, chosen), "ANSI_X3.4-1968") != 0) return chosen;
    if (chosen != nullptr) freelocale(chosen);
    chosen = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return chosen != nullptr ? chosen : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
  }();
  return locale;
}

// Lower-cases every character after the first, by whole characters of the
// encoding; bytes that form no character are kept as they are.
std::string LowerAfterFirstCharacter(const std::string& text) {
  const locale_t previous = uselocale(TitleLocale());
  std::string result;
  std::mbstate_t state{};
  bool first = true;
  for (size_t pos = 0; pos < text.size();) {
    wchar_t wide = 0;
    const size_t length = std::mbrtowc(&wide, text.data() + pos, text.size() - pos, &state);
    if (length == static_cast<size_t>(-1) || length == static_cast<size_t>(-2) || length == 0) {
      result += text[pos++];
      state = {};
      first = false;
      continue;
    }
    char encoded[MB_LEN_MAX];
    std::mbstate_t outState{};
    const size_t outLength = first ? static_cast<size_t>(-1) : std::wcrtomb(encoded, std::towlower(wide), &outState);
    if (outLength == static_cast<size_t>(-1)) {
      result.append(text, pos, length);
    } else {
      result.append(encoded, outLength);
    }
    pos += length;
    first = false;
  }
  uselocale(previous);
  return result;
}

}  // namespace

std::string RunningProgramPath() {
  std::string path(PATH_MAX, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0) return {};
  path.resize(static_cast<size_t>(length));
  return path;
}

std::string TitleOfPath(const std::string& programPath) {
  std::string name = SplitPath(programPath).Name;
  if (const size_t dot = name.find('.'); dot != std::string::npos) name.resize(dot);
  return LowerAfterFirstCharacter(name);
}

std::string ApplicationTitle() { return TitleOfPath(RunningProgramPath()); }

}  // namespace Cdatlib
