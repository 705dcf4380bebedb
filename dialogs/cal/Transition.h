// The Julian-Gregorian transition as the options page sets it: the national
// presets and the check of a typed pair.
#pragma once

#include <array>
#include <string>

#include "calendar/Cdatlib.h"

namespace cal {

struct TTransitionPreset {
  const char* Caption;
  const char* LastJulianDay;
  const char* FirstGregorianDay;
};

// In the order of the preset menu.
extern const std::array<TTransitionPreset, 4> TransitionPresets;

// Why the pair cannot serve as the transition: each date must be a real day
// of its own calendar in the years 1 to 9998, and the first Gregorian day must
// come after the last Julian day. The empty text when the pair is sound.
std::string TransitionPairProblem(Cdatlib::TCalDate lastJulian, Cdatlib::TCalDate firstGregorian);

}  // namespace cal
