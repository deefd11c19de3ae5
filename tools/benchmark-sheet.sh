#!/usr/bin/env bash
# First-sheet benchmark: the time from "New..." to the settings sheet on the screen, in a fresh
# start with one icon, for this build and for another build of the program (an older one, to see
# what a change costs), started in turn in one run under Wine. Prints medians and the ratio beside
# the aim; a ratio over the aim is reported, never turned into a failure.
#   bash tools/benchmark-sheet.sh OTHER_BIN_FOLDER
# OTHER_BIN_FOLDER holds the other build's Velkator.exe, qxintl.dll and velko009.mlb, e.g.
#   git worktree add /tmp/before <revision> && BUILD_DIR=/tmp/before/build /tmp/before/tools/build.sh
#   bash tools/benchmark-sheet.sh /tmp/before/build/bin
#   BUILD_DIR=...     build folder (default build/)
#   BENCH_ROUNDS=N    starts per program (default 15; the first of each is a warm-up, not counted)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
rounds=${BENCH_ROUNDS:-15}
aim=1.10
other=${1:-}
[ -n "$other" ] && [ -f "$other/Velkator.exe" ] || { echo "usage: benchmark-sheet.sh OTHER_BIN_FOLDER" >&2; exit 2; }
[[ $rounds =~ ^[0-9]+$ ]] && [ "$rounds" -ge 2 ] || { echo "BENCH_ROUNDS must be 2 or more" >&2; exit 2; }

"$root/tools/setup.sh"
BUILD_DIR=$build "$root/tools/build.sh" >/dev/null
cmake --build "$build" --target Velkator sheetwatch -j2 >/dev/null

source "$root/tools/wine-env.sh"
bench_scratch velkator-sheetbench

# Each program in a folder of its own with what it needs to start: a copy, so that neither build
# folder is touched.
for side in this other; do
  from=$build/bin
  [ "$side" = this ] || from=$other
  mkdir -p "$work/$side"
  cp "$from/Velkator.exe" "$from/qxintl.dll" "$from/velko009.mlb" "$work/$side/"
done

wine_env_start "$build/wine-bench"
wine_started=1
wine_env_wait_taskbar "$build/tools/waittray.exe"
timeout 30 wine64 reg delete 'HKCU\Software\Shareware\Velkator' /f >/dev/null 2>&1 || true
timeout 30 wine64 reg add 'HKCU\Software\Shareware\Velkator\Shortcuts' /v Order /d 'Separator|' /f >/dev/null
timeout 30 wine64 reg add 'HKCU\Software\Shareware\Velkator\Options' /v QuickNew /t REG_DWORD /d 0 /f >/dev/null
rm -f "$WINEPREFIX/drive_c/windows/VELKATOR.INI"

: >"$work/this.txt"
: >"$work/other.txt"
for round in $(seq 1 "$rounds"); do
  sides=(this other)
  [ $((round % 2)) -eq 1 ] || sides=(other this)
  for side in "${sides[@]}"; do
    exe=$(timeout 30 wine64 winepath -w "$work/$side/Velkator.exe" | tr -d '\r')
    line=$(timeout 120 wine64 "$build/tools/sheetwatch.exe" "$exe" 1 | tr -d '\r')
    [[ $line =~ first_sheet_ms=([0-9.]+) ]] || { echo "benchmark: no sheet from the $side build: $line" >&2; exit 1; }
    printf '%-6s %-6s %8s ms\n' "$round$([ "$round" -gt 1 ] || echo '*')" "$side" "${BASH_REMATCH[1]}"
    [ "$round" -eq 1 ] || echo "${BASH_REMATCH[1]}" >>"$work/$side.txt"
  done
done
echo "(* warm-up, not counted)"

median() { sort -n "$1" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
awk -v a="$(median "$work/this.txt")" -v b="$(median "$work/other.txt")" -v aim="$aim" 'BEGIN {
  r = a / b
  printf "summary: first sheet %.1f ms, other build %.1f ms, ratio %.2f (aim %s: %s)\n", a, b, r, aim, r <= aim ? "met" : "NOT met"
}'
