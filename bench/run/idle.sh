# Idle cost: voluntary context switches of all the threads of a program and
# of the processes it started, over
# IDLE_SECONDS while it waits, split by where the threads slept: event-loop
# wake-ups, waits for the X server, disk waits inside fsync, first with its window shown, then hidden
# (Return: Continue in Tallyvane, a plain hide in the floor). The first
# minute tick falls into the shown window, the second into the hidden one.
# Needs WORK, BIN, IDLE_SECONDS; writes NAME.idle with "shown hidden".

# A process and its descendants, one id a line.
process_tree() {
  local child
  echo "$1"
  for child in $(cat /proc/"$1"/task/*/children 2>/dev/null); do process_tree "$child"; done
}

# Sum of voluntary_ctxt_switches over the tasks of a process and its descendants.
voluntary_switches() {
  local pid
  for pid in $(process_tree "$1"); do cat /proc/"$pid"/task/*/status 2>/dev/null; done |
    awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}

# Per thread, for finding who wakes: "name switches"; a thread of another
# process is named with its process id.
switches_by_thread() {
  local pid task
  for pid in $(process_tree "$1"); do
    for task in /proc/"$pid"/task/*; do
      awk -v tag="$([ "$pid" = "$1" ] || echo "@$pid")" \
        '/^Name:/ { name = $2 tag } /^voluntary_ctxt_switches/ { print name, $2 }' "$task/status" 2>/dev/null
    done
  done
}

# Waits IDLE_SECONDS while recording, without tracing the program, each
# time one of its threads leaves the processor, with the kernel call chain
# that says why: asleep in poll (an event loop waiting: a wake-up follows),
# in a futex (a thread waiting for another, such as for the X server's
# reply that the event thread reads), elsewhere in the kernel asleep (S), or
# waiting for the disk (D, inside fsync); and its fsync calls. Leaves
# "polls futexes other-sleeps disk-waits fsyncs" in $WORK/syscalls and the
# poll sleeps by thread in $WORK/sleeps-by-thread.
idle_wait() {
  if command -v perf >/dev/null; then
    perf record -q -g -o "$WORK/perf-idle.data" -e sched:sched_switch -e syscalls:sys_enter_fsync \
      -p "$(process_tree "$1" | paste -sd,)" -- sleep "$IDLE_SECONDS" >/dev/null 2>&1
    perf script -i "$WORK/perf-idle.data" 2>/dev/null >"$WORK/perf-idle.txt"
    : >"$WORK/sleeps-by-thread"
    awk -v threads="$WORK/sleeps-by-thread" '
      function close_block() {
        if (state == "S") {
          if (chain ~ /do_sys_poll|do_poll|__x64_sys_poll|__x64_sys_ppoll/) { polls++; by[comm]++ }
          else if (chain ~ /futex/) futexes++
          else other++
        } else if (state == "D") disk++
        state = ""; chain = ""
      }
      /sys_enter_fsync/ { close_block(); fsyncs++; next }
      /sched:sched_switch/ {
        close_block()
        match($0, /prev_state=[A-Z]+/); state = substr($0, RSTART + 11, 1)
        match($0, /prev_comm=[^ ]+/); comm = substr($0, RSTART + 10, RLENGTH - 10)
        next
      }
      { chain = chain " " $2 }
      END {
        close_block()
        print polls + 0, futexes + 0, other + 0, disk + 0, fsyncs + 0
        for (t in by) printf " %s:%d", t, by[t] > threads
      }' "$WORK/perf-idle.txt" >"$WORK/syscalls"
  else
    sleep "$IDLE_SECONDS"
    echo "n/a n/a n/a n/a n/a" >"$WORK/syscalls"
    : >"$WORK/sleeps-by-thread"
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
  BACKGROUND_PIDS+=("$pid")
  shown=$(idle_window "$pid")
  cp "$WORK/syscalls" "$WORK/$name.syscalls-shown"
  cp "$WORK/sleeps-by-thread" "$WORK/$name.sleeps-shown"
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
  cp "$WORK/sleeps-by-thread" "$WORK/$name.sleeps-hidden"
  kill -0 "$pid" 2>/dev/null || hidden=ended
  paste -d' ' "$WORK/threads-before" "$WORK/threads-after" | awk '{ printf " %s:%d", $1, $4 - $2 }' >"$WORK/$name.idle-threads-hidden"
  kill -TERM "$pid"
  wait_for sh -c "! kill -0 $pid"
  rm -rf "$folder"
  echo "$shown $hidden" >"$WORK/$name.idle"
  echo "  idle $name: shown $shown (by thread:$(cat "$WORK/$name.idle-threads-shown"); polls futexes other disk fsyncs: $(cat "$WORK/$name.syscalls-shown"); poll wake-ups by thread:$(cat "$WORK/$name.sleeps-shown")), hidden $hidden (by thread:$(cat "$WORK/$name.idle-threads-hidden"); polls futexes other disk fsyncs: $(cat "$WORK/$name.syscalls-hidden"); poll wake-ups by thread:$(cat "$WORK/$name.sleeps-hidden"))" >&2
}
