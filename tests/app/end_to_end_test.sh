#!/usr/bin/env bash
# Runs copies of the real program, each in a folder of its own, on a virtual
# display (Xvfb) with a notification area (trayer), and drives them with
# xdotool as a user would.
# No -e: a failed check is counted and the run goes on to the next case.
set -uo pipefail

BINARY=$(realpath "$1")
WORK=$(mktemp -d /tmp/tallyvane-e2e.XXXXXX)
BACKGROUND_PIDS=()

cleanup() {
  stop_processes "${BACKGROUND_PIDS[@]}"
  mountpoint -q "$WORK/bound" && umount "$WORK/bound"
  rm -rf "$WORK"
}
trap cleanup EXIT

# shellcheck source=/dev/null
source "$(dirname "$0")/case_runner.sh"

# A program folder with a copy of the program, and optional files in it.
new_folder() {
  local folder="$WORK/$1"
  mkdir -p "$folder"
  cp "$BINARY" "$folder/tallyvane"
  echo "$folder"
}

launch() {
  (cd "$1" && exec ./tallyvane >"$1/stdout.txt" 2>&1) &
  PROGRAM=$!
  BACKGROUND_PIDS+=($PROGRAM)
}

window_named() { x_window_named "$PROGRAM" "$1"; }
main_window() { window_named Tallyvane; }
mapped_main_window() { local w; w=$(main_window) && [ -n "$w" ] && is_mapped "$w"; }
has_exited() { process_ended "$PROGRAM"; }
wait_for_exit() { wait_for_exit_of "$PROGRAM"; }

status_in() { checkpoint_value "$1" TripStatus; }
stamp_in() { checkpoint_value "$1" TripTS; }

