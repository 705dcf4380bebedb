# The benchmark table, in Markdown, from the figures the other steps left.
# Needs WORK and the CHECKPOINT_*, REFRESH_*, OUTAGES_* variables.

# What the voluntary switches of an idle window were.
idle_detail() {
  local polls futexes other disk fsyncs
  read -r polls futexes other disk fsyncs <"$WORK/$1" 2>/dev/null || { echo "n/a"; return; }
  local text="$polls event-loop wake-ups"
  ((futexes)) && text+=", $futexes waits for the X server"
  ((other)) && text+=", $other other kernel sleeps"
  ((fsyncs)) && text+=", $disk disk waits in $fsyncs fsyncs"
  echo "$text"
}

# As many event-loop wake-ups as the floor has in the same state (its one is
# the minute timer), or one per started minute, whichever is more: the
# checkpoint and nothing else.
idle_goal_met() {
  local polls floor_polls rest allowed=$(((IDLE_SECONDS + 59) / 60))
  read -r polls rest <"$WORK/tallyvane.$1" 2>/dev/null || { echo "n/a"; return; }
  read -r floor_polls rest <"$WORK/floor.$1" 2>/dev/null || floor_polls=0
  [[ "$polls$floor_polls" =~ ^[0-9]+$ ]] || { echo "n/a"; return; }
  ((floor_polls > allowed)) && allowed=$floor_polls
  ((polls <= allowed)) && echo yes || echo no
}

print_table() {
  local floor_ms tv_ms big_ms floor_kb tv_kb big_kb
  floor_ms=$(median <"$WORK/floor.map")
  tv_ms=$(median <"$WORK/tallyvane.map")
  big_ms=$(median <"$WORK/biglog.map")
  floor_kb=$(median <"$WORK/floor.pss")
  tv_kb=$(median <"$WORK/tallyvane.pss")
  big_kb=$(median <"$WORK/biglog.pss")
  local startup_ratio memory_ratio big_ratio
  startup_ratio=$(ratio "$tv_ms" "$floor_ms")
  memory_ratio=$(ratio "$tv_kb" "$floor_kb")
  big_ratio=$(ratio "$big_ms" "$tv_ms")
  local floor_shown floor_hidden tv_shown tv_hidden
  read -r floor_shown floor_hidden <"$WORK/floor.idle"
  read -r tv_shown tv_hidden <"$WORK/tallyvane.idle"
  local shown_goal hidden_goal
  shown_goal=$(idle_goal_met syscalls-shown)
  hidden_goal=$(idle_goal_met syscalls-hidden)

  echo "| Measure | Floor | Tallyvane | Ratio | Goal | Met |"
  echo "|---|---|---|---|---|---|"
  echo "| Start-up, exec to first mapped window (median of $RUNS) | $floor_ms ms | $tv_ms ms | $startup_ratio | ≤ 1.15 × floor | $(at_most "$startup_ratio" 1.15) |"
  echo "| Memory 1 s after mapping: proportional set size of all the program's processes (median of $RUNS) | $((floor_kb / 1024)) MiB ($floor_kb kB) | $((tv_kb / 1024)) MiB ($tv_kb kB) | $memory_ratio | ≤ 1.10 × floor | $(at_most "$memory_ratio" 1.10) |"
  echo "| Idle ${IDLE_SECONDS} s, window shown: voluntary context switches of all its processes (of which) | $floor_shown ($(idle_detail floor.syscalls-shown)) | $tv_shown ($(idle_detail tallyvane.syscalls-shown)) | | 1 wake-up per minute, for the checkpoint | $shown_goal |"
  echo "| Idle ${IDLE_SECONDS} s, window hidden: voluntary context switches of all its processes (of which) | $floor_hidden ($(idle_detail floor.syscalls-hidden)) | $tv_hidden ($(idle_detail tallyvane.syscalls-hidden)) | | 1 wake-up per minute, for the checkpoint | $hidden_goal |"
  echo "| Checkpoint write, fsyncs included (median of 10 repetitions) | | $CHECKPOINT_MS ms, $CHECKPOINT_FSYNCS fsyncs | | | |"
  echo "| Start-up with a 1 MB trip log (20,000 lines) vs an empty one (median of $RUNS) | | $big_ms ms vs $tv_ms ms | $big_ratio | ≤ 1.5 × | $(at_most "$big_ratio" 1.5) |"
  echo "| Memory with the 1 MB trip log | | $((big_kb / 1024)) MiB ($big_kb kB) | $(ratio "$big_kb" "$floor_kb") × floor | | |"
  if [ -s "$WORK/tmpfs.map" ]; then
    local ram_ms
    ram_ms=$(median <"$WORK/tmpfs.map")
    echo "| Start-up with the program folder on tmpfs, where fsync costs nothing (median of $RUNS) | $floor_ms ms | $ram_ms ms | $(ratio "$ram_ms" "$floor_ms") | (shows the share of the flushes) | |"
  fi
  echo "| Outages window opened on the 1 MB trip log (10,000 outages): built, filled, shown and painted (median of 10) | | $OUTAGES_OPEN_MS ms (reading the outages: $OUTAGES_READ_MS ms) | | < 100 ms | $(at_most "$OUTAGES_OPEN_MS" 100) |"
  echo "| Log window on a trip log with one 10 MB line: Log command to painted window; longest event-loop turn until the whole log is in (median of 3) | | $LOG_LINE_WINDOW_MS ms; longest turn $LOG_LINE_TURN_MS ms (whole in $LOG_LINE_WHOLE_MS ms) | | longest turn < 1000 ms | $(at_most "$LOG_LINE_TURN_MS" 1000) |"
  echo "| Log window on a 64 MiB trip log (1.1 million lines): the same (median of 3) | | $LOG_BIG_WINDOW_MS ms; longest turn $LOG_BIG_TURN_MS ms (whole in $LOG_BIG_WHOLE_MS ms) | | longest turn < 1000 ms | $(at_most "$LOG_BIG_TURN_MS" 1000) |"
  echo "| Log window on the 64 MiB trip log after a one-line edit: the turn that saves it; the longest turn while the unsaved copy is kept for a display end (median of 3) | | $LOG_SAVE_MS ms (into bytes: $LOG_SAVE_BYTES_MS ms); keeping $LOG_KEEP_TURN_MS ms | | each < 1000 ms | $(at_most "$LOG_SAVE_MS" 1000) |"
  echo "| RefreshCalendar (hidden dialog, as before showing) | | $REFRESH_US µs | | < 1000 µs | $(at_most "$REFRESH_US" 1000) |"
  echo "| RefreshCalendar with the repaint of the shown dialog | | $REFRESH_PAINTED_US µs | | | |"
}
