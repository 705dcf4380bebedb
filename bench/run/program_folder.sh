# One program folder per run: a copy of the binary, and for Tallyvane the
# checkpoint and trip log that the run should find beside it.
# Needs WORK; FOLDER_BASE, when set, is the folder to make it in instead.

# new_program_folder BINARY [LOGFILE]: prints the folder. The checkpoint says
# the previous run ended normally; LOGFILE, when given, is the trip log.
new_program_folder() {
  local folder
  folder=$(mktemp -d "${FOLDER_BASE:-$WORK}/run.XXXXXX")
  cp "$1" "$folder/"
  printf '[main]\r\nTripStatus=0\r\nTripTS=2026-12-06 18:41\r\n' >"$folder/CHKPT.INI"
  if [ -n "${2:-}" ]; then cp "$2" "$folder/triplog.txt"; fi
  echo "$folder"
}

# A trip log of 20,000 lines, about 1 MB: the lines of many years of starts
# and ends, each padded with a note to 50 characters.
make_big_log() {
  awk 'BEGIN {
    ORS = "\r\n"
    for (i = 0; i < 20000; i++) {
      day = i % 28 + 1; month = int(i / 28) % 12 + 1; year = 2000 + int(i / 336)
      text = (i % 2) ? "Program restart" : "Normal program shutdown"
      printf "%-50s\r\n", sprintf("%04d-%02d-%02d %02d:%02d  %s  checked", year, month, day, i % 24, i % 60, text)
    }
  }' >"$1"
}