click_tray_icon() {
  local tray X Y WIDTH HEIGHT SCREEN WINDOW
  tray=$(xdotool search --onlyvisible --class trayer | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
}

after_case() {
  stop_processes "${PROGRAM:-}"
  PROGRAM=
}

# Each signal a desktop sends at log-off or shutdown ends the run normally.
first_run_then_end_signal() {
  local signal=$1 folder
  folder=$(new_folder "first-$signal")
  launch "$folder"
  wait_for mapped_main_window || fail "the main window did not show"
  [ "$(status_in "$folder")" = 1 ] || fail "status after start: $(status_in "$folder")"
  [ "$(stamp_in "$folder" | wc -c)" = 17 ] || fail "stamp: $(stamp_in "$folder")"
  grep -q "  Program start - first time on this PC"$'\r'"$" "$folder/triplog.txt" || fail "first-run line missing"
  [ "$(wc -l <"$folder/triplog.txt")" = 1 ] || fail "trip log lines: $(wc -l <"$folder/triplog.txt")"
  kill -"$signal" "$PROGRAM"
  wait_for_exit
  [ "$EXIT_CODE" = 0 ] || fail "exit code after SIG$signal: $EXIT_CODE"
  [ "$(status_in "$folder")" = 0 ] || fail "status after SIG$signal: $(status_in "$folder")"
}

first_run_then_sigterm() { first_run_then_end_signal TERM; }
first_run_then_sighup() { first_run_then_end_signal HUP; }
first_run_then_sigint() { first_run_then_end_signal INT; }

# Nobody may be there to answer a box at a session end: the end goes on.
session_end_with_an_unwritable_checkpoint() {
  local folder
  folder=$(new_folder unwritable)
  launch "$folder"
  wait_for mapped_main_window || fail "the main window did not show"
  rm -f "$folder/CHKPT.INI"
  mkdir "$folder/CHKPT.INI"
  kill -TERM "$PROGRAM"
  wait_for_exit
  [ "$EXIT_CODE" = 0 ] || fail "exit code after SIGTERM: $EXIT_CODE"
  grep -q "Unable to write to $folder/CHKPT.INI" "$folder/stdout.txt" || fail "message: $(cat "$folder/stdout.txt")"
}

# A day before the computer started: the log says when it started again.
start_after_power_cut() {
  local folder boot stamp
  folder=$(new_folder powercut)
  boot=$(awk '/^btime/ {print $2}' /proc/stat)
  stamp=$(date -d "@$((boot - 86400))" '+%Y-%m-%d %H:%M')
  printf '[main]\r\nTripStatus=1\r\nTripTS=%s\r\n' "$stamp" >"$folder/CHKPT.INI"
  printf 'an older line\r\n' >"$folder/triplog.txt"
  launch "$folder"
  wait_for mapped_main_window || fail "the main window did not show"
  local log
  log=$(tr -d '\r' <"$folder/triplog.txt")
  [ "$(sed -n 1p <<<"$log")" = "an older line" ] || fail "the old line moved: $log"
  [ "$(sed -n 2p <<<"$log")" = "$stamp  ABNORMAL PROGRAM END" ] || fail "verdict line: $log"
  sed -n 3p <<<"$log" | grep -Eq '^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}  Program restart$' || fail "restart line: $log"
  [[ "$(sed -n 4p <<<"$log")" == "$(sed -n 3p <<<"$log" | cut -c1-16)  The computer started again at $(date -d "@$boot" \
    '+%Y-%m-%d %H:%M'): it was off for at most "* ]] || fail "boot line: $log"
  [ "$(status_in "$folder")" = 1 ] || fail "status: $(status_in "$folder")"
}

continue_then_tray_click_shows_the_window() {
  local folder window
  folder=$(new_folder tray)
  launch "$folder"
  wait_for mapped_main_window || fail "the main window did not show"
  window=$(main_window)
  press_until "$window" Return is_unmapped "$window" || fail "Continue did not hide the window"
  kill -0 "$PROGRAM" || fail "the program ended"
  click_tray_icon
  wait_for is_mapped "$window" || fail "a click on the icon did not show the window"
}

exit_menu_ends_with_a_normal_shutdown() {
  local folder window
  folder=$(new_folder exitmenu)
  launch "$folder"
  wait_for mapped_main_window || fail "the main window did not show"
  window=$(main_window)
  xdotool mousemove --window "$window" 12 8 click 1
  wait_for_exit
  [ "$EXIT_CODE" = 0 ] || fail "exit code after Exit: $EXIT_CODE"
  [ "$(status_in "$folder")" = 0 ] || fail "status after Exit: $(status_in "$folder")"
  launch "$folder"
  wait_for mapped_main_window || fail "the start after Exit did not show its window"
  [ "$(wc -l <"$folder/triplog.txt")" = 3 ] || fail "a start after a normal end: $(cat "$folder/triplog.txt")"
}

# The start fails before the main window shows: the "Application Error" box
# names the message, Return closes it, and the exit code is 1.
expect_start_error() {
  local folder=$1 message=$2 box window
  wait_for window_named "Application Error" || fail "no start-up error box"
  box=$(window_named "Application Error")
  window=$(main_window)
  if [ -n "$window" ] && is_mapped "$window"; then fail "the main window showed"; fi
  [ -n "$box" ] && { press_until "$box" Return has_exited || fail "Return did not close the box"; }
  wait_for_exit
  [ "$EXIT_CODE" = 1 ] || fail "exit code: $EXIT_CODE"
  grep -q "$message" "$folder/stdout.txt" || fail "message: $(cat "$folder/stdout.txt")"
  [ ! -e "$folder/CHKPT.INI" ] || fail "a checkpoint was written"
}

folder_named_triplog_fails_the_start() {
  local folder
  folder=$(new_folder badlog)
  mkdir "$folder/triplog.txt"
  launch "$folder"
  expect_start_error "$folder" 'Cannot create file ".*/triplog.txt". Is a directory.'
}

# Runs the program in a folder as nobody (root writes anywhere).
launch_as_nobody() {
  chmod 755 "$WORK"
  (cd "$1" && exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
    ./tallyvane >"$1/stdout.txt" 2>&1) &
  PROGRAM=$!
  BACKGROUND_PIDS+=($PROGRAM)
}

# An installed copy in a folder its user cannot write says so at once. Root
# writes anywhere, so the program runs as nobody.
read_only_folder_fails_the_start() {
  local folder
  if [ "$(id -u)" != 0 ]; then echo "  skipped: needs root to run the program as nobody"; return; fi
  folder=$(new_folder readonly)
  chmod 555 "$folder"
  launch_as_nobody "$folder"
  expect_start_error "$folder" "Unable to write to $folder/CHKPT.INI."
  [ ! -e "$folder/triplog.txt" ] || fail "a trip log was written"
}

# A start-up error box is open and the session ends: the failed start
# leaves the checkpoint as it was, so the next start gives the same verdict.
end_signal_during_the_start_error_box() {
  local folder before
  folder=$(new_folder endinbox)
  printf '[main]\r\nTripStatus=1\r\nTripTS=2026-12-06 18:41\r\n' >"$folder/CHKPT.INI"
  before=$(cat "$folder/CHKPT.INI")
  mkdir "$folder/triplog.txt"
  launch "$folder"
  wait_for window_named "Application Error" || fail "no start-up error box"
  kill -TERM "$PROGRAM"
  wait_for_exit
  [ "$EXIT_CODE" = 1 ] || fail "exit code: $EXIT_CODE"
  [ "$(cat "$folder/CHKPT.INI")" = "$before" ] || fail "the checkpoint changed: $(cat "$folder/CHKPT.INI")"
}

# Failed starts write nothing: three starts with a read-only checkpoint and
# then a good one log the abnormal end once.
failed_starts_add_no_verdicts() {
  local folder box
  if [ "$(id -u)" != 0 ]; then echo "  skipped: needs root to run the program as nobody"; return; fi
  folder=$(new_folder failedstarts)
  printf '[main]\r\nTripStatus=1\r\nTripTS=2026-11-20 17:45\r\n' >"$folder/CHKPT.INI"
  printf 'an older line\r\n' >"$folder/triplog.txt"
  chown nobody "$folder" "$folder/CHKPT.INI" "$folder/triplog.txt"
  chmod 444 "$folder/CHKPT.INI"
  for _ in 1 2 3; do
    launch_as_nobody "$folder"
    wait_for window_named "Application Error" || fail "no start-up error box"
    box=$(window_named "Application Error")
    [ -n "$box" ] && { press_until "$box" Return has_exited || fail "Return did not close the box"; }
    wait_for_exit
    [ "$EXIT_CODE" = 1 ] || fail "exit code: $EXIT_CODE"
  done
  grep -q "Unable to write to $folder/CHKPT.INI" "$folder/stdout.txt" || fail "message: $(cat "$folder/stdout.txt")"
  [ "$(cat "$folder/triplog.txt")" = $'an older line\r' ] || fail "failed starts wrote: $(cat "$folder/triplog.txt")"
  chmod 644 "$folder/CHKPT.INI"
  launch_as_nobody "$folder"
  wait_for mapped_main_window || fail "the good start did not show its window"
  [ "$(grep -c "ABNORMAL PROGRAM END" "$folder/triplog.txt")" = 1 ] || fail "verdicts: $(cat "$folder/triplog.txt")"
}

# A checkpoint file that is there but cannot be read is no first start; a
# pipe or an endless device in place of a file cannot hold the start, and an
# end signal during its error box ends it with exit code 1.
unreadable_files_fail_the_start_at_once() {
  local folder kind message entries
  for kind in checkpoint-folder checkpoint-pipe checkpoint-zero log-pipe; do
    folder=$(new_folder "bad-$kind")
    printf 'an older line\r\n' >"$folder/triplog.txt"
    message="Unable to read $folder/CHKPT.INI"
    entries=4
    case $kind in
      checkpoint-folder) mkdir "$folder/CHKPT.INI" ;;
      checkpoint-pipe) mkfifo "$folder/CHKPT.INI" ;;
      checkpoint-zero) ln -s /dev/zero "$folder/CHKPT.INI" ;;
      log-pipe)
        rm "$folder/triplog.txt"
        mkfifo "$folder/triplog.txt"
        message="Cannot open file \"$folder/triplog.txt\". Not a regular file"
        entries=3
        ;;
    esac
    launch "$folder"
    wait_for window_named "Application Error" || fail "$kind: no start-up error box"
    kill -TERM "$PROGRAM"
    wait_for_exit
    [ "$EXIT_CODE" = 1 ] || fail "$kind: exit code after SIGTERM: $EXIT_CODE"
    grep -qF "$message" "$folder/stdout.txt" || fail "$kind: message: $(cat "$folder/stdout.txt")"
    [ "$kind" = log-pipe ] || [ "$(cat "$folder/triplog.txt")" = $'an older line\r' ] || fail "$kind: the log changed"
    # Nothing is left behind but the folder's lock file.
    [ "$(ls -A "$folder" | grep -vcx tallyvane.lock)" = "$entries" ] || fail "$kind: entries: $(ls -A "$folder")"
  done
}

