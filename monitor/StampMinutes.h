// Times of the monitor's stamp form ("2026-12-07 08:02", local wall clock)
// as minutes from 1970-01-01 00:00, and the texts of durations between them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/Cdatlib.h"

namespace Monitor {

inline constexpr std::size_t StampLength = 16;

// The minute a text of exactly the stamp form names; nothing for any other
// text, an impossible date or time included.
std::optional<int64_t> MinutesOfStamp(std::string_view text);

// The minute of a date and time, its seconds left out.
int64_t MinutesOfDateTime(const Cdatlib::TCalDateTime& dateTime);

std::string StampOfMinutes(int64_t minutes);  // "2026-12-07 08:02"
std::string DateOfMinutes(int64_t minutes);   // "2026-12-07"

// Year * 12 + month - 1 of the minute, so that months count on one line.
int64_t MonthOfMinutes(int64_t minutes);

// "N min" under an hour, "N h M min" under a day, "N d N h" beyond.
std::string DurationText(int64_t minutes);

// The minutes a text of DurationText's forms names (beyond a day, the whole
// hours it shows); nothing for any other text.
std::optional<int64_t> MinutesOfDurationText(std::string_view text);

// An offset from UTC as the checkpoint keeps it, "+01:00", "-05:00" or
// "+00:00": whole minutes, the seconds of old local mean times left out.
std::string OffsetText(int64_t offsetSeconds);

// The seconds a text of exactly that form names, up to 18 hours either way;
// nothing for any other text.
std::optional<int64_t> OffsetOfText(std::string_view text);

}  // namespace Monitor
