#!/usr/bin/env bash
# The rate-change impact report against the target of 10,000 cases in 2 s:
# a case file of CASES saved cases (default 10,000: the five of sample.clt
# over and over) priced on the bundled sample rates and on the changed set,
# the CSV written to a file. Prints the seconds and cases per second.
#   bench/impact_bench.sh [CASES] [BUILD]
set -euo pipefail
cases="${1:-10000}"
build="${2:-build}"
program="$build/quoravel/quoravel"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ((i = 0; i < (cases + 4) / 5; i++)); do cat data/sample.clt; done > "$work/cases.clt"

start=$(date +%s.%N)
env -u QUORAVEL_HOME "$program" impact --old-rates "$build/quoravel" --new-rates "$build/changed-rates" \
  --csv "$work/impact.csv" "$work/cases.clt" || test $? -eq 1  # sample.clt holds a case no set prices
end=$(date +%s.%N)
lines=$(($(wc -l < "$work/impact.csv") - 1))
awk -v cases="$(((cases + 4) / 5 * 5))" -v lines="$lines" -v s="$start" -v e="$end" 'BEGIN {
  printf "impact: %d cases, %d lines in %.2f s: %.0f cases/s (target 10,000 cases in 2 s)\n", cases, lines, e - s, cases / (e - s)
}'
