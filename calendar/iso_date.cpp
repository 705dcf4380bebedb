// Reading of "yyyy-mm-dd" texts into dates.
#include "calendar/Cdatlib.h"

namespace Cdatlib {

bool ParseIsoDate(const std::string& text, TCalDate& date) {
  if (text.size() < 10) return false;
  // The placeholder that empty date boxes show.
  if (SameIgnoringAsciiCase(text, "yyyy-mm-dd")) return false;

  // The separators and anything after the day are not looked at.
  const std::string_view view(text);
  int32_t year = 0, month = 0, day = 0;
  if (!ConvertInteger(view.substr(0, 4), year) || !ConvertInteger(view.substr(5, 2), month) ||
      !ConvertInteger(view.substr(8, 2), day)) {
    return false;
  }
  // Each field keeps its value modulo 65536, so "-1" becomes 65535.
  date = {static_cast<uint16_t>(year), static_cast<uint16_t>(month), static_cast<uint16_t>(day)};
  return true;
}

TCalDate DateFromIsoText(const std::string& text) {
  TCalDate date{0, 0, 0};
  return ParseIsoDate(text, date) ? date : TCalDate{0, 0, 0};
}

}  // namespace Cdatlib
