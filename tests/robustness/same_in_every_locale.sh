#!/usr/bin/env bash
# Every figure the program writes is the same whatever the locale it runs
# in: each relay example, quotes in every format, the case list and the
# impact report are made under the C locale and under a decimal-comma one
# (de_DE.UTF-8, which scripts/setup.sh generates) and compared byte for byte.
#   same_in_every_locale.sh PROGRAM_FOLDER EXAMPLES_FOLDER CHANGED_RATES
set -uo pipefail
program_folder=$1
examples=$2
changed_rates=$3
program="$program_folder/quoravel"
comma=de_DE.UTF-8
if ! locale -a | grep -qi '^de_DE\.utf-\?8$'; then
    echo "the locale $comma is missing: run scripts/setup.sh" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# Runs "$@" under each locale and compares what it printed.
same() {
    local name=$1
    shift
    LC_ALL=C "$@" > "$work/$name.C" 2>&1
    LC_ALL=$comma "$@" > "$work/$name.comma" 2>&1
    if ! cmp -s "$work/$name.C" "$work/$name.comma"; then
        echo "$name differs under $comma:"
        diff "$work/$name.C" "$work/$name.comma" | head -n 6
        failed=1
    fi
}

export QUORAVEL_HOME=$program_folder QT_QPA_PLATFORM=offscreen
for example in "$examples"/*/; do
    name=$(basename "$example")
    folder="$work/relay-$name"
    # One folder for both runs: the answer names it.
    for locale in C "$comma"; do
        rm -rf "$folder" && cp -r "$example" "$folder"
        LC_ALL=$locale "$program" "$folder" > /dev/null 2>&1
        mkdir -p "$work/$name.$locale"
        cp "$folder"/relay.out "$work/$name.$locale/"
        # The pages' text, less the number each proposal is told apart by.
        for pdf in "$folder"/*.pdf; do
            [ -f "$pdf" ] || continue
            pdftotext -layout "$pdf" - | grep -v '^ *#[0-9]* *$' > "$work/$name.$locale/$(basename "$pdf").txt"
        done
    done
    if ! diff -r "$work/$name.C" "$work/$name.$comma" > "$work/$name.diff"; then
        echo "relay example $name differs under $comma:"
        head -n 6 "$work/$name.diff"
        failed=1
    fi
done
for format in table json csv; do
    same "quote-$format" "$program" quote --age 45 --sex M --state TX --class N --face 250000 --face 1000000 \
        --table 2 --flat-perm 2.5 --waiver 1.5 --child 1 --format "$format"
done
same list-cases "$program" --list-cases "$program_folder/sample.clt"
same impact "$program" impact --old-rates "$program_folder" --new-rates "$changed_rates" "$program_folder/sample.clt"
[ $failed -eq 0 ] && echo "the same under C and $comma"
exit $failed
