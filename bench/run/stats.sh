# Small numeric helpers for the benchmark table.

# The median of the numbers on standard input.
median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) { print "nan"; exit } ; if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# a / b with two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "nan"; else printf "%.2f\n", a / b }'; }

# "yes" when a <= b, else "no".
at_most() { awk -v a="$1" -v b="$2" 'BEGIN { print (a <= b) ? "yes" : "no" }'; }
