#!/usr/bin/env bash
# `quoravel serve` against its targets, on the release build:
#  - quotes of every product for one client at a steady 500 requests a second;
#  - the proposal PDF of the single-product example, one after another,
#    against the floor process of ../shared/floor (a bare Qt process writing
#    a one-page PDF, built here as it stands), started one after another;
#  - the resident size over 10,000 mixed requests from 16 clients.
#
# Usage: bench/serve_bench.sh [BUILD_FOLDER] [SECONDS]   (defaults: build, 20)
set -euo pipefail
export LC_ALL=C
unset QUORAVEL_HOME
build=${1:-build}
seconds=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
program="$build/quoravel/quoravel"
client="$build/bench/serve/serve_latency"
for file in "$program" "$client"; do
    [[ -x $file ]] || { echo "serve_bench: $file is missing; build the release and the benchmarks first (make bench)." >&2; exit 1; }
done
source "$root/bench/shared_floor.sh"
floor=$(SharedFloor "$build" serve_bench)

scratch=$(mktemp -d)
log="$scratch/serve.log"
"$program" serve --listen 127.0.0.1:0 2>"$log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$scratch"' EXIT
until port=$(grep -o 'listening on http://127.0.0.1:[0-9]*' "$log" | grep -o '[0-9]*$'); do sleep 0.1; done

echo '{"age": 45, "sex": "M", "state": "TX", "face": [250000]}' > "$scratch/quote.json"
echo "Quote of every product for one client:"
# A few seconds first, unmeasured: the server's threads take their first
# requests, as they do in its first minute at work.
"$client" "$port" /v1/quote "$scratch/quote.json" 500 3 >/dev/null
"$client" "$port" /v1/quote "$scratch/quote.json" 500 "$seconds"

echo "Proposal PDF of the single-product example:"
"$client" "$port" /v1/proposals "$root/examples/relay/single-product/relay.ini" 0 200 application/pdf
floor_times=()
for _ in $(seq 1 50); do
    start=$EPOCHREALTIME
    QT_QPA_PLATFORM=offscreen "$floor" "$scratch/floor.pdf" >/dev/null 2>&1
    end=$EPOCHREALTIME
    floor_times+=($((10#${end/./} - 10#${start/./})))
done
printf '%s\n' "${floor_times[@]}" | sort -n |
    awk '{ v[NR] = $1 } END { printf "the floor process, 50 one after another: median %.2f ms\n", v[int((NR + 1) / 2)] / 1000 }'
kill $server; wait $server 2>/dev/null || true

echo "Resident size over 10,000 requests:"
/usr/bin/python3 "$root/tests/app/serve/serve_api.py" "$program" load 10000 --memory | tail -n 2
