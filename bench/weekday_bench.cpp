// WeekdayOf by arithmetic against the day-by-day loop it replaces.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "calendar/Cdatlib.h"
#include "support/LoopCalendar.h"

namespace {

using Cdatlib::TCalDate;

constexpr TCalDate NewYear2024 = {2024, 1, 1};

std::vector<TCalDate> RandomRealDates() {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> year(1, 9998), month(1, 12), day(1, 28);
  std::vector<TCalDate> dates(4096);
  for (TCalDate& d : dates) d = {uint16_t(year(random)), uint16_t(month(random)), uint16_t(day(random))};
  return dates;
}

void WeekdayOf2024(benchmark::State& state) {
  for (auto _ : state) {
    TCalDate d = NewYear2024;
    benchmark::DoNotOptimize(d);
    benchmark::DoNotOptimize(Cdatlib::WeekdayOf(d));
  }
}

void LoopWeekdayOf2024(benchmark::State& state) {
  for (auto _ : state) {
    TCalDate d = NewYear2024;
    benchmark::DoNotOptimize(d);
    benchmark::DoNotOptimize(LoopCalendar::WeekdayOf(d));
  }
}

void WeekdayOfRandom(benchmark::State& state) {
  const std::vector<TCalDate> dates = RandomRealDates();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(Cdatlib::WeekdayOf(dates[i++ % dates.size()]));
}

void LoopWeekdayOfRandom(benchmark::State& state) {
  const std::vector<TCalDate> dates = RandomRealDates();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(LoopCalendar::WeekdayOf(dates[i++ % dates.size()]));
}

BENCHMARK(WeekdayOf2024);
BENCHMARK(LoopWeekdayOf2024);
BENCHMARK(WeekdayOfRandom);
BENCHMARK(LoopWeekdayOfRandom);

}  // namespace

BENCHMARK_MAIN();
