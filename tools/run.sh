#!/usr/bin/env bash
# Sets up everything missing, builds, and starts Velkator under Wine in a virtual desktop
# with a taskbar. With a display, the desktop opens there and the script waits until
# Velkator ends. Without one, it runs on a private Xvfb, saves a screenshot of the desktop
# to build/run-screenshot.png, and stops again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/tools/setup.sh"
BUILD_DIR=$build "$root/tools/build.sh"

source "$root/tools/wine-env.sh"
trap wine_env_stop EXIT
headless=1
[ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 && headless=0
if [ $headless -eq 1 ]; then
  wine_env_start "$build/wine-run"
else
  wine_env_start "$build/wine-run" use-current-display
fi
wine_env_wait_taskbar "$build/tools/waittray.exe"
cd "$build/bin"
if [ $headless -eq 1 ]; then
  wine64 Velkator.exe &
  sleep 4
  import -window root "$build/run-screenshot.png"
  echo "Velkator ran on a private display; screenshot: $build/run-screenshot.png"
else
  echo "Velkator is running in the Wine desktop window; it ends when you close it from its icon's menu."
  wine64 Velkator.exe
fi
