# RefreshCalendar of the calendar dialog, median of 10 repetitions, in µs.
# Needs BIN; sets REFRESH_US and REFRESH_PAINTED_US ("n/a" without the dialog).

measure_calendar() {
  REFRESH_US=n/a
  REFRESH_PAINTED_US=n/a
  local csv
  csv=$(qt_benchmark_csv refresh_calendar_bench) || return 0
  REFRESH_US=$(median_time_in "$csv" RefreshCalendar %.1f)
  REFRESH_PAINTED_US=$(median_time_in "$csv" RefreshCalendarShownAndPainted %.0f)
}
