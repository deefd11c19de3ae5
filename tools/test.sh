#!/usr/bin/env bash
# Sets up everything missing, builds, and runs every test under Wine on a private Xvfb desktop;
# then, on the same desktop, takes the help pages' pictures into build/artifacts/ and remakes the pages.
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
status=0
(cd "$build" && ctest --output-on-failure --timeout 120 "$@") || status=$?

# The help pages' pictures: documentation, not a test, so a failure is reported and leaves the status alone.
pictures_started=$SECONDS
if ! built=$(cmake --build "$build" --target help_pictures -j2 2>&1); then
  printf '%s\n' "$built"
  echo "test.sh: PICTURES FAILED: help_pictures did not build; the help pages go without pictures" >&2
elif ! timeout 120 wine64 "$build/tools/help_pictures.exe" "$(wine64 winepath -w "$build/artifacts" | tr -d '\r')"; then
  echo "test.sh: PICTURES FAILED: some help pictures are missing (see above)" >&2
fi
# The tool writes BMP from inside Wine; the pages show PNG.
for bmp in "$build"/artifacts/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
echo "test.sh: help pictures step took $((SECONDS - pictures_started)) s"
cmake --build "$build" --target help_pages >/dev/null || status=$?
exit $status