# A folder that takes no new file, its files writable: the log gets its new
# lines appended, the checkpoint is written in place, neither is emptied.
closed_folder_appends_and_writes_in_place() {
  local folder
  if [ "$(id -u)" != 0 ]; then echo "  skipped: needs root to run the program as nobody"; return; fi
  folder=$(new_folder closedfolder)
  printf '[main]\r\nTripStatus=0\r\nTripTS=2026-11-20 17:45\r\n' >"$folder/CHKPT.INI"
  for i in $(seq 56); do printf 'history line %d\r\n' "$i"; done >"$folder/triplog.txt"
  cp "$folder/triplog.txt" "$WORK/history.txt"
  chown nobody "$folder/CHKPT.INI" "$folder/triplog.txt"
  chmod 555 "$folder"
  launch_as_nobody "$folder"
  wait_for mapped_main_window || fail "the main window did not show: $(cat "$folder/stdout.txt")"
  cmp -s -n "$(stat -c %s "$WORK/history.txt")" "$WORK/history.txt" "$folder/triplog.txt" || fail "the history changed"
  [ "$(wc -l <"$folder/triplog.txt")" = 58 ] || fail "log lines: $(wc -l <"$folder/triplog.txt")"
  [ "$(status_in "$folder")" = 1 ] || fail "status: $(status_in "$folder")"
  kill -TERM "$PROGRAM"
  wait_for_exit
  [ "$EXIT_CODE" = 0 ] || fail "exit code after SIGTERM: $EXIT_CODE; the program said: $(tail -n 30 "$folder/stdout.txt")"
  [ "$(status_in "$folder")" = 0 ] || fail "status after SIGTERM: $(status_in "$folder")"
}

# A second start from the same folder shows the running copy's window and
# leaves both files alone; a copy in another folder is independent; a
# killed copy leaves no guard behind, and the log says the computer ran on.
# With "bound", the second start comes through a bind mount of the folder:
# the same folder.
second_start_shows_the_running_copy() {
  local folder other window log checkpoint first second
  folder=$(new_folder "single${1:-}")
  second=$folder
  if [ -n "${1:-}" ]; then
    second="$WORK/bound"
    mkdir -p "$second" && mount --bind "$folder" "$second" || { fail "mount --bind failed"; return; }
  fi
  launch "$folder"
  first=$PROGRAM
  wait_for mapped_main_window || fail "the main window did not show"
  window=$(main_window)
  press_until "$window" Return is_unmapped "$window" || fail "Continue did not hide the window"
  log=$(cat "$folder/triplog.txt")
  checkpoint=$(cat "$folder/CHKPT.INI")
  launch "$second"
  wait_for_exit
  [ "$EXIT_CODE" = 0 ] || fail "exit code of the second start: $EXIT_CODE"
  [ "$(cat "$folder/triplog.txt")" = "$log" ] || fail "the trip log changed: $(cat "$folder/triplog.txt")"
  [ "$(cat "$folder/CHKPT.INI")" = "$checkpoint" ] || fail "the checkpoint changed"
  wait_for is_mapped "$window" || fail "the running copy's window did not show"

  other=$(new_folder single-other)
  launch "$other"
  wait_for test -s "$other/CHKPT.INI" || fail "a copy in another folder did not start"
  kill -TERM "$PROGRAM"
  wait_for_exit

  kill -KILL "$first"
  wait "$first" 2>/dev/null
  launch "$folder"
  wait_for mapped_main_window || fail "the start after a kill did not show its window"
  grep -q "  ABNORMAL PROGRAM END"$'\r'"$" "$folder/triplog.txt" || fail "no abnormal verdict after the kill"
  grep -q "  The computer kept running: only this program was stopped"$'\r'"$" "$folder/triplog.txt" || fail "no kept-running line after the kill"
}

