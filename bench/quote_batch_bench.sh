#!/usr/bin/env bash
# Batch quotes against the target of 10,000 clients a second: quotes a CSV
# of ROWS generated clients (default 100,000; whole BRN carrier, one face
# amount each) with `quoravel quote --csv` on every core and prints clients
# per second.
#   bench/quote_batch_bench.sh [ROWS] [BUILD]
set -euo pipefail
rows="${1:-100000}"
build="${2:-build}"
program="$build/quoravel/quoravel"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Ages 20 to 70, both sexes, ten states, six classes, four face amounts:
# a fixed seed, so every run quotes the same clients.
awk -v rows="$rows" 'BEGIN {
  srand(7); split("TX AL CA FL IL OH GA PA AZ CO", states, " "); split("SP P N S PS QN", classes, " ")
  split("100000 250000 500000 1000000", faces, " "); print "age,sex,state,class,face,carrier"
  for (i = 0; i < rows; i++)
    printf "%d,%s,%s,%s,%s,BRN\n", 20 + int(rand() * 51), rand() < 0.5 ? "M" : "F",
      states[1 + int(rand() * 10)], classes[1 + int(rand() * 6)], faces[1 + int(rand() * 4)]
}' > "$work/clients.csv"

start=$(date +%s.%N)
env -u QUORAVEL_HOME "$program" quote --csv "$work/clients.csv" > "$work/quotes.csv"
end=$(date +%s.%N)
lines=$(($(wc -l < "$work/quotes.csv") - 1))
awk -v rows="$rows" -v lines="$lines" -v s="$start" -v e="$end" 'BEGIN {
  printf "batch quotes: %d clients, %d lines in %.2f s: %.0f clients/s (target 10,000)\n", rows, lines, e - s, rows / (e - s)
}'
