#!/usr/bin/env bash
# Builds the libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer (clang) and runs
# each of them in turn for a share of the given number of seconds (default 120): the quiz fuzzer a
# quarter, the others the rest in equal parts. Every target starts from fuzz/corpus/ and its own
# seeds in fuzz/seeds/<target>/; new inputs go to a scratch corpus per target in the build folder,
# and a crash leaves its input there too.
set -euo pipefail
seconds=${1:-120}
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SORVEK_FUZZ_BUILD:-$top/build-fuzz}
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVEK_FUZZ=ON
cmake --build "$build" -j "${SORVEK_FUZZ_JOBS:-4}"
others=(commands pagereader linkpage variables sidemenu templates looklinks)
quiz_seconds=$(( seconds / 4 > 1 ? seconds / 4 : 1 ))
other_seconds=$(( (seconds - quiz_seconds) / ${#others[@]} > 1 ? (seconds - quiz_seconds) / ${#others[@]} : 1 ))
cd "$build"
for target in quiz "${others[@]}"; do
    work="$build/corpus/$target"
    mkdir -p "$work"
    seeds=("$top/fuzz/corpus")
    if [ -d "$top/fuzz/seeds/$target" ]; then seeds+=("$top/fuzz/seeds/$target"); fi
    time=$other_seconds
    if [ "$target" = quiz ]; then time=$quiz_seconds; fi
    echo "== ${target}_fuzz for $time s"
    "$build/fuzz/${target}_fuzz" "$work" "${seeds[@]}" -max_total_time="$time" -max_len=65536 \
        -timeout=10 -rss_limit_mb=4096 -print_final_stats=1
done