second_start_through_a_bind_mount() {
  if [ "$(id -u)" != 0 ]; then echo "  skipped: needs root to bind-mount a folder"; return; fi
  second_start_shows_the_running_copy bound
}

# The program meets an end that it does not control: a signal to its
# processes (the program, or all), with its display alive, or ending with
# them (a power cut), or the end of its display alone, as a desktop without
# a session manager ends a session. Only the last is a normal end, and it
# saves a note typed into the Log window, when one is given.
meets_its_end() {
  local signal=$1 whom=$2 words=$3 note=${4:-} folder display=$DISPLAY xvfb watcher
  folder=$(new_folder "end-$signal-$whom")
  if [[ $whom == *display* ]]; then
    Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$folder/display" 2>/dev/null &
    xvfb=$!
    BACKGROUND_PIDS+=($xvfb)
    wait_for test -s "$folder/display" || { fail "Xvfb did not start"; return; }
    display=":$(head -n1 "$folder/display")"
  fi
  DISPLAY=$display launch "$folder"
  DISPLAY=$display wait_for mapped_main_window || { fail "the main window did not show"; return; }
  wait_for pgrep -P "$PROGRAM" >/dev/null || fail "no watcher process"
  watcher=$(pgrep -P "$PROGRAM")
  [ -z "$note" ] || DISPLAY=$display note_in_the_log "$note" || return
  case $whom in
    program) kill -"$signal" "$PROGRAM" ;;
    all) kill -"$signal" "$watcher" "$PROGRAM" ;;
    display) kill -"$signal" "$xvfb" ;;
    all+display) kill -"$signal" "$watcher" "$PROGRAM" "$xvfb" ;;
  esac
  wait_for_exit
  [ "$EXIT_CODE" != timeout ] || fail "the program stays"
  wait_for process_ended "$watcher" || fail "the watcher stays"
  [ -z "$note" ] || [ "$(tail -c ${#note} "$folder/triplog.txt")/$(status_in "$folder")" = "$note/0" ] ||
    fail "log/status: $(tail -c 40 "$folder/triplog.txt")/$(status_in "$folder")"
  launch "$folder"
  wait_for mapped_main_window || fail "the next start did not show its window"
  grep -q "  $words"$'\r'"$" "$folder/triplog.txt" || fail "next start: $(tr -d '\r' <"$folder/triplog.txt")"
}
all_killed_with_the_display_alive() { meets_its_end KILL all "ABNORMAL PROGRAM END"; }
segfault_with_the_display_alive() { meets_its_end SEGV program "ABNORMAL PROGRAM END"; }
abort_with_the_display_alive() { meets_its_end ABRT program "ABNORMAL PROGRAM END"; }
power_cut_takes_the_display_too() { meets_its_end KILL all+display "ABNORMAL PROGRAM END"; }
x_server_ends() { meets_its_end TERM display "Normal program shutdown" "typed before the end"; }

# An X server of its own on a free display number, with the given ways in;
# XVFB and XNUMBER name it.
own_x_server() {
  local number=60
  while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 640x480x24 "$@" 2>/dev/null &
  XVFB=$! XNUMBER=$number
  BACKGROUND_PIDS+=($XVFB)
  wait_for xdpyinfo -display ":$number" >/dev/null 2>&1
}

# The display's end is judged by the program's own connection, however it
# reached its server: killed with the server alive and reached over TCP, or
# through a socket file removed since, the end stays abnormal.
kill_with_the_display_reached_another_way() {
  local way folder watcher
  for way in tcp removed-socket; do
    folder=$(new_folder "other-way-$way")
    if [ "$way" = tcp ]; then
      own_x_server -listen tcp -nolisten unix -nolisten local || { fail "$way: no X server"; continue; }
    else
      own_x_server -nolisten tcp -nolisten local || { fail "$way: no X server"; continue; }
    fi
    DISPLAY=:$XNUMBER launch "$folder"
    DISPLAY=:$XNUMBER wait_for mapped_main_window || { fail "$way: the main window did not show"; continue; }
    wait_for pgrep -P "$PROGRAM" >/dev/null || fail "$way: no watcher process"
    watcher=$(pgrep -P "$PROGRAM")
    [ "$way" = removed-socket ] && rm -f "/tmp/.X11-unix/X$XNUMBER"
    kill -KILL "$PROGRAM"
    wait_for_exit
    wait_for process_ended "$watcher" || fail "$way: the watcher stays"
    [ "$(status_in "$folder")" = 1 ] || fail "$way: status after the kill: $(status_in "$folder")"
    stop_processes "$XVFB"
  done
}

