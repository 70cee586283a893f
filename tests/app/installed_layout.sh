#!/usr/bin/env bash
# The program as an administrator installs it: into a prefix its user cannot
# write, run by a user whose home is elsewhere. The relay example and one
# window proposal must succeed, and nothing may be written under the prefix.
# Arguments: the build folder, the source folder, the window check program.
set -euo pipefail
build=$1 source=$2 check=$3

work=$(mktemp -d /tmp/quoravel-installed-XXXXXX)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
cp "$check" "$work/window-check"
cp -r "$source/examples/relay/single-product" "$work/relay"
mkdir -m 700 "$work/home" "$work/runtime"
snapshot() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }

# Root writes wherever it likes: the runs are made as the user nobody, who
# may only read the prefix.
chmod -R a-w "$prefix"
snapshot > "$work/before"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$work"
  chown -R nobody:nogroup "$work/home" "$work/runtime" "$work/relay"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
run() {
  "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$@"
}
fail() { echo "FAILED: $*" >&2; exit 1; }

version=$(run "$prefix/bin/quoravel" --version)
echo "$version"
grep -q "rate files in $prefix/bin/../share/quoravel/\|rate files in $prefix/share/quoravel/" <<<"$version" ||
  fail "the installed program does not read $prefix/share/quoravel"

run "$prefix/bin/quoravel" "$work/relay" || fail "the relay run ended with exit code $?"
grep -q '^Status=0' "$work/relay/relay.out" || fail "relay.out: $(grep '^Status' "$work/relay/relay.out")"
[ -s "$work/relay/illustration.pdf" ] || fail "the relay run wrote no illustration.pdf"
echo "relay run: Status=0, illustration.pdf written"

# The page renderer is as quiet as a relay run, with no runtime folder named,
# and leaves none behind.
runtimes=$(ls -d /tmp/runtime-* 2>/dev/null | wc -l)
run env -u XDG_RUNTIME_DIR "$prefix/bin/quoravel-render" "$work/relay"/page1.vsv \
  --pdf "$work/home/rendered.pdf" 2>"$work/render.err" || fail "quoravel-render"
[ ! -s "$work/render.err" ] || fail "quoravel-render said: $(cat "$work/render.err")"
[ "$(ls -d /tmp/runtime-* 2>/dev/null | wc -l)" -eq "$runtimes" ] || fail "quoravel-render left a runtime folder"

# The documents come with what they link to, and no empty folder.
[ -f "$prefix/share/doc/quoravel/quote.schema.json" ] || fail "quote.md links to a schema not installed"
[ -z "$(find "$prefix" -type d -empty)" ] || fail "empty folders: $(find "$prefix" -type d -empty)"

run "$work/window-check" "$prefix/bin" || fail "the window proposal"
ls "$work/home/.cache/Quoravel/runs"/run-*/page1.vsv >/dev/null || fail "no run folder in the user's cache"

snapshot > "$work/after"
diff "$work/before" "$work/after" >&2 || fail "something was written under the prefix"
echo "nothing written under $prefix"
