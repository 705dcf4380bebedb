// Month and day names, padded numbers and the timestamp texts.
#include <array>

#include "calendar/Cdatlib.h"

namespace Cdatlib {

namespace {

constexpr std::array<const char*, 12> MonthNames = {"January",   "February", "March",    "April",
                                                    "May",       "June",     "July",     "August",
                                                    "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> DayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                 "Friday", "Saturday", "Sunday"};

}  // namespace

std::string PadNumber(int32_t value, int32_t width) {
  std::string text = std::to_string(value);
  if (width > static_cast<int32_t>(text.size())) text.insert(0, static_cast<size_t>(width) - text.size(), PadChar);
  return text;
}

std::string MonthName(int32_t month) { return month >= 1 && month <= 12 ? MonthNames[month - 1] : ""; }

std::string DayName(int32_t day) { return day >= 1 && day <= 7 ? DayNames[day - 1] : ""; }

std::string ShortDayName(int32_t day) { return DayName(day).substr(0, 3); }

std::string IsoDateText(TCalDate date) {
  return PadNumber(date.Year, 4) + "-" + PadNumber(date.Month, 2) + "-" + PadNumber(date.Day, 2);
}

std::string DateWithShortWeekday(TCalDate date) { return IsoDateText(date) + "  " + ShortDayName(WeekdayOf(date)); }

std::string ShortTimeText(TClockTime time) { return PadNumber(time.Hour, 2) + ":" + PadNumber(time.Minute, 2); }

std::string TimeText(TClockTime time) { return ShortTimeText(time) + ":" + PadNumber(time.Second, 2); }

std::string CompactStampText(TCalDateTime stamp) {
  // Fields above 99 run into their neighbours' digits; the sums stay inside
  // 32 bits even for 16-bit maxima (65535 * 10000 + 65535 * 100 + 65535).
  const TCalDate& d = stamp.Date;
  const TClockTime& t = stamp.Time;
  return PadNumber(d.Day + 100 * d.Month + 10000 * d.Year, 8) +
         PadNumber(t.Second + 100 * t.Minute + 10000 * t.Hour, 6);
}

std::string StampText(TCalDateTime stamp) {
  switch (StampStyle) {
    case 0: return CompactStampText(stamp);
    case 1: return IsoDateText(stamp.Date) + " " + TimeText(stamp.Time);
    case 2: return IsoDateText(stamp.Date) + " " + ShortTimeText(stamp.Time);
    case 3:
      return IsoDateText(stamp.Date) + " (" + ShortDayName(WeekdayOf(stamp.Date)) + ") " + ShortTimeText(stamp.Time);
    case 4: return IsoDateText(stamp.Date) + " (" + DayName(WeekdayOf(stamp.Date)) + ") " + ShortTimeText(stamp.Time);
    default: return "?" + CompactStampText(stamp);
  }
}

std::string StampTextOfValue(double value) { return StampText(StampFromValue(value)); }

}  // namespace Cdatlib