# Named on the command line, with DISPLAY unset, the X server's end is still
# the session's normal end.
display_named_on_the_command_line_ends_normally() {
  local folder watcher
  folder=$(new_folder display-option)
  own_x_server -nolisten tcp || { fail "no X server"; return; }
  (cd "$folder" && exec env -u DISPLAY ./tallyvane -display ":$XNUMBER" >"$folder/stdout.txt" 2>&1) &
  PROGRAM=$!
  BACKGROUND_PIDS+=($PROGRAM)
  DISPLAY=:$XNUMBER wait_for mapped_main_window || { fail "the main window did not show"; return; }
  wait_for pgrep -P "$PROGRAM" >/dev/null || fail "no watcher process"
  watcher=$(pgrep -P "$PROGRAM")
  kill -TERM "$XVFB"
  wait_for_exit
  wait_for process_ended "$watcher" || fail "the watcher stays"
  [ "$(status_in "$folder")" = 0 ] || fail "status after the X server's end: $(status_in "$folder")"
}

# A display-end run started by hand, while a copy runs from the folder,
# records nothing: only a watcher's run may, and only what it saw.
display_end_run_by_hand_writes_nothing() {
  local folder checkpoint log
  folder=$(new_folder by-hand)
  launch "$folder"
  wait_for mapped_main_window || { fail "the main window did not show"; return; }
  checkpoint=$(cat "$folder/CHKPT.INI") log=$(cat "$folder/triplog.txt")
  (cd "$folder" && ./tallyvane --display-ended </dev/null >/dev/null 2>&1)
  (cd "$folder" && ./tallyvane --display-ended 5</dev/null </dev/null >/dev/null 2>&1)
  [ "$(cat "$folder/CHKPT.INI")" = "$checkpoint" ] || fail "the checkpoint changed: $(cat "$folder/CHKPT.INI")"
  [ "$(cat "$folder/triplog.txt")" = "$log" ] || fail "the trip log changed"
}

# Types a note at the end of the open Log window, and waits until the
# program keeps it for an end that leaves it no time to save.
note_in_the_log() {
  choose_log && wait_for mapped_log_window || { fail "no Log window"; return 1; }
  LOG=$(log_window)
  wait_for has_focus "$LOG" || xdotool windowfocus "$LOG" 2>/dev/null
  type_into_log "$1"
  wait_for kept_for_the_watcher "$1" || fail "the note was not kept"
}

# The name a process listens at, from the kernel's list of Unix sockets.
listening_name() {
  local inodes
  inodes=$(find /proc/"$1"/fd -lname 'socket:*' -printf '%l\n' 2>/dev/null | tr -dc '0-9\n' | tr '\n' ' ')
  awk -v inodes=" $inodes" '$8 ~ /^@tallyvane/ && index(inodes, " " $7 " ") { print $8 }' /proc/net/unix
}

# As the account nobody, in the background: python3 running a script on a
# socket name.
stranger_on() {
  setpriv --reuid=nobody --regid=nogroup --clear-groups /usr/bin/python3 -c "import socket, time
name = '\\0' + '$1'
$2" >"$WORK/stranger.txt" &
  STRANGER=$!
  BACKGROUND_PIDS+=($STRANGER)
}

# Another account's copy from the same folder, started first, neither stops
# this user's start nor shows its window when it connects; nor does another
# account's listener at this user's name whose queue is full.
another_account_counts_for_nothing() {
  local folder window name first
  if [ "$(id -u)" != 0 ]; then echo "  skipped: needs root to run a copy as nobody"; return; fi
  folder=$(new_folder other-account)
  chmod 755 "$WORK" "$folder"
  (cd "$folder" && exec setpriv --reuid=nobody --regid=nogroup --clear-groups ./tallyvane >/dev/null 2>&1) &
  first=$!
  BACKGROUND_PIDS+=($first)
  wait_for x_window_named "$first" "Application Error" || fail "the other account's copy shows no start-up error"
  launch "$folder"
  wait_for mapped_main_window || { fail "the start did not run beside another account's copy"; return; }
  window=$(main_window)
  press_until "$window" Return is_unmapped "$window" || fail "Continue did not hide the window"
  name=$(listening_name "$PROGRAM")
  stranger_on "${name#@}" "socket.socket(socket.AF_UNIX).connect(name)"
  wait "$STRANGER" || fail "another account could not connect to $name"
  sleep 0.5
  is_unmapped "$window" || fail "another account's connect showed the window"
  kill -TERM "$PROGRAM"
  wait_for_exit
  stranger_on "${name#@}" "s = socket.socket(socket.AF_UNIX); s.bind(name); s.listen(0); c = []
while not c or c[-1].connect_ex(name) == 0: c.append(socket.socket(socket.AF_UNIX)); c[-1].setblocking(False)
print('full', flush=True); time.sleep(300)"
  wait_for grep -q full "$WORK/stranger.txt" || fail "the stranger's listener did not start"
  launch "$folder"
  wait_for mapped_main_window || fail "another account's listener stopped the start"
  stop_processes "$STRANGER" "$first"
}

# The abstract name at which the running copy of this user listens, for a
# slot (0 to 3), as a stranger would work it out.
claim_name() {
  local dev ino
  read -r dev ino < <(stat -c '%d %i' "$1")
  printf 'tallyvane-%s-%x-%x-%s' "$(id -u)" "$dev" "$ino" "$2"
}
files_of() { cat "$1/CHKPT.INI" "$1/triplog.txt" 2>/dev/null | md5sum; }

