#!/usr/bin/env bash
# The README's fresh-machine lines, run as they stand, as root, in a minimal
# Debian 12 made with debootstrap: a newcomer's first commands. The lines are
# those between the README's "fresh-machine" markers; REPOSITORY is this
# checkout's committed tree. It downloads Debian and every package the build
# needs, so it runs only with QUORAVEL_FRESH_CHECK=1 and is skipped (exit 77)
# otherwise. Prints how long each line took and what apt downloaded.
#   tests/fresh/fresh_machine.sh SOURCE_TREE [WORK_FOLDER]
set -euo pipefail
source_tree=$(cd "$1" && pwd)
work=${2:-$source_tree/build/fresh}
if [ "${QUORAVEL_FRESH_CHECK:-}" != 1 ]; then
  echo "fresh-machine check skipped: set QUORAVEL_FRESH_CHECK=1 (it downloads Debian 12 and the build's packages)"
  exit 77
fi
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine check: needs root (debootstrap, chroot)" >&2; exit 1; }
if ! command -v debootstrap >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
fi

root="$work/root"
unmount() { for m in dev/pts dev proc sys; do umount -l "$root/$m" 2>/dev/null || true; done; }
trap unmount EXIT
unmount
rm -rf "$work"
mkdir -p "$work"
seconds() { echo $(( $(date +%s) - $1 )); }

start=$(date +%s)
debootstrap --variant=minbase bookworm "$root" > "$work/debootstrap.log" 2>&1 ||
  { tail -20 "$work/debootstrap.log"; exit 1; }
echo "== debootstrap --variant=minbase bookworm: $(seconds "$start") s"
cp /etc/resolv.conf "$root/etc/resolv.conf"
for m in proc sys dev dev/pts; do mount --bind "/$m" "$root/$m"; done
# The repository a newcomer clones: what this checkout has committed.
git clone -q --bare "$source_tree" "$root/srv/quoravel.git"

# Each line in one shell, so that a `cd` carries to the next, timed.
{
  echo 'set -e'
  echo 'cd /root'
  sed -n '/^<!-- fresh-machine/,/^<!-- \/fresh-machine/p' "$source_tree/README.md" |
    sed '/^<!--/d; /^```/d; /^$/d' | sed 's|REPOSITORY|/srv/quoravel.git|' |
    while IFS= read -r line; do
      printf 'echo %q\nstart=$(date +%%s)\n%s\nprintf "== %%s s: %%s\\n" "$(( $(date +%%s) - start ))" %q\n' \
        "== $line" "$line" "$line"
    done
} > "$root/root/readme-lines.sh"
status=0
chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  bash /root/readme-lines.sh > "$work/readme-lines.log" 2>&1 || status=$?
grep -E '^== |Need to get|additional disk space|tests passed|^Status=|[Ww]arning' "$work/readme-lines.log" || true
echo "== the README's lines $([ "$status" -eq 0 ] && echo passed || echo "failed ($status)") on a fresh Debian 12" \
  "in $(seconds "$start") s (log: $work/readme-lines.log)"
[ "$status" -eq 0 ] || tail -30 "$work/readme-lines.log"
exit "$status"
