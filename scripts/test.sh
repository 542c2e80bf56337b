#!/usr/bin/env bash
# Installs what the tests need, builds everything with warnings as errors, runs a short fuzzing
# run of the page text functions, then every test (ctest's summary closes the output).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh" --tests
build="$top/build-tests"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSORVEK_WERROR=ON
cmake --build "$build" -j "$(nproc)"
if [ -f "$top/scripts/fuzz.sh" ]; then
    bash "$top/scripts/fuzz.sh" "${SORVEK_FUZZ_SECONDS:-120}"
fi
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
cd "$build" && ctest --output-on-failure -j "$(nproc)" --timeout 300
