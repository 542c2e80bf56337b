#!/usr/bin/env bash
# Builds the libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer (clang) and runs
# the quiz fuzzer for the given number of seconds (default 60), starting from fuzz/corpus/.
# New inputs go to a scratch corpus in the build folder; a crash leaves its input there too.
set -euo pipefail
seconds=${1:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SORVEK_FUZZ_BUILD:-$top/build-fuzz}
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVEK_FUZZ=ON
cmake --build "$build" -j "${SORVEK_FUZZ_JOBS:-4}"
work="$build/corpus"
mkdir -p "$work"
cd "$build"
"$build/fuzz/quiz_fuzz" "$work" "$top/fuzz/corpus" -max_total_time="$seconds" -max_len=65536 \
    -timeout=10 -rss_limit_mb=4096 -print_final_stats=1
