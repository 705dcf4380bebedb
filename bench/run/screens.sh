# Taking the screenshots of scripts/screenshots: the running program's own
# windows through its menu, and the dialogs through dialog_showcase.
# Needs WORK, BIN, OUT, BACKGROUND_PIDS and wait_for.

# The first visible window of PID whose name matches, or nothing.
window_of() { xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window_of "$1" "$2")" ]; }

# shoot WINDOW FILE: the window's own pixels, with the mouse out of the way
# so that no tooltip or hover highlight shows.
shoot() {
  xdotool mousemove 2190 1390
  sleep 0.6
  import -window "$1" "$OUT/$2"
}

# shoot_aside WINDOW FILE: shoot, then move the window below the main one,
# off its menu bar, whose next command is clicked by place.
shoot_aside() {
  shoot "$@"
  xdotool windowmove "$1" 0 800
}

# A menu-bar command of the main window, by the middle of its name in
# pixels at 96 dpi: with the fallback fonts the menu bar holds Exit, Log,
# Outages and About from the left.
MENU_LOG=55
MENU_OUTAGES=103
MENU_ABOUT=157
click_menu() {
  local window=$1 scale=$2 left=$3 X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + left * scale)) $((Y + 10 * scale)) click 1
}

# A log of a year with outages in several months, of the computer and of the
# program alone and one from before the boot-time line, so that the Outages
# window has rows, a summary and bars to show; the run adds the last one.
write_screenshot_log() {
  local line
  for line in '2025-12-01 08:00  Program start - first time on this PC' \
    '2026-03-14 02:17  ABNORMAL PROGRAM END' '2026-03-14 06:40  Program restart' \
    '2026-03-14 06:40  The computer started again at 2026-03-14 06:31: it was off for at most 4 h 14 min' \
    '2026-07-02 15:03  ABNORMAL PROGRAM END' '2026-07-02 15:31  Program restart' \
    '2026-07-02 15:31  The computer kept running: only this program was stopped' \
    '2026-07-19 21:55  ABNORMAL PROGRAM END' '2026-07-21 09:12  Program restart' \
    '2026-07-21 09:12  The computer started again at 2026-07-21 09:04: it was off for at most 1 d 11 h' \
    '2026-11-28 11:20  ABNORMAL PROGRAM END' '2026-11-28 12:05  Program restart' \
    '2026-12-05 17:30  Normal program shutdown' '2026-12-06 07:58  Program restart'; do
    printf '%s\r\n' "$line"
  done >"$1"
}

shoot_program_windows() {
  local scale=$1 folder="$WORK/program-$1" pid main log outages about
  mkdir -p "$folder"
  cp "$BIN/tallyvane" "$folder/"
  printf '[main]\r\nTripStatus=1\r\nTripTS=2026-12-06 18:41\r\n' >"$folder/CHKPT.INI"
  write_screenshot_log "$folder/triplog.txt"
  (cd "$folder" && QT_SCALE_FACTOR=$scale exec ./tallyvane >"$folder/output.txt" 2>&1) &
  pid=$!
  BACKGROUND_PIDS+=("$pid")
  wait_for has_window "$pid" '^Tallyvane$' || { echo "no main window at scale $scale" >&2; return 1; }
  main=$(window_of "$pid" '^Tallyvane$')
  shoot "$main" "main-x$scale.png"
  click_menu "$main" "$scale" "$MENU_LOG"
  wait_for has_window "$pid" '^Tallyvane log$' || echo "the Log command showed no window at scale $scale" >&2
  log=$(window_of "$pid" '^Tallyvane log$')
  [ -n "$log" ] && shoot_aside "$log" "log-x$scale.png"
  click_menu "$main" "$scale" "$MENU_OUTAGES"
  wait_for has_window "$pid" '^Tallyvane outages$' || echo "the Outages command showed no window at scale $scale" >&2
  outages=$(window_of "$pid" '^Tallyvane outages$')
  [ -n "$outages" ] && shoot_aside "$outages" "outages-x$scale.png"
  click_menu "$main" "$scale" "$MENU_ABOUT"
  wait_for has_window "$pid" '^About$' || echo "the About command showed no window at scale $scale" >&2
  about=$(window_of "$pid" '^About$')
  [ -n "$about" ] && shoot "$about" "about-x$scale.png"
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null || true
}

# shoot_dialog SCALE calendar|options|input|year
shoot_dialog() {
  local scale=$1 which=$2 pid window
  xdotool mousemove 40 40
  QT_SCALE_FACTOR=$scale "$BIN/bench/dialog_showcase" "$which" >/dev/null 2>&1 &
  pid=$!
  BACKGROUND_PIDS+=("$pid")
  wait_for has_window "$pid" '' || { echo "no $which window at scale $scale" >&2; return 1; }
  window=$(window_of "$pid" '')
  shoot "$window" "$which-x$scale.png"
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null || true
}

# The README's pictures: the main window at 96 dpi after a power cut and
# the Outages window, each just the window's region, stripped of metadata
# and compressed hard (lossless).
save_readme_screenshot() {
  mkdir -p docs
  convert "$OUT/main-x1.png" -strip -define png:compression-level=9 docs/screenshot.png
  convert "$OUT/outages-x1.png" -strip -define png:compression-level=9 docs/outages.png
  echo "docs/screenshot.png: $(stat -c %s docs/screenshot.png) bytes, docs/outages.png: $(stat -c %s docs/outages.png) bytes" >&2
}
