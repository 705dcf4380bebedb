#!/usr/bin/env bash
# Runs copies of the real program on a virtual display (Xvfb) with a
# notification area (trayer), each in an X session of its own run by
# xsmp_driver, a small session manager this script steps: the program
# registers, a session save and a cancelled shutdown keep it running (and
# the file saying so), and a shutdown that goes through ends it normally.
# Usage: session_manager_test.sh <tallyvane binary> <xsmp_driver binary>
# No -e: a failed check is counted and the run goes on to the next case.
set -uo pipefail

BINARY=$(realpath "$1")
DRIVER=$(realpath "$2")
WORK=$(mktemp -d /tmp/tallyvane-xsmp.XXXXXX)
BACKGROUND_PIDS=()
# Per session (one program and its session manager), by name.
declare -A PROGRAM FOLDER LAUNCHED SM_PID SM_IN SM_OUT SM_ADDRESS
# No cookies on either side: the drivers take whoever reaches their local socket.
export ICEAUTHORITY="$WORK/iceauthority"

cleanup() {
  local pid
  stop_processes "${BACKGROUND_PIDS[@]}"
  # Asked to stop, a driver removes its socket; killed, it would leave it.
  for pid in "${SM_PID[@]}"; do kill -TERM "$pid" 2>/dev/null; done
  for pid in "${SM_PID[@]}"; do
    for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    stop_processes "$pid"
  done
  rm -rf "$WORK"
}
trap cleanup EXIT

# shellcheck source=/dev/null
source "$(dirname "$0")/case_runner.sh"

# A session manager of the session's own, talked to through two fifos; its
# first line is the value for SESSION_MANAGER.
start_session_manager() {
  local session=$1 in out
  mkfifo "$WORK/$session.in" "$WORK/$session.out"
  "$DRIVER" <"$WORK/$session.in" >"$WORK/$session.out" 2>&1 &
  SM_PID[$session]=$!
  exec {in}>"$WORK/$session.in" {out}<"$WORK/$session.out"
  SM_IN[$session]=$in
  SM_OUT[$session]=$out
  read -r -t 10 "SM_ADDRESS[$session]" <&"$out" || { echo "the session manager did not start"; exit 1; }
  echo "listening on ${SM_ADDRESS[$session]}" >"$WORK/$session.log"
}

# Sends a command to a session's manager and puts its answer ("ok ..." or
# "fail ...") in ANSWER; the events before it go to the session's log.
sm() {
  local session=$1 line
  shift
  ANSWER="fail no answer from the session manager to: $*"
  echo "> $*" >>"$WORK/$session.log"
  echo "$*" >&"${SM_IN[$session]}" || return
  while IFS= read -r -t 60 line <&"${SM_OUT[$session]}"; do
    echo "$line" >>"$WORK/$session.log"
    case $line in
      ok\ * | fail\ *) ANSWER=$line; return ;;
    esac
  done
}

# A command whose answer must be exactly this one.
sm_expect() {
  local session=$1 expected=$2
  shift 2
  sm "$session" "$@"
  [ "$ANSWER" = "$expected" ] && return 0
  fail "session manager, $*: \"$ANSWER\", expected \"$expected\""
  return 1
}

expect_registered() {
  sm "$1" wait-register 20
  [[ $ANSWER == "ok registered "?* ]] || fail "wait-register: $ANSWER"
}

# A copy of the program in a folder of its own, started in its session. No
# timer tick comes before LAUNCHED + 60 s.
launch() {
  local session=$1 folder="$WORK/$1"
  mkdir -p "$folder"
  cp "$BINARY" "$folder/tallyvane"
  (cd "$folder" && SESSION_MANAGER=${SM_ADDRESS[$session]} exec ./tallyvane >"$folder/stdout.txt" 2>&1) &
  PROGRAM[$session]=$!
  BACKGROUND_PIDS+=($!)
  FOLDER[$session]=$folder
  LAUNCHED[$session]=$(date +%s)
}

main_window() { x_window_named "${PROGRAM[$1]}" Tallyvane; }
mapped_main_window() { local w; w=$(main_window "$1") && [ -n "$w" ] && is_mapped "$w"; }
has_exited() { process_ended "${PROGRAM[$1]}"; }

wait_for_exit() { wait_for_exit_of "${PROGRAM[$1]}"; }

# Fails the case when the program has ended, or ends within two seconds: the
# loop of a program that is quitting ends soon after it answers.
keeps_running() {
  sleep 2
  if has_exited "$1"; then
    wait_for_exit "$1"
    fail "$2: the program ended, exit code $EXIT_CODE"
    return 1
  fi
  mapped_main_window "$1" || fail "$2: the main window is no longer shown"
}

status_in() { checkpoint_value "${FOLDER[$1]}" TripStatus; }
stamp_in() { checkpoint_value "${FOLDER[$1]}" TripTS; }
status_is() { [ "$(status_in "$1")" = "$2" ]; }

# Each case runs in one of the sessions; a failure shows what the session
# manager saw during the case.
run_session_case() {
  CASE_SESSION=$1
  run_case "$2"
}
before_case() { LOGGED=$(wc -l <"$WORK/$CASE_SESSION.log"); }
after_failed_case() {
  echo "  session manager transcript:"
  tail -n +$((LOGGED + 1)) "$WORK/$CASE_SESSION.log" | sed 's/^/    /'
}

# Session "saves": one program through a save, a cancelled shutdown and the
# minute tick after them.

# A session manager must never start it again at log-in: autostart does, and
# two copies would watch one folder. A new client gets a local save first, so
# the hint set there already counts.
registers_and_asks_never_to_be_restarted() {
  expect_registered saves
  wait_for mapped_main_window saves || fail "the main window did not show"
  status_is saves 1 || fail "status after start: $(status_in saves)"
  FIRST_STAMP=$(stamp_in saves)
  sm_expect saves "ok hint 3" hint
}

