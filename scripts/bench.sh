#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, each printing its own measurements.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-bench"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSORVEK_BENCH=ON > /dev/null
cmake --build "$build" --target openlevel_bench quiz_bench startup_bench
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
"$build/bench/openlevel_bench"
"$build/bench/quiz_bench"
"$build/bench/startup_bench" 5 2> /dev/null
