# The Outages window on a 1 MB trip log (20,000 lines, 10,000 outages),
# median of 10 repetitions, in ms. Needs BIN; sets OUTAGES_READ_MS and
# OUTAGES_OPEN_MS ("n/a" without the benchmark).

measure_outages() {
  OUTAGES_READ_MS=n/a
  OUTAGES_OPEN_MS=n/a
  local csv
  csv=$(qt_benchmark_csv outages_window_bench) || return 0
  OUTAGES_READ_MS=$(median_time_in "$csv" ReadOutagesOfBigLog %.2f)
  OUTAGES_OPEN_MS=$(median_time_in "$csv" OpenOutagesWindow %.1f)
}