# A checkpoint of the session, not its end: the program goes on, and so does
# the file's word that it runs.
session_save_keeps_it_running() {
  sm_expect saves "ok save success" save || return
  status_is saves 1 || fail "status after the save: $(status_in saves)"
  sm_expect saves "ok hint 3" hint
  keeps_running saves "after the save"
}

cancelled_shutdown_keeps_running() {
  has_exited saves && { fail "the program is not running"; return; }
  sm_expect saves "ok shutdown success" shutdown || return
  status_is saves 1 || fail "status after the shutdown save: $(status_in saves)"
  sm_expect saves "ok cancel" cancel
  keeps_running saves "after the cancelled shutdown" || return
  status_is saves 1 || fail "status after the cancelled shutdown: $(status_in saves)"
}

# Killed right after a save, and right after a cancelled log-off: each time
# the next start finds the abnormal end it was.
killed_after_a_save_is_an_abnormal_end() {
  local step stamp
  expect_registered killed
  wait_for mapped_main_window killed || fail "the main window did not show"
  for step in save cancelled; do
    if [ "$step" = save ]; then
      sm_expect killed "ok save success" save || return
    else
      sm_expect killed "ok shutdown success" shutdown || return
      sm_expect killed "ok cancel" cancel || return
    fi
    stamp=$(stamp_in killed)
    stop_processes "${PROGRAM[killed]}"
    status_is killed 1 || { fail "after the $step and a kill: status $(status_in killed)"; return; }
    # Started again outside any session, as at the next log-in.
    (cd "${FOLDER[killed]}" && exec env -u SESSION_MANAGER ./tallyvane >>"${FOLDER[killed]}/stdout.txt" 2>&1) &
    PROGRAM[killed]=$!
    BACKGROUND_PIDS+=($!)
    wait_for grep -q "^$stamp  ABNORMAL PROGRAM END" "${FOLDER[killed]}/triplog.txt" ||
      fail "after the $step and a kill, the next start logged: $(tail -n 3 "${FOLDER[killed]}/triplog.txt")"
    [ "$step" = save ] || break
    stop_processes "${PROGRAM[killed]}"
    # The next round runs in the session again.
    launch killed
    expect_registered killed
    wait_for mapped_main_window killed || fail "the main window did not show again"
  done
}

# The saves must not have stopped the checkpoints: a tick comes after them.
next_tick_comes_after_the_saves() {
  has_exited saves && { fail "the program is not running"; return; }
  local stamp
  for _ in $(seq 140); do
    if [ "$(stamp_in saves)" != "$FIRST_STAMP" ] || has_exited saves; then break; fi
    sleep 0.5
  done
  has_exited saves && { fail "the program ended while waiting for the tick"; return; }
  status_is saves 1 || fail "status 70 s after the saves: $(status_in saves)"
  stamp=$(stamp_in saves)
  [[ "$stamp" =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{2}:[0-9]{2}$ && "$stamp" > "$FIRST_STAMP" ]] ||
    fail "stamp after the tick: \"$stamp\", first stamp \"$FIRST_STAMP\""
}

# Session "logoff": the session ends at once.
shutdown_then_die_ends_normally() {
  expect_registered logoff
  wait_for mapped_main_window logoff || fail "the main window did not show"
  sm_expect logoff "ok shutdown success" shutdown || return
  sm_expect logoff "ok die closed" die
  wait_for_exit logoff
  [ "$EXIT_CODE" = 0 ] || fail "exit code after Die: $EXIT_CODE"
  status_is logoff 0 || fail "status after Die: $(status_in logoff)"
}

# Session "slowlogoff": the program waits in the notification area, as it
# mostly does, and the log-off is held up past a minute tick (another program
# asking its user about unsaved work, say). The end is still a normal one.
slow_logoff_from_the_tray_ends_normally() {
  local window first
  expect_registered slowlogoff
  wait_for mapped_main_window slowlogoff || fail "the main window did not show"
  window=$(main_window slowlogoff)
  press_until "$window" Return is_unmapped "$window" || fail "Continue did not hide the window"
  sm_expect slowlogoff "ok shutdown success" shutdown || return
  first=$(stamp_in slowlogoff)
  # The first tick, if the program still ticks while the session ends.
  while (($(date +%s) - LAUNCHED[slowlogoff] < 70)) && [ "$(stamp_in slowlogoff)" = "$first" ] &&
    ! has_exited slowlogoff; do
    sleep 0.5
  done
  local before_die
  before_die=$(status_in slowlogoff)
  sm_expect slowlogoff "ok die closed" die
  wait_for_exit slowlogoff
  [ "$EXIT_CODE" = 0 ] || fail "exit code after Die: $EXIT_CODE"
  status_is slowlogoff 0 || fail "status after Die: $(status_in slowlogoff), before it: $before_die"
}

start_display || exit 1
for session in saves logoff slowlogoff killed; do
  start_session_manager "$session"
  launch "$session"
done

# "saves" and "slowlogoff" started together, so their first ticks pass during
# the same wait: the slow log-off goes before the tick "saves" waits for.
run_session_case saves registers_and_asks_never_to_be_restarted
run_session_case saves session_save_keeps_it_running
run_session_case saves cancelled_shutdown_keeps_running
run_session_case logoff shutdown_then_die_ends_normally
run_session_case slowlogoff slow_logoff_from_the_tray_ends_normally
run_session_case killed killed_after_a_save_is_an_abnormal_end
run_session_case saves next_tick_comes_after_the_saves
finish
