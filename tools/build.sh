#!/usr/bin/env bash
# Configures (once) and builds into build/ (override with BUILD_DIR): the given targets, or the
# product and the tools the scripts use. Test programs are built by the test command.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
if [ ! -f "$build/Makefile" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2 ${1:+--target "$@"}
