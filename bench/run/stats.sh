# Small numeric helpers for the benchmark table.

# The median of the numbers on standard input.
median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) { print "nan"; exit } ; if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# a / b with two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "nan"; else printf "%.2f\n", a / b }'; }

# "yes" when a <= b, else "no".
at_most() { awk -v a="$1" -v b="$2" 'BEGIN { print (a <= b) ? "yes" : "no" }'; }

# The CSV of ten repetitions of a benchmark program of BIN on the offscreen
# platform; fails when the program was not built.
qt_benchmark_csv() {
  [ -x "$BIN/bench/$1" ] || return 1
  QT_QPA_PLATFORM=offscreen "$BIN/bench/$1" --benchmark_repetitions=10 --benchmark_format=csv 2>/dev/null
}

# The median real time of one benchmark in such a CSV, printed with a format.
median_time_in() {
  awk -F, -v name="$2" -v format="$3" '$1 ~ "^\"?" name "/real_time_median" { printf format "\n", $3 }' <<<"$1"
}
