// The date routines with any field values and any transition: day numbers
// and Gregorian day counts against the loops that count day by day
// (LoopCalendar), weekdays, month lengths, and the stepping routines against
// their rules. A transition comes from the usual national presets, whose
// loops are remembered for every date, or from any six 16-bit fields, whose
// loop is run for dates it reaches within a bounded number of steps.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "calendar/Cdatlib.h"
#include "dialogs/cal/Transition.h"
#include "support/CalDates.h"
#include "support/LoopCalendar.h"

namespace {

using Cdatlib::TCalDate;

struct TTransition {
  TCalDate lastJulian, firstGregorian;
};

// Enough for a century and more past the first Gregorian day.
constexpr int32_t LoopStepLimit = 50000;

std::string Shown(TCalDate d) {
  return std::to_string(d.Year) + "-" + std::to_string(d.Month) + "-" + std::to_string(d.Day);
}

std::string Case(const TTransition& t, TCalDate d) {
  return "date " + Shown(d) + " transition " + Shown(t.lastJulian) + " / " + Shown(t.firstGregorian);
}

const LoopCalendar::RememberedLoops& LoopsOfPreset(std::size_t index) {
  static std::map<std::size_t, std::unique_ptr<LoopCalendar::RememberedLoops>> loops;
  auto& slot = loops[index];
  if (!slot) slot = std::make_unique<LoopCalendar::RememberedLoops>();
  return *slot;
}

// The day-by-day count from FirstGregorianDay, when it ends within the limit.
std::optional<int32_t> BoundedLoopCount(TCalDate d) {
  d = LoopCalendar::Capped(d);
  TCalDate cursor = Cdatlib::FirstGregorianDay;
  int32_t count = 0;
  while (Cdatlib::DateNotAfter(cursor, d)) {
    if (count == LoopStepLimit) return std::nullopt;
    ++count;
    const TCalDate before = cursor;
    Cdatlib::NextDay(cursor);
    if (Cdatlib::DateBefore(cursor, before)) break;
  }
  return count;
}

// What the loops say of the date: nothing when they would not end in time.
struct TLoopAnswer {
  std::optional<int32_t> Count;   // DaysFromFirstGregorian
  std::optional<int32_t> Number;  // DayNumber
};

TLoopAnswer LoopAnswer(std::optional<std::size_t> preset, TCalDate d) {
  if (preset) {
    const auto& loops = LoopsOfPreset(*preset);
    return {loops.DaysFromFirstGregorian(d), loops.DayNumber(d)};
  }
  TLoopAnswer answer{BoundedLoopCount(d), std::nullopt};
  if (!answer.Count) return answer;
  // DayNumber first moves a skipped day back to the last Julian day and
  // counts from there, so the bounded loop is asked again for that date.
  bool reached = true;
  const int32_t number = LoopCalendar::DayNumberWith(d, LoopCalendar::JulianDayCount, [&](TCalDate x) {
    const auto count = BoundedLoopCount(x);
    reached = reached && count.has_value();
    return count.value_or(0);
  });
  if (reached) answer.Number = number;
  return answer;
}

void CheckDayNumbers(const TTransition& t, std::optional<std::size_t> preset, TCalDate d) {
  const std::string why = Case(t, d);
  const TLoopAnswer loop = LoopAnswer(preset, d);
  if (loop.Count) {
    const int32_t count = Cdatlib::DaysFromFirstGregorian(d);
    FUZZ_REQUIRE(count == *loop.Count,
                 why + ": DaysFromFirstGregorian " + std::to_string(count) + " loop " + std::to_string(*loop.Count));
  }
  const int32_t number = Cdatlib::DayNumber(d);
  if (loop.Number) {
    FUZZ_REQUIRE(number == *loop.Number,
                 why + ": DayNumber " + std::to_string(number) + " loop " + std::to_string(*loop.Number));
  }
  const int32_t julian = Cdatlib::JulianDayCount(d);
  FUZZ_REQUIRE(julian == LoopCalendar::JulianDayCount(d), why + ": JulianDayCount " + std::to_string(julian));

  const int32_t weekday = Cdatlib::WeekdayOf(d);
  if (d.Year == 0) {
    FUZZ_REQUIRE(number == -1 && weekday == 0, why);
  } else {
    FUZZ_REQUIRE(number >= 0, why + ": DayNumber " + std::to_string(number));
    FUZZ_REQUIRE(weekday == (number + 4) % 7 + 1, why + ": WeekdayOf " + std::to_string(weekday));
  }
}

void CheckMonthLengths(TCalDate d) {
  Cdatlib::PrepareMonthLengths(d);
  const bool julian = Cdatlib::DateNotAfter(d, Cdatlib::LastJulianDay);
  const bool leap = julian ? d.Year % 4 == 0 : Cdatlib::IsGregorianLeapYear(d.Year);
  for (int month = 0; month <= 12; ++month) {
    const uint16_t want = month == 2 && leap ? 29 : Cdatlib::StandardMonthLengths[month];
    FUZZ_REQUIRE(Cdatlib::MonthLengths[month] == want, "month " + std::to_string(month) + " of " + Shown(d));
  }
}

TCalDate Stepped(TCalDate d, void (*step)(TCalDate&)) {
  step(d);
  return d;
}

uint16_t YearAfter(uint16_t year) { return year >= 9999 ? 0 : static_cast<uint16_t>(year + 1); }
uint16_t YearBefore(uint16_t year) { return year == 0 ? 9999 : static_cast<uint16_t>(year - 1); }

void RequireDate(TCalDate got, TCalDate want, const std::string& what) {
  FUZZ_REQUIRE(Cdatlib::SameDate(got, want), what + " gave " + Shown(got) + ", not " + Shown(want));
}

void CheckStepping(TCalDate d) {
  const std::string of = " of " + Shown(d);
  RequireDate(Stepped(d, Cdatlib::NextYear), {YearAfter(d.Year), d.Month, d.Day}, "NextYear" + of);
  RequireDate(Stepped(d, Cdatlib::PrevYear), {YearBefore(d.Year), d.Month, d.Day}, "PrevYear" + of);

  const auto nextMonth = static_cast<uint16_t>(d.Month + 1);
  RequireDate(Stepped(d, Cdatlib::NextMonth),
              nextMonth > 12 ? TCalDate{YearAfter(d.Year), 1, d.Day} : TCalDate{d.Year, nextMonth, d.Day},
              "NextMonth" + of);
  const auto prevMonth = static_cast<uint16_t>(d.Month - 1);
  RequireDate(Stepped(d, Cdatlib::PrevMonth),
              prevMonth == 0 ? TCalDate{YearBefore(d.Year), 12, d.Day} : TCalDate{d.Year, prevMonth, d.Day},
              "PrevMonth" + of);

  const TCalDate next = Stepped(d, Cdatlib::NextDay);
  if (d.Month >= 1 && d.Month <= 12) {
    TCalDate want = d;
    if (d.Day < Cdatlib::StandardMonthLengths[d.Month]) {
      ++want.Day;
    } else if (d.Month == 2 && d.Day == 28 && Cdatlib::IsGregorianLeapYear(d.Year)) {
      want.Day = 29;
    } else {
      want = Stepped(d, Cdatlib::NextMonth);
      want.Day = 1;
    }
    RequireDate(next, want, "NextDay" + of);
  }
  // Forward, except where the years wrap to 0.
  FUZZ_REQUIRE(Cdatlib::DateAfter(next, d) || next.Year == 0, "NextDay" + of + " gave " + Shown(next));
}

TTransition TransitionOf(Fuzz::TFuzzInput& input, std::optional<std::size_t>& preset) {
  const uint8_t choice = input.Byte();
  if (choice % 2 == 0) {
    preset = (choice / 2) % cal::TransitionPresets.size();
    const cal::TTransitionPreset& chosen = cal::TransitionPresets[*preset];
    return {Cdatlib::DateFromIsoText(chosen.LastJulianDay), Cdatlib::DateFromIsoText(chosen.FirstGregorianDay)};
  }
  TTransition t{};
  t.lastJulian = {input.Word(), input.Word(), input.Word()};
  t.firstGregorian = {input.Word(), input.Word(), input.Word()};
  return t;
}

TCalDate DateOf(Fuzz::TFuzzInput& input, const TTransition& t) {
  const uint8_t choice = input.Byte();
  if (choice % 2 == 0) return {input.Word(), input.Word(), input.Word()};
  // Near the transition, where the calendars meet and the loop reaches.
  const int year = t.firstGregorian.Year + static_cast<int8_t>(input.Byte()) / 4;
  return {static_cast<uint16_t>(year), input.Byte(), input.Byte()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Fuzz::TFuzzInput input(data, size);
  std::optional<std::size_t> preset;
  const TTransition transition = TransitionOf(input, preset);
  Cdatlib::ApplyTransition(transition.lastJulian, transition.firstGregorian);
  const TCalDate date = DateOf(input, transition);
  CheckDayNumbers(transition, preset, date);
  CheckMonthLengths(date);
  CheckStepping(date);
  return 0;
}
