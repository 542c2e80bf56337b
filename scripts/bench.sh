#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, each printing its own measurements.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-bench"
# A fresh machine needs the compilers, Qt, ripgrep (the search's reference) and Xvfb first.
bash "$top/scripts/install-deps.sh" --tests
benches=(openlevel_bench quiz_bench pageedit_bench merge_bench titleindex_bench startup_bench searchwindow_bench)
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSORVEK_BENCH=ON > /dev/null
cmake --build "$build" --target "${benches[@]}"
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
for bench in "${benches[@]}"; do
    echo "== $bench"
    "$build/bench/$bench" 2> /dev/null
done

# The text scans: each row of their table as a ratio against its goal or reference (the body-text
# search against ripgrep, the walk against plainly reading the files), then their growth with the
# input at x1, x4 and x16.
scan_rows() {
    cmake --build "$build" --target scans_bench > /dev/null
    echo "== scans_bench"
    "$build/bench/scans_bench" 2> /dev/null
}
scan_rows

# Start-up to the first painted page, memory and page turns, on Xvfb.
"$top/scripts/bench_startup.sh"
