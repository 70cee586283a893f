#!/usr/bin/env bash
# Installs the Debian packages the build (with its manual pages), the tests,
# the demo and `make package` need.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ make ccache pkg-config clang-format clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev
  qt6-base-dev libssl-dev libuemf-dev zlib1g-dev fonts-liberation2 poppler-utils xvfb xdg-utils
  help2man dpkg-dev file
)
# `setup.sh package`: also the checkers `make package` runs on the package.
[ "${1:-}" = package ] && packages+=(lintian desktop-file-utils appstream)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