# A stranger holds the first name while the first copy starts, then goes: the
# second start still finds the first copy and shows its window. Holding all
# four names, it leaves the second start no way to ask: that start says so
# and changes nothing. Either way one monitor writes the folder.
strangers_names_leave_one_monitor() {
  local folder first files code round
  if [ "$(id -u)" != 0 ]; then echo "  skipped: needs root to run a stranger as nobody"; return; fi
  for round in first-name all-names; do
    folder=$(new_folder "names-$round")
    chmod 755 "$WORK" "$folder"
    if [ "$round" = first-name ]; then
      stranger_on "$(claim_name "$folder" 0)" "s = socket.socket(socket.AF_UNIX); s.bind(name); s.listen(1)
print('bound', flush=True); time.sleep(3)"
    else
      stranger_on "" "s = []
for slot in range(4):
  s.append(socket.socket(socket.AF_UNIX)); s[-1].bind(name + '$(claim_name "$folder" X)'[:-1] + str(slot)); s[-1].listen(1)
print('bound', flush=True); time.sleep(300)"
    fi
    wait_for grep -q bound "$WORK/stranger.txt" || { fail "$round: the stranger did not bind"; continue; }
    launch "$folder"
    first=$PROGRAM
    wait_for mapped_main_window || { fail "$round: the first copy did not show"; continue; }
    [ "$round" = first-name ] && { wait "$STRANGER" 2>/dev/null; }
    files=$(files_of "$folder")
    (cd "$folder" && exec ./tallyvane >"$folder/second.txt" 2>&1)
    code=$?
    if [ "$round" = first-name ]; then
      [ "$code" = 0 ] && grep -q "its window is shown" "$folder/second.txt" ||
        fail "$round: the second start ($code): $(cat "$folder/second.txt")"
    else
      [ "$code" = 1 ] && grep -q "does not answer" "$folder/second.txt" ||
        fail "$round: the second start ($code): $(cat "$folder/second.txt")"
    fi
    [ "$(files_of "$folder")" = "$files" ] || fail "$round: the second start changed the files"
    process_ended "$first" && fail "$round: the first copy ended"
    stop_processes "$first" "$STRANGER"
  done
}

# A copy that does not answer (stopped, as one stalled on a hung disk is)
# keeps every later start out, however many come at once.
stopped_copy_keeps_every_start_out() {
  local folder files i code answered=0
  folder=$(new_folder stopped)
  launch "$folder"
  wait_for mapped_main_window || { fail "the first copy did not show"; return; }
  files=$(files_of "$folder")
  kill -STOP "$PROGRAM"
  local starts=()
  for i in $(seq 10); do
    (cd "$folder" && exec ./tallyvane >"$folder/start-$i.txt" 2>&1) &
    starts+=($!)
  done
  for i in $(seq 10); do
    wait "${starts[$((i - 1))]}"
    code=$?
    [ "$code" = 1 ] && grep -q "does not answer" "$folder/start-$i.txt" && answered=$((answered + 1))
  done
  kill -CONT "$PROGRAM"
  [ "$answered" = 10 ] || fail "$answered of 10 starts said the running copy does not answer"
  [ "$(files_of "$folder")" = "$files" ] || fail "a start changed the files"
  sleep 0.5
  process_ended "$PROGRAM" && fail "the stopped copy ended"
}

# Two accounts of one group share a folder both can write: while one's copy
# runs, the other's start is refused with a box and writes nothing; the
# first's verdicts stay true. An account that cannot write the files fails
# as before, with "Unable to write to".
accounts_sharing_a_folder_take_turns() {
  local folder group=tallyvane-share a=tallyvane-a b=tallyvane-b first second files account as
  # The caption of the program's boxes: the program file's name.
  local TITLE=tallyvane
  if [ "$(id -u)" != 0 ]; then echo "  skipped: needs root to make the accounts"; return; fi
  getent group "$group" >/dev/null || groupadd --system "$group"
  for account in "$a" "$b"; do
    id -u "$account" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$account"
  done
  # With Debian's umask for ordinary users, so that what one writes the group can write.
  as=(setpriv --regid="$group" --clear-groups sh -c 'umask 002; exec ./tallyvane')
  folder=$(new_folder shared)
  chmod 755 "$WORK"
  chgrp "$group" "$folder" && chmod 2775 "$folder"
  (cd "$folder" && exec "${as[0]}" --reuid="$a" "${as[@]:1}" >"$folder/a.txt" 2>&1) &
  first=$!
  BACKGROUND_PIDS+=($first)
  wait_for x_window_named "$first" Tallyvane || { fail "the first account's copy did not show"; return; }
  wait_for test -f "$folder/CHKPT.INI"
  files=$(files_of "$folder")
  (cd "$folder" && exec "${as[0]}" --reuid="$b" "${as[@]:1}" >"$folder/b.txt" 2>&1) &
  second=$!
  BACKGROUND_PIDS+=($second)
  wait_for x_window_named "$second" "$TITLE" || fail "the second account got no box: $(cat "$folder/b.txt")"
  grep -q "is in use by another account ($a)" "$folder/b.txt" || fail "the box said: $(cat "$folder/b.txt")"
  [ "$(files_of "$folder")" = "$files" ] || fail "the second account's start changed the files"
  stop_processes "$second"
  kill -TERM "$first"
  wait_for_exit_of "$first"
  [ "$EXIT_CODE" = 0 ] || fail "the first account's copy ended with $EXIT_CODE"
  [ "$(status_in "$folder")" = 0 ] || fail "status after the first account's end: $(status_in "$folder")"
  grep -q "ABNORMAL" "$folder/triplog.txt" && fail "a false abnormal end: $(cat "$folder/triplog.txt")"

  # The same folder closed to the group: the second account cannot write.
  chmod 755 "$folder"
  chmod 644 "$folder/CHKPT.INI" "$folder/triplog.txt"
  files=$(files_of "$folder")
  (cd "$folder" && exec "${as[0]}" --reuid="$b" "${as[@]:1}" >"$folder/b.txt" 2>&1) &
  second=$!
  BACKGROUND_PIDS+=($second)
  wait_for x_window_named "$second" "Application Error" || fail "no start-up error for an account that cannot write"
  grep -q "Unable to write to $folder" "$folder/b.txt" || fail "the error said: $(cat "$folder/b.txt")"
  [ "$(files_of "$folder")" = "$files" ] || fail "the start that cannot write changed the files"
  stop_processes "$second"
}

