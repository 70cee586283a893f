#!/bin/sh
# Installs the Debian packages the build (with its manual pages), the tests,
# the demo and `make package` need, `make` among them: on a fresh machine run
# it first, as `sh scripts/setup.sh`. It says what it installs, and apt shows
# the download size, the disk space and its progress. It asks nothing and
# installs only what is missing, so it is safe to run again.
set -eu

packages="make cmake ninja-build g++ ccache pkg-config clang-format clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev
  qt6-base-dev libssl-dev libxkbcommon-dev libuemf-dev zlib1g-dev libqpdf-dev libpoppler-cpp-dev libharfbuzz-dev libfontconfig-dev qpdf fonts-liberation2 poppler-utils xvfb
  xdg-utils help2man dpkg-dev file locales
  libcups2-dev cups-daemon cups-client printer-driver-cups-pdf
  libboost-dev chromium chromium-driver python3-selenium python3-jsonschema parallel"
# `setup.sh package`: also the checkers `make package` runs on the package.
[ "${1:-}" = package ] && packages="$packages lintian desktop-file-utils appstream"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  echo "scripts/setup.sh: installing the Debian packages the build needs:$missing"
  echo "scripts/setup.sh: apt says below how much it downloads and how much disk space it takes."
  $sudo apt-get update
  # shellcheck disable=SC2086 # one word a package
  $sudo apt-get install -y --no-install-recommends -o Dpkg::Use-Pty=0 $missing
fi
# The tests run the program under a decimal-comma locale too.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "scripts/setup.sh: generating the locale de_DE.UTF-8 for the tests."
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
