#!/usr/bin/env bash
# Times the relay run of the single-product example, from process start to
# every output written (the process has ended), against the floor: a process
# that only starts Qt without a display and writes a one-page PDF. The two
# are run in turns so that both see the same machine load.
#
# Usage: bench/relay_bench.sh [RUNS] [BUILD_FOLDER]   (defaults: 30, build)
set -euo pipefail
export LC_ALL=C      # a decimal point in EPOCHREALTIME
unset QUORAVEL_HOME  # the program finds the build's program folder

runs=${1:-30}
build=${2:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
program="$build/quoravel/quoravel"
floor="$build/bench/floor/bench_pdf_floor"
example="$root/examples/relay/single-product"
for file in "$program" "$floor"; do
    [[ -x $file ]] || { echo "relay_bench: $file is missing; build the release and the benchmarks first (make bench)." >&2; exit 1; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
relay_times=()
floor_times=()

# Microseconds that one command takes.
elapsed() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || { echo "relay_bench: $* failed." >&2; exit 1; }
    local end=$EPOCHREALTIME
    echo $((10#${end/./} - 10#${start/./}))
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for ((i = 1; i <= runs; i++)); do
    rm -rf "$scratch/relay"
    cp -r "$example" "$scratch/relay"
    relay_times+=("$(elapsed "$program" "$scratch/relay")")
    answer=$(find "$scratch/relay" -maxdepth 1 -iname relay.out)
    grep -Eqi '^Status *= *0' "${answer:-/dev/null}" || { echo "relay_bench: run $i did not answer Status 0." >&2; exit 1; }
    [[ -s $scratch/relay/illustration.pdf ]] || { echo "relay_bench: run $i wrote no PDF." >&2; exit 1; }
    floor_times+=("$(elapsed "$floor" "$scratch/floor.pdf")")
done

relay_median=$(median "${relay_times[@]}")
floor_median=$(median "${floor_times[@]}")
awk -v relay="$relay_median" -v floor="$floor_median" -v runs="$runs" 'BEGIN {
    printf "relay run (single-product) median: %8.1f ms over %d runs\n", relay / 1000, runs
    printf "floor (Qt offscreen + 1-page PDF): %8.1f ms over %d runs\n", floor / 1000, runs
    printf "ratio relay / floor:               %8.2f\n", relay / floor
}'
