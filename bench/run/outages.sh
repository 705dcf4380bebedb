# The Outages window on a 1 MB trip log (20,000 lines, 10,000 outages),
# median of 10 repetitions, in ms. Needs BIN; sets OUTAGES_READ_MS and
# OUTAGES_OPEN_MS ("n/a" without the benchmark).

measure_outages() {
  OUTAGES_READ_MS=n/a
  OUTAGES_OPEN_MS=n/a
  [ -x "$BIN/bench/outages_window_bench" ] || return 0
  local csv
  csv=$(QT_QPA_PLATFORM=offscreen "$BIN/bench/outages_window_bench" --benchmark_repetitions=10 \
    --benchmark_format=csv 2>/dev/null)
  OUTAGES_READ_MS=$(awk -F, '$1 ~ /^"?ReadOutagesOfBigLog\/real_time_median/ { printf "%.2f\n", $3 }' <<<"$csv")
  OUTAGES_OPEN_MS=$(awk -F, '$1 ~ /^"?OpenOutagesWindow\/real_time_median/ { printf "%.1f\n", $3 }' <<<"$csv")
}
