#!/usr/bin/env bash
# Sets up everything missing, builds, and runs every test under Wine on a private Xvfb desktop.
# Screenshots and other artifacts end up in build/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/tools/setup.sh"
BUILD_DIR=$build "$root/tools/build.sh"
cmake --build "$build" --target velkator_tests $( [ -d "$root/tests/e2e" ] && ls "$root"/tests/e2e/*.cpp >/dev/null 2>&1 && echo velkator_e2e ) -j2

source "$root/tools/wine-env.sh"
trap wine_env_stop EXIT
rm -rf "$build/artifacts"; mkdir -p "$build/artifacts"
wine_env_start "$build/wine-test"
wine_env_wait_taskbar "$build/tools/waittray.exe"
export VELKATOR_ARTIFACTS=$build/artifacts
status=0
(cd "$build" && ctest --output-on-failure --timeout 120 "$@") || status=$?
# Screenshots are written as BMP from inside Wine; keep PNG copies for people to look at.
for bmp in "$build"/artifacts/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
# The help pages show the screenshots just taken.
cmake --build "$build" --target help_pages >/dev/null || status=$?
exit $status