# A hand-edited stamp is shown as the text it is, never as markup.
stamp_with_markup_shows_as_text() {
  local folder window red
  folder=$(new_folder markup)
  printf '[main]\r\nTripStatus=1\r\nTripTS=<font color=#ff0000>RED RED RED</font>\r\n' >"$folder/CHKPT.INI"
  launch "$folder"
  wait_for mapped_main_window || fail "the main window did not show"
  window=$(main_window)
  sleep 0.5
  import -window "$window" "$WORK/markup.png" 2>/dev/null || fail "no screenshot"
  red=$(convert "$WORK/markup.png" -fx '(r>0.8&&g<0.3&&b<0.3)?1:0' -format '%[fx:mean>0]' info:)
  [ "$red" = 0 ] || fail "the stamp was drawn in colour"
}

# Nobody answers the box of a failed tick and the disk comes back: the next
# tick writes the checkpoint, so a power cut after it is dated right.
tick_goes_on_behind_an_unanswered_error_box() {
  local folder stamp now
  folder=$(new_folder tickbox)
  launch "$folder"
  wait_for mapped_main_window || fail "the main window did not show"
  rm -f "$folder/CHKPT.INI"
  mkdir "$folder/CHKPT.INI"
  wait_for_seconds 75 window_named tallyvane || fail "no error box for the failed tick"
  rmdir "$folder/CHKPT.INI"
  wait_for_seconds 75 test -f "$folder/CHKPT.INI" || { fail "no checkpoint after the disk came back"; return; }
  stamp=$(stamp_in "$folder")
  now=$(date '+%Y-%m-%d %H:%M')
  [ "$(status_in "$folder")" = 1 ] || fail "status: $(status_in "$folder")"
  [ "$stamp" = "$now" ] || [ "$stamp" = "$(date -d '1 minute ago' '+%Y-%m-%d %H:%M')" ] || fail "stamp $stamp at $now"
  kill -KILL "$PROGRAM"
  wait "$PROGRAM" 2>/dev/null
  launch "$folder"
  wait_for mapped_main_window || fail "the start after the power cut did not show its window"
  grep -q "^$stamp  ABNORMAL PROGRAM END"$'\r'"$" "$folder/triplog.txt" || fail "verdict: $(cat "$folder/triplog.txt")"
}

