#!/usr/bin/env bash
# Builds the ICO decoder's fuzz target with clang (libFuzzer + AddressSanitizer) and runs it for a
# bounded time, seeded with the program's own tray image. Exits non-zero on any crash.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$src/build/fuzz}
seconds=${FUZZ_SECONDS:-60}
mkdir -p "$out/corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$src/src" "$src/tests/fuzz/ico_fuzz.cpp" "$src/src/ui/tray_icon.cpp" -o "$out/ico_fuzz"
python3 "$src/scripts/make_icons.py" --ico-out "$out/corpus/tray.ico"
"$out/ico_fuzz" -max_total_time="$seconds" -max_len=20000 -artifact_prefix="$out/" \
  "$out/corpus" 2>&1 | tail -n 5
echo "fuzzing ran ${seconds}s without a crash"
