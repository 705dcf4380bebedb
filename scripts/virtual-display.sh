# A virtual display (Xvfb) with a notification area (trayer), for running
# Tallyvane where there is no desktop. Sourced by the run, screenshot,
# benchmark and end-to-end scripts. Needs WORK (a scratch folder) and the
# array BACKGROUND_PIDS, to which it adds what it starts; the caller ends
# those. SCREEN_SIZE (1024x768 unless set) and DISPLAY_BOOST (a command
# prefix such as "nice -n -10", empty unless set) are read.

# Waits up to a number of seconds for a command to succeed.
wait_for_seconds() {
  local seconds=$1
  shift
  for _ in $(seq $((seconds * 10))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
wait_for() { wait_for_seconds 10 "$@"; }

# Starts the display and its notification area (not with --no-tray) and
# exports DISPLAY, and an XDG_RUNTIME_DIR of its own when none is set, so Qt
# has nothing to warn of.
start_display() {
  ${DISPLAY_BOOST:-} Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1024x768}x24" -dpi 96 -nolisten tcp \
    3>"$WORK/display" 2>"$WORK/xvfb.txt" &
  BACKGROUND_PIDS+=($!)
  wait_for test -s "$WORK/display" || { echo "Xvfb did not start:" >&2; cat "$WORK/xvfb.txt" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$WORK/display")"
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$WORK/runtime
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  fi
  [ "${1:-}" = --no-tray ] && return 0
  # A second try when the first does not show up: on a loaded machine trayer
  # can miss the display's first moments.
  local try
  for try in 1 2; do
    ${DISPLAY_BOOST:-} trayer --edge top --align right --widthtype request --height 24 >"$WORK/trayer.txt" 2>&1 &
    BACKGROUND_PIDS+=($!)
    wait_for xdotool search --onlyvisible --class trayer && return 0
    kill "${BACKGROUND_PIDS[-1]}" 2>/dev/null
  done
  echo "trayer did not start on $DISPLAY:" >&2
  cat "$WORK/trayer.txt" >&2
  return 1
}