# The Log window on the trip log read from standard input, through the menu
# bar (Exit, Log, ...); the log as the start left it is in $WORK/started.txt.
log_window() { window_named "Tallyvane log"; }
mapped_log_window() { local w; w=$(log_window) && is_mapped "$w"; }
choose_log() { xdotool mousemove --window "$(main_window)" 55 8 click 1; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
type_into_log() { wait_for has_focus "$LOG" && xdotool key --delay 30 ctrl+End type --delay 30 "$1" || fail "no focus"; }
open_log_window() {
  FOLDER=$(new_folder "$1")
  cat >"$FOLDER/triplog.txt"
  launch "$FOLDER"
  wait_for mapped_main_window && choose_log && wait_for mapped_log_window || { fail "no Log window"; return 1; }
  LOG=$(log_window)
  cp "$FOLDER/triplog.txt" "$WORK/started.txt"
  # Where the command does not give it the focus, the first keys still reach it.
  wait_for has_focus "$LOG" || xdotool windowfocus "$LOG" 2>/dev/null
}

# The question of a save when another program changed the log too, answered
# with the key of one of its buttons: k keeps the window's text, t takes the
# file's. The box is captioned with the program file's name.
answer_which_text_wins() {
  local box
  wait_for window_named tallyvane || { fail "no question which text wins"; return 1; }
  box=$(window_named tallyvane)
  box_gone() { ! is_mapped "$box"; }
  local _
  for _ in $(seq 5); do
    wait_for is_mapped "$box" || break
    xdotool windowfocus --sync "$box" key "alt+$1" 2>/dev/null
    wait_for_seconds 2 box_gone && return 0
  done
  box_gone || fail "the question stays"
}

# Notes survive the Log command on the open window (focus in it, no reload)
# and Exit; the file changed behind the window, so Exit asks first.
log_notes_survive_the_log_command_and_exit() {
  open_log_window lognotes </dev/null || return
  type_into_log "my note"
  printf 'changed behind the window\r\n' >"$FOLDER/triplog.txt"
  choose_log
  type_into_log " goes on"
  xdotool mousemove --window "$(main_window)" 12 8 click 1
  answer_which_text_wins k
  wait_for_exit
  [ "$(tail -c 17 "$FOLDER/triplog.txt")" = $'\r\nmy note goes on' ] || fail "log: $(cat -A "$FOLDER/triplog.txt")"
  [ "$EXIT_CODE/$(status_in "$FOLDER")" = 0/0 ] || fail "exit code/status: $EXIT_CODE/$(status_in "$FOLDER")"
}

# Lines another program (an editor) adds to the log before the Log window
# opens and while it is open are all kept at the end, with a note typed in
# the window too: at an end signal and at the display's end.
log_keeps_what_an_editor_added() {
  local end display xvfb folder
  for end in signal display; do
    display=$DISPLAY
    if [ "$end" = display ]; then
      own_x_server -nolisten tcp || { fail "$end: no X server"; continue; }
      display=:$XNUMBER xvfb=$XVFB
    fi
    folder=$(new_folder "editor-$end")
    DISPLAY=$display launch "$folder"
    DISPLAY=$display wait_for mapped_main_window || { fail "$end: the main window did not show"; continue; }
    printf 'added before the Log opened\r\n' >>"$folder/triplog.txt"
    DISPLAY=$display note_in_the_log "typed in the window" || continue
    printf 'added while the Log was open\r\n' >>"$folder/triplog.txt"
    if [ "$end" = signal ]; then kill -TERM "$PROGRAM"; else kill -TERM "$xvfb"; fi
    wait_for_exit
    wait_for test -z "$(pgrep -P "$PROGRAM" 2>/dev/null)"
    sleep 0.5
    local line
    for line in "added before the Log opened" "added while the Log was open" "typed in the window"; do
      grep -q "^$line" "$folder/triplog.txt" || fail "$end: lost \"$line\": $(tr -d '\r' <"$folder/triplog.txt")"
    done
  done
}

# Edits in the window and in the file: closing the Log asks which text wins.
log_close_asks_which_text_wins() {
  local answer
  for answer in k t; do
    open_log_window "asks-$answer" </dev/null || return
    type_into_log "my note"
    printf 'from the editor\r\n' >>"$FOLDER/triplog.txt"
    xdotool key --window "$LOG" Escape
    answer_which_text_wins "$answer"
    log_gone() { ! is_mapped "$LOG"; }
    wait_for log_gone || fail "$answer: the Log window stays"
    if [ "$answer" = k ]; then
      grep -q "my note" "$FOLDER/triplog.txt" && ! grep -q "from the editor" "$FOLDER/triplog.txt" ||
        fail "kept the window's: $(tr -d '\r' <"$FOLDER/triplog.txt")"
    else
      grep -q "from the editor" "$FOLDER/triplog.txt" && ! grep -q "my note" "$FOLDER/triplog.txt" ||
        fail "took the file's: $(tr -d '\r' <"$FOLDER/triplog.txt")"
    fi
    stop_processes "$PROGRAM"
  done
}

# A 10 MB line: the window opens, an end signal is honoured, the line stays whole.
log_window_on_a_10_mb_line_keeps_the_end_signal() {
  open_log_window longline < <(head -c 10000000 /dev/zero | tr '\0' x; printf '\r\n') || return
  kill -TERM "$PROGRAM"
  wait_for_exit
  [ "$EXIT_CODE/$(status_in "$FOLDER")" = 0/0 ] || fail "exit code/status: $EXIT_CODE/$(status_in "$FOLDER")"
  cmp -s "$FOLDER/triplog.txt" "$WORK/started.txt" || fail "the log changed"
}

# A save keeps the bytes not typed: a byte-order mark, line and paragraph separators.
log_save_keeps_the_bytes_not_typed() {
  open_log_window logbytes < <(printf '\xef\xbb\xbfa\xe2\x80\xa8b\xe2\x80\xa9c\r\n') || return
  type_into_log "note"
  xdotool mousemove --window "$LOG" 12 8 click 1
  printf 'note' >>"$WORK/started.txt"
  wait_for cmp -s "$FOLDER/triplog.txt" "$WORK/started.txt" || fail "log: $(cat -A "$FOLDER/triplog.txt")"
}

# The fast cases by default; the names given after the binary run alone.
CASES=(first_run_then_sigterm first_run_then_sighup first_run_then_sigint
  session_end_with_an_unwritable_checkpoint start_after_power_cut
  continue_then_tray_click_shows_the_window exit_menu_ends_with_a_normal_shutdown
  folder_named_triplog_fails_the_start read_only_folder_fails_the_start
  end_signal_during_the_start_error_box second_start_shows_the_running_copy second_start_through_a_bind_mount
  another_account_counts_for_nothing strangers_names_leave_one_monitor stopped_copy_keeps_every_start_out
  accounts_sharing_a_folder_take_turns stamp_with_markup_shows_as_text)
(($# > 1)) && CASES=("${@:2}")

start_display || exit 1
for name in "${CASES[@]}"; do run_case "$name"; done
finish
