# Idle cost: voluntary context switches of all of a program's threads over
# IDLE_SECONDS while it waits, and the event-loop wake-ups (poll calls) and
# fsyncs behind them, first with its window shown, then hidden
# (Return: Continue in Tallyvane, a plain hide in the floor). The first
# minute tick falls into the shown window, the second into the hidden one.
# Needs WORK, BIN, IDLE_SECONDS; writes NAME.idle with "shown hidden".

# Sum of voluntary_ctxt_switches over /proc/PID/task/*/status.
voluntary_switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}

# Per thread, for finding who wakes: "name switches".
switches_by_thread() {
  for task in /proc/"$1"/task/*; do
    awk '/^Name:/ { name = $2 } /^voluntary_ctxt_switches/ { print name, $2 }' "$task/status" 2>/dev/null
  done
}

# Waits IDLE_SECONDS while counting, without tracing the program, how often
# its threads enter poll (once per wake-up of an event loop) and fsync;
# leaves "polls fsyncs" in $WORK/syscalls.
idle_wait() {
  if command -v perf >/dev/null; then
    perf stat -x, -o "$WORK/perf-idle" -e syscalls:sys_enter_poll,syscalls:sys_enter_ppoll,syscalls:sys_enter_fsync \
      -p "$1" -- sleep "$IDLE_SECONDS" 2>/dev/null
    awk -F, '$3 ~ /poll/ { polls += $1 } $3 ~ /fsync/ { fsyncs += $1 } END { print polls + 0, fsyncs + 0 }' \
      "$WORK/perf-idle" >"$WORK/syscalls"
  else
    sleep "$IDLE_SECONDS"
    echo "n/a n/a" >"$WORK/syscalls"
  fi
}

# idle_window PID: the switches during IDLE_SECONDS, after a settling pause.
idle_window() {
  local before after
  sleep 2
  before=$(voluntary_switches "$1")
  switches_by_thread "$1" >"$WORK/threads-before"
  idle_wait "$1"
  after=$(voluntary_switches "$1")
  switches_by_thread "$1" >"$WORK/threads-after"
  echo $((after - before))
}

# measure_idle NAME BINARY: fails when the program ended during the
# measurement (something else killed it, or it crashed).
measure_idle() {
  local name=$1 binary=$2 folder output pid window shown hidden
  folder=$(new_program_folder "$binary" "$WORK/empty-triplog.txt")
  output=$(cd "$folder" && "$BIN/bench/map_timer" --keep -- "./$(basename "$binary")")
  pid=$(sed -n 's/.* pid=\([0-9]*\).*/\1/p' <<<"$output")
  window=$(sed -n 's/.* window=\(0x[0-9a-f]*\).*/\1/p' <<<"$output")
  BENCH_PIDS+=("$pid")
  shown=$(idle_window "$pid")
  cp "$WORK/syscalls" "$WORK/$name.syscalls-shown"
  paste -d' ' "$WORK/threads-before" "$WORK/threads-after" | awk '{ printf " %s:%d", $1, $4 - $2 }' >"$WORK/$name.idle-threads-shown"
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "  $name ended by itself while idle" >&2
    echo "ended ended" >"$WORK/$name.idle"
    return 1
  fi
  xdotool windowfocus --sync "$window" key Return || true
  wait_for sh -c "xwininfo -id $window | grep -q IsUnMapped" || echo "  $name: the window did not hide" >&2
  hidden=$(idle_window "$pid")
  cp "$WORK/syscalls" "$WORK/$name.syscalls-hidden"
  kill -0 "$pid" 2>/dev/null || hidden=ended
  paste -d' ' "$WORK/threads-before" "$WORK/threads-after" | awk '{ printf " %s:%d", $1, $4 - $2 }' >"$WORK/$name.idle-threads-hidden"
  kill -TERM "$pid"
  wait_for sh -c "! kill -0 $pid"
  rm -rf "$folder"
  echo "$shown $hidden" >"$WORK/$name.idle"
  echo "  idle $name: shown $shown (by thread:$(cat "$WORK/$name.idle-threads-shown"); polls, fsyncs: $(cat "$WORK/$name.syscalls-shown")), hidden $hidden (by thread:$(cat "$WORK/$name.idle-threads-hidden"); polls, fsyncs: $(cat "$WORK/$name.syscalls-hidden"))" >&2
}
