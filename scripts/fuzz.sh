#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset, clang) and runs them.
#
#   scripts/fuzz.sh [target...]         each target for FUZZ_SECONDS (default 60)
#   scripts/fuzz.sh smoke [target...]   each target over its checked-in corpus, then for 10 s
#
# New inputs go to build-fuzz/corpus/<target>, never into fuzz/corpus; an
# input that crashes or breaks a target's property is kept in
# build-fuzz/artifacts/<target>/. Exits 1 when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=run
if [ "${1:-}" = smoke ]; then
  mode=smoke
  shift
fi
seconds=${FUZZ_SECONDS:-60}
[ "$mode" = smoke ] && seconds=10

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

# Sanitizer reports with the stack that led to them.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

# The same compiler cache across worktrees of the repository.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

failed=()
for target in "${targets[@]}"; do
  binary="build-fuzz/fuzz/$target"
  seeds="fuzz/corpus/$target"
  artifacts="build-fuzz/artifacts/$target"
  if [ "$mode" = smoke ]; then
    # A fresh scratch corpus: the smoke starts from the checked-in seeds alone.
    found="build-fuzz/smoke/$target"
    rm -rf "$found"
  else
    found="build-fuzz/corpus/$target"
  fi
  mkdir -p "$found" "$artifacts"
  echo "== $target: ${seconds} s from $seeds"
  # The first corpus folder takes the new inputs; the seeds are only read.
  if "$binary" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$found" "$seeds" >"build-fuzz/$target.log" 2>&1; then
    grep -h -E "^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)" "build-fuzz/$target.log" |
      tr '\n' ' '
    echo
  else
    failed+=("$target")
    tail -n 40 "build-fuzz/$target.log"
    artifact=$(ls -t "$artifacts"/* 2>/dev/null | head -n 1 || true)
    echo "!! $target failed (log: build-fuzz/$target.log)."
    if [ -n "$artifact" ]; then
      echo "!! Input: $artifact"
      echo "!! Reproduce: $binary $artifact"
      echo "!! Unless it is one of the seeds, keep it as a regression seed once the reader is fixed: cp $artifact $seeds/<what-it-is>"
    fi
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzz targets that failed: ${failed[*]}"
  exit 1
fi
echo "All ${#targets[@]} fuzz targets ran clean."
