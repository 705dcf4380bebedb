# RefreshCalendar of the calendar dialog, median of 10 repetitions, in µs.
# Needs BIN; sets REFRESH_US and REFRESH_PAINTED_US ("n/a" without the dialog).

measure_calendar() {
  REFRESH_US=n/a
  REFRESH_PAINTED_US=n/a
  [ -x "$BIN/bench/refresh_calendar_bench" ] || return 0
  local csv
  csv=$(QT_QPA_PLATFORM=offscreen "$BIN/bench/refresh_calendar_bench" --benchmark_repetitions=10 \
    --benchmark_format=csv 2>/dev/null)
  REFRESH_US=$(awk -F, '$1 ~ /^"?RefreshCalendar\/real_time_median/ { printf "%.1f\n", $3 }' <<<"$csv")
  REFRESH_PAINTED_US=$(awk -F, '$1 ~ /^"?RefreshCalendarShownAndPainted\/real_time_median/ { printf "%.0f\n", $3 }' <<<"$csv")
}
