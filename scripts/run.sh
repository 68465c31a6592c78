#!/usr/bin/env bash
# Builds the Linux client and runs it. Without a display it runs under a virtual one, saves a
# screenshot after a few seconds and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh run

cmake --preset linux -DZORVIK_BUILD_TESTS=OFF
cmake --build --preset linux --target zorvik

if [ -n "${DISPLAY:-}" ]; then
  exec build/linux/zorvik
fi

shot="$PWD/build/linux/zorvik-screenshot.png"
export NO_AT_BRIDGE=1
xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- bash -c '
  build/linux/zorvik & pid=$!
  sleep 8
  import -window root "$1"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' _ "$shot"
echo "No display here: ran under Xvfb. Screenshot: $shot"
