#!/usr/bin/env bash
# The GNU parallel recipe of docs/relay.md ("Batches larger than one
# machine"), run as the document writes it with this machine (":") as the
# only login, so no SSH is needed. Each example relay folder must be left
# as a run of `quoravel FOLDER` leaves it, and a folder that cannot be
# answered must reach parallel as a failed slice, counted in its exit code
# and its job log, without costing the other folders their answers.
#   parallel_recipe.sh QUORAVEL
set -uo pipefail
if [ $# -ne 1 ] || [ ! -x "$1" ] || [ -d "$1" ]; then
    echo "usage: parallel_recipe.sh QUORAVEL (the quoravel executable)" >&2
    exit 2
fi
program=$(realpath "$1")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
doc=$source_dir/docs/relay.md
examples=$source_dir/examples/relay
if ! command -v parallel > /dev/null; then
    echo "GNU parallel is missing: run scripts/setup.sh" >&2
    exit 1
fi
# The recipe: the indented command from "parallel --sshloginfile" to its
# first line that does not go on with a backslash.
recipe=$(awk '/^    parallel --sshloginfile/ { on = 1 }
              on { print; if (!/\\$/) exit }' "$doc")
if [ -z "$recipe" ]; then
    echo "$doc gives no command starting \"parallel --sshloginfile\"" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The recipe calls `quoravel` from the PATH, as on an installed machine.
mkdir "$work/bin"
ln -s "$program" "$work/bin/quoravel"
export PATH="$work/bin:$PATH"
failed=0
fail() {
    echo "$*"
    failed=1
}

# Fresh copies of the examples under $work/cases, so that every file in a
# folder after a run is that run's.
copy_examples() {
    rm -rf "$work/cases"
    mkdir "$work/cases"
    cp -r "$examples"/*/ "$work/cases/"
}
status_of() { grep -a '^Status=' "$1/relay.out" | tr -d '\r' | cut -d= -f2; }
# relay.out less the day it was made, which two runs need not share.
answer_of() { grep -av '^Date=' "$1/relay.out"; }
# How many lines of answers file $1 give folder $2 with Status $3.
lines_for() { awk -F'\t' -v folder="$2" -v status="$3" '$1 == folder && $2 == status' "$1" | wc -l; }

# What `quoravel FOLDER` leaves, one folder after another, in the same
# folders (relay.out names its folder).
copy_examples
mkdir "$work/expected"
names=()
for folder in "$work/cases"/*/; do
    name=$(basename "$folder")
    names+=("$name")
    if ! quoravel "$work/cases/$name" > /dev/null 2>&1; then
        fail "quoravel $name did not exit 0 on its own"
    fi
    mkdir "$work/expected/$name"
    answer_of "$work/cases/$name" > "$work/expected/$name/relay.out"
    (cd "$work/cases/$name" && ls) > "$work/expected/$name/files"
done
# The examples' README says what these two answer: a program that cannot
# price at all would make every comparison below pass.
[ "$(status_of "$work/cases/single-product")" = 0 ] || fail "single-product alone is not Status 0"
[ "$(status_of "$work/cases/missing-agent")" = 4 ] || fail "missing-agent alone is not Status 4"

# Runs the recipe in $work/run-$1 on the folders listed in standard input,
# leaving parallel's exit code in $work/run-$1/exit.
run_recipe() {
    local run=$work/run-$1
    mkdir "$run"
    echo : > "$run/nodes.txt"
    cat > "$run/cases.txt"
    (cd "$run" && timeout 300 bash -c "$recipe" < /dev/null 2> stderr)
    echo $? > "$run/exit"
}

# Every folder answered: the same answer and files as a run of its own.
copy_examples
printf '%s\n' "${names[@]/#/$work/cases/}" | run_recipe all
run=$work/run-all
[ "$(cat "$run/exit")" = 0 ] || fail "parallel exited $(cat "$run/exit") on the examples: $(head -c 300 "$run/stderr")"
for name in "${names[@]}"; do
    folder=$work/cases/$name
    if [ ! -f "$folder/relay.out" ]; then
        fail "$name got no relay.out"
        continue
    fi
    expected=$(grep -a '^Status=' "$work/expected/$name/relay.out" | tr -d '\r' | cut -d= -f2)
    [ "$(status_of "$folder")" = "$expected" ] \
        || fail "$name: Status $(status_of "$folder") through parallel, $expected on its own"
    answer_of "$folder" | cmp -s - "$work/expected/$name/relay.out" \
        || fail "$name: relay.out through parallel differs from its own run's"
    (cd "$folder" && ls) | cmp -s - "$work/expected/$name/files" \
        || fail "$name: other files than its own run leaves: $(cd "$folder" && ls | tr '\n' ' ')"
    [ "$(lines_for "$run/answers.tsv" "$folder" "$expected")" = 1 ] \
        || fail "$name: answers.tsv has no single line \"folder, $expected, seconds\""
done
[ "$(wc -l < "$run/answers.tsv")" = "${#names[@]}" ] || fail "answers.tsv holds other lines than one a folder"
awk -F'\t' 'NR > 1 && $7 != 0 { bad = 1 } END { exit bad }' "$run/batch.log" \
    || fail "batch.log records a failed slice on the examples"

# A missing folder and one without relay.ini: the slice fails, parallel
# counts it, and the good folder beside them is still answered.
copy_examples
mkdir "$work/cases/empty"
printf '%s\n' "$work/cases/missing" "$work/cases/empty" "$work/cases/single-product" | run_recipe bad
run=$work/run-bad
failed_slices=$(awk -F'\t' 'NR > 1 && $7 != 0' "$run/batch.log" | wc -l)
[ "$failed_slices" -ge 1 ] || fail "batch.log records no failed slice for the bad folders"
[ "$(cat "$run/exit")" = "$failed_slices" ] \
    || fail "parallel exited $(cat "$run/exit") with $failed_slices failed slice(s) logged"
for name in missing empty; do
    [ "$(lines_for "$run/answers.tsv" "$work/cases/$name" none)" = 1 ] || fail "answers.tsv does not name $name as not answered"
    grep -qF "$work/cases/$name" "$run/stderr" || fail "standard error does not name $name"
done
[ -f "$work/cases/single-product/relay.out" ] && [ "$(status_of "$work/cases/single-product")" = 0 ] \
    || fail "single-product beside the bad folders was not answered with Status 0"

[ $failed -eq 0 ] && echo "the parallel recipe answers every folder as quoravel FOLDER does"
exit $failed
