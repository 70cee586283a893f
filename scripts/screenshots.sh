#!/usr/bin/env bash
# Saves a PNG of every window, drawn on a virtual X display with a sample
# case, so a person can check the look without a desktop, on a 1366 x 768
# laptop screen:
#   scripts/screenshots.sh [OUTPUT_FOLDER]   (default build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
output="${1:-build/screenshots}"
cmake --preset release >/dev/null
cmake --build --preset release --target quoravel quoravel-screenshots
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1366x768x24" \
  build/tools/quoravel-screenshots build/quoravel "$output"
