// Cdatlib: dates across a configurable Julian-Gregorian transition, clock
// readings and the texts made from them, and the small text helpers the
// windows share. Plain C++ on byte strings; no GUI toolkit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Cdatlib {

// ---- Records -------------------------------------------------------------

// Any 16-bit values may stand in the fields; only IsPlausibleDate judges them.
struct TCalDate {
  uint16_t Year, Month, Day;
};

struct TClockTime {
  uint16_t Hour, Minute, Second;
};

struct TCalDateTime {
  TCalDate Date;
  TClockTime Time;
};

using TStampStyle = int32_t;

// One reading of the local clock, millisecond included, before any rounding.
struct TClockReading {
  TCalDate Date;
  TClockTime Time;
  uint16_t Millisecond;
};

// ---- Module state --------------------------------------------------------
// These hold their start values before any call; Initialize() restores them.

extern TStampStyle StampStyle;  // 0..4 pick a StampText style; others give "?"
extern char PadChar;            // fill of every number in date and time texts
extern TCalDate LastJulianDay;
extern TCalDate FirstGregorianDay;
extern int32_t LastJulianDayNumber;  // JulianDayCount(LastJulianDay), kept by SetTransition
extern uint16_t MonthLengths[13];    // scratch table filled by PrepareMonthLengths
extern const uint16_t StandardMonthLengths[13];
extern bool CloseOnPick;           // the calendar dialog closes on a grid pick
extern std::string ProgramFolder;  // folder of the program file, with trailing '/'

// Applies the module start: style 1, pad '0', transition 1752-09-02 /
// 1752-09-14, ProgramFolder of the running binary, CloseOnPick false.
void Initialize();

// ---- Clock readings and timestamp texts ----------------------------------

std::string PadNumber(int32_t value, int32_t width);
std::string MonthName(int32_t month);  // "" outside 1..12
std::string DayName(int32_t day);      // 1 = Monday; "" outside 1..7
std::string ShortDayName(int32_t day);

TClockReading ReadLocalClock();  // one platform reading
// The local wall-clock reading, in the process's time zone, of an instant
// given as seconds and nanoseconds since 1970-01-01 00:00 UTC.
TClockReading ReadingOfInstant(int64_t seconds, int64_t nanoseconds);
TCalDateTime StampOfReading(const TClockReading& r);  // with the half-second step
TCalDate Today();
TClockTime TimeNow();
TCalDateTime NowStamp();  // date and time from the same reading

// Serial values count days from 1899-12-30; the fraction is the time of day.
// Values below 0, not finite, or past 9999-12-31 give the empty date and 00:00:00.
TCalDate DateFromValue(double value);
TClockTime TimeFromValue(double value);
TCalDateTime StampFromValue(double value);

// Proleptic Gregorian days from 1970-01-01, whatever the transition, as the
// system's clock counts them. UnixDayOfDate takes a real date; DateOfUnixDay
// gives the empty date outside the years 1..9999.
int64_t UnixDayOfDate(TCalDate date);
TCalDate DateOfUnixDay(int64_t day);

std::string IsoDateText(TCalDate date);
std::string DateWithShortWeekday(TCalDate date);
std::string ShortTimeText(TClockTime time);
std::string TimeText(TClockTime time);
std::string CompactStampText(TCalDateTime stamp);
std::string StampText(TCalDateTime stamp);  // in the StampStyle of the moment
std::string StampTextOfValue(double value);

// ---- Dates and the transition --------------------------------------------

// The quotient rounded down, for negative values too (plain "/" rounds
// towards zero). The divisor must be positive.
constexpr int64_t FloorDiv(int64_t value, int64_t divisor) { return value / divisor - (value % divisor < 0 ? 1 : 0); }

// Months counted on one line, year * 12 + month - 1, so that the months
// between two dates are a difference; and the first day of such a month.
constexpr int64_t MonthIndex(TCalDate date) { return int64_t{date.Year} * 12 + date.Month - 1; }
constexpr TCalDate FirstOfMonthIndex(int64_t index) {
  return {static_cast<uint16_t>(FloorDiv(index, 12)), static_cast<uint16_t>(index - FloorDiv(index, 12) * 12 + 1), 1};
}

int32_t CompareDates(TCalDate a, TCalDate b);  // -1, 0, 1
bool SameDate(TCalDate a, TCalDate b);
bool DateAfter(TCalDate a, TCalDate b);
bool DateBefore(TCalDate a, TCalDate b);
bool DateNotAfter(TCalDate a, TCalDate b);

bool IsJulianLeapYear(int32_t year);
bool IsGregorianLeapYear(int32_t year);

enum class TLeapRule { Julian, Gregorian };
// Days in month 1..12 of the year under the rule's leap years; 0 for other months.
int32_t DaysInMonth(int32_t year, int32_t month, TLeapRule rule);
// Fills MonthLengths by the rule of the transition's side the date lies on.
void PrepareMonthLengths(TCalDate date);
int32_t JulianDayCount(TCalDate date);
void SetTransition(TCalDate lastJulian);
// Makes the pair the transition of the whole library.
void ApplyTransition(TCalDate lastJulian, TCalDate firstGregorian);
int32_t DaysFromFirstGregorian(TCalDate date);
int32_t DayNumber(TCalDate date);  // -1 for year 0
int32_t WeekdayOf(TCalDate date);  // 1 = Monday .. 7 = Sunday; 0 for year 0

void NextDay(TCalDate& date);
void NextMonth(TCalDate& date);
void PrevMonth(TCalDate& date);
void NextYear(TCalDate& date);
void PrevYear(TCalDate& date);

bool IsPlausibleDate(TCalDate date);
bool ParseIsoDate(const std::string& text, TCalDate& date);
TCalDate DateFromIsoText(const std::string& text);

// ---- Text helpers --------------------------------------------------------

// The program's one integer conversion: leading spaces, an optional sign, then
// decimal digits (-2147483648..2147483647) or hex digits after "$", "x", "X",
// "0x" or "0X" that make a 32-bit pattern (leading zeros do not count against
// its eight places). Nothing may follow the digits.
// Gives false and leaves value alone when the text does not convert.
bool ConvertInteger(std::string_view text, int32_t& value);

bool TryParseIntEmptyZero(const std::string& text, int32_t& value);
bool DoubleAmpersands(std::string& text);

// Letter case of ASCII letters; every other byte, UTF-8 included, stays.
char AsciiUpper(char c);
std::string AsciiLowerCase(std::string text);
void UpperCaseInPlace(std::string& text);
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// A path cut after its last "/": the folder with that slash ("" when the path
// has none) and the name after it.
struct TPathParts {
  std::string Folder, Name;
};
TPathParts SplitPath(const std::string& path);

std::string ApplicationTitle();
// The rule behind ApplicationTitle, for any program path; ProgramFolder is
// SplitPath's folder of the running program.
std::string TitleOfPath(const std::string& programPath);
std::string RunningProgramPath();

}  // namespace Cdatlib
