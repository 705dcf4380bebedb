# The Log window on a trip log with one 10 MB line and on a 64 MiB log:
# command to painted window, the longest turn of the event loop until the
# whole log is in the window, and the time until then; median of 3
# repetitions, in ms; on the 64 MiB log also the save after a one-line edit
# and the keeping of its unsaved copy. Needs BIN; sets LOG_LINE_*, LOG_BIG_*
# and LOG_SAVE_*, LOG_KEEP_* ("n/a" without the benchmark).

# A column of the median row of one benchmark in a Google Benchmark CSV.
median_column_in() {
  awk -F, -v name="$2" -v column="$3" -v format="$4" '
    $1 == "name" { delete at; for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); at[$i] = i } }
    $1 ~ name && $1 ~ /_median"?$/ { printf format "\n", $at[column] }' <<<"$1"
}

measure_log_window() {
  LOG_LINE_WINDOW_MS=n/a LOG_LINE_TURN_MS=n/a LOG_LINE_WHOLE_MS=n/a
  LOG_BIG_WINDOW_MS=n/a LOG_BIG_TURN_MS=n/a LOG_BIG_WHOLE_MS=n/a
  LOG_SAVE_MS=n/a LOG_SAVE_BYTES_MS=n/a LOG_KEEP_TURN_MS=n/a
  [ -x "$BIN/bench/log_window_bench" ] || return 0
  local csv open save
  # One run for each set of counters: the CSV report wants the same counters
  # in every row.
  open=$(QT_QPA_PLATFORM=offscreen "$BIN/bench/log_window_bench" --benchmark_repetitions=3 \
    --benchmark_filter=OpenLogWindow --benchmark_format=csv 2>/dev/null) || return 0
  save=$(QT_QPA_PLATFORM=offscreen "$BIN/bench/log_window_bench" --benchmark_repetitions=3 \
    --benchmark_filter=SaveAfterOneLineEdit --benchmark_format=csv 2>/dev/null) || return 0
  csv=$open$'\n'$save
  LOG_LINE_WINDOW_MS=$(median_column_in "$csv" OneLongLine real_time %.1f)
  LOG_LINE_TURN_MS=$(median_column_in "$csv" OneLongLine longest_turn_ms %.1f)
  LOG_LINE_WHOLE_MS=$(median_column_in "$csv" OneLongLine whole_log_ms %.0f)
  LOG_BIG_WINDOW_MS=$(median_column_in "$csv" SixtyFourMiB real_time %.1f)
  LOG_BIG_TURN_MS=$(median_column_in "$csv" SixtyFourMiB longest_turn_ms %.1f)
  LOG_BIG_WHOLE_MS=$(median_column_in "$csv" SixtyFourMiB whole_log_ms %.0f)
  LOG_SAVE_MS=$(median_column_in "$csv" SaveAfterOneLineEdit real_time %.1f)
  LOG_SAVE_BYTES_MS=$(median_column_in "$csv" SaveAfterOneLineEdit to_bytes_ms %.1f)
  LOG_KEEP_TURN_MS=$(median_column_in "$csv" SaveAfterOneLineEdit keep_turn_ms %.1f)
}
