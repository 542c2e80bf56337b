#!/usr/bin/env bash
# Start-up, memory and page-turn rows, measured on a real X server (Xvfb): builds the program and
# the benchmark in Release and prints each row as a ratio against its reference.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-bench"
runs="${1:-5}"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSORVEK_BENCH=ON > /dev/null
cmake --build "$build" --target Sorvek startup_screen_bench
echo "== startup_screen_bench"
QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bench/startup_screen_bench" "$build/bin/Sorvek.bin" "$runs" 2> /dev/null
