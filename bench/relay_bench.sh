#!/usr/bin/env bash
# Times the relay run of the single-product example, from process start to
# every output written (the process has ended), against the floor of
# ../shared/floor: a bare Qt process writing a one-page PDF. The two
# are run in turns so that both see the same machine load. Then the batch
# mode: BATCH copies of the examples in one `quoravel --relay` on every core,
# as runs per second, against the floor's runs per second started one process
# after another.
#
# Usage: bench/relay_bench.sh [RUNS] [BUILD_FOLDER] [BATCH]   (defaults: 30, build, 200)
set -euo pipefail
export LC_ALL=C      # a decimal point in EPOCHREALTIME
unset QUORAVEL_HOME  # the program finds the build's program folder

runs=${1:-30}
build=${2:-build}
batch=${3:-200}
root=$(cd "$(dirname "$0")/.." && pwd)
program="$build/quoravel/quoravel"
example="$root/examples/relay/single-product"
[[ -x $program ]] || { echo "relay_bench: $program is missing; build the release first (make bench)." >&2; exit 1; }
source "$root/bench/shared_floor.sh"
floor=$(SharedFloor "$build" relay_bench)
# The floor, like the relay run, has no display.
export QT_QPA_PLATFORM=offscreen

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

# The batch: copies of every example, the refused one included.
examples=("$root"/examples/relay/*/)
for ((i = 0; i < batch; ++i)); do
    cp -r "${examples[i % ${#examples[@]}]}" "$scratch/batch$i"
done
batch_time=$(elapsed "$program" --relay "$scratch"/batch*)
answered=$(ls "$scratch"/batch*/relay.out | wc -l)
[[ $answered == "$batch" ]] || { echo "relay_bench: $answered of $batch batch folders were answered." >&2; exit 1; }
floor_start=$EPOCHREALTIME
for ((i = 0; i < batch; ++i)); do "$floor" "$scratch/floor.pdf" >/dev/null 2>&1; done
floor_end=$EPOCHREALTIME
floor_batch=$((10#${floor_end/./} - 10#${floor_start/./}))

relay_median=$(median "${relay_times[@]}")
floor_median=$(median "${floor_times[@]}")
size=$(du -cb "$scratch"/relay/*.pdf "$scratch"/relay/*.emf "$scratch"/relay/*.vsv | tail -1 | cut -f1)
awk -v relay="$relay_median" -v floor="$floor_median" -v runs="$runs" -v size="$size" \
    -v batch="$batch" -v batch_time="$batch_time" -v floor_batch="$floor_batch" -v cores="$(nproc)" 'BEGIN {
    printf "relay run (single-product) median: %8.1f ms over %d runs\n", relay / 1000, runs
    printf "floor (../shared/floor):           %8.1f ms over %d runs\n", floor / 1000, runs
    printf "ratio relay / floor:               %8.2f\n", relay / floor
    printf "outputs of the single-product run: %8.0f KB (PDF, page pictures, page files)\n", size / 1000
    printf "batch of %d folders, %d cores:    %8.1f runs/s\n", batch, cores, batch / (batch_time / 1e6)
    printf "floor, one process a run:          %8.1f runs/s\n", batch / (floor_batch / 1e6)
    printf "ratio batch / floor:               %8.2f\n", (batch / batch_time) / (batch / floor_batch)
}'
