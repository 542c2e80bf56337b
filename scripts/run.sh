#!/usr/bin/env bash
# Installs what the program needs, builds it, puts the demo book beside it (never over a book)
# and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSORVEK_BENCH=OFF
cmake --build "$top/build-release" --target Sorvek
book="$top/build-release/bin/Sorvek"
if [ ! -e "$book" ]; then
    cp -r "$top/examples/book" "$book"
fi
exec "$top/build-release/bin/Sorvek.bin" "$@"
