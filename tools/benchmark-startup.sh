#!/usr/bin/env bash
# Start-up benchmark: Velkator with 100 application shortcuts (icons from 100 distinct
# executables) beside a minimal tray program that adds the same 100 icons, both started in
# turn in one run under Wine. Prints medians and ratios beside the aims; a ratio over its
# aim is reported, never turned into a failure. Under Wine a start's time varies threefold while
# other work runs on the machine: measure on an idle one.
#   BUILD_DIR=...     build folder (default build/)
#   BENCH_ROUNDS=N    starts per program (default 11; the first of each is a warm-up, not counted)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
rounds=${BENCH_ROUNDS:-11}
icons=100
startup_aim=1.05
memory_aim=1.10
workingset_aim=1.25
[[ $rounds =~ ^[0-9]+$ ]] && [ "$rounds" -ge 2 ] || { echo "BENCH_ROUNDS must be 2 or more" >&2; exit 2; }

"$root/tools/setup.sh"
BUILD_DIR=$build "$root/tools/build.sh" >/dev/null
cmake --build "$build" --target Velkator minimaltray startwatch -j2 >/dev/null
bin=$build/bin
tools=$build/tools
app_key='HKEY_CURRENT_USER\Software\Shareware\Velkator'

source "$root/tools/wine-env.sh"
bench_scratch velkator-bench

wine_env_start "$build/wine-bench"
wine_started=1
wine_env_wait_taskbar "$tools/waittray.exe"
winpath() { timeout 30 wine64 winepath -w "$1" 2>/dev/null | tr -d '\r'; }
work_win=$(winpath "$work")
velkator_win=$(winpath "$bin/Velkator.exe")
# The baseline is built as a console program; startwatch needs a GUI one (input idle is a GUI
# notion). It is stripped as Velkator.exe is.
x86_64-w64-mingw32-objcopy --strip-all --subsystem windows "$tools/minimaltray.exe" "$work/minimaltray.exe"
minimal_win=$(winpath "$work/minimaltray.exe")
list_win=$(winpath "$work/icons.txt")
# An old settings file in the Windows folder would be imported at start and change what is measured.
rm -f "$WINEPREFIX/drive_c/windows/VELKATOR.INI"

# 100 distinct executables, each carrying the program's own icons, and the registry that names them.
order=
{
  echo 'REGEDIT4'
  echo
  echo "[-$app_key]"
  echo
  echo "[$app_key\\Options]"
  echo '"QuickNew"=dword:00000000'
} >"$work/shortcuts.reg"
: >"$work/icons.txt"
for i in $(seq -f '%03g' 1 $icons); do
  name=app$i
  cp "$bin/Velkator.exe" "$work/$name.exe"
  path="$work_win\\$name.exe"
  order+="$name|"
  printf '%s\r\n' "$path" >>"$work/icons.txt"
  {
    echo
    echo "[$app_key\\$name]"
    echo "\"Path\"=\"${path//\\/\\\\}\""
    echo '"IconPath"=""'
    echo '"Startup"=""'
    echo '"Arguments"=""'
    echo '"Style"=dword:00000001'
    echo '"Prompt"=dword:00000000'
  } >>"$work/shortcuts.reg"
done
{
  echo
  echo "[$app_key\\Shortcuts]"
  echo "\"Order\"=\"$order\""
  for i in $(seq -f '%03g' 1 $icons); do echo "\"app$i\"=\"Installed\""; done
} >>"$work/shortcuts.reg"
timeout 60 wine64 regedit /S "$(winpath "$work/shortcuts.reg")" >/dev/null 2>&1
stored=$(timeout 30 wine64 reg query 'HKCU\Software\Shareware\Velkator\Shortcuts' /v Order 2>/dev/null | tr -d '\r' |
         awk '/Order/ {print $3}')
[ "$stored" = "$order" ] || { echo "benchmark: the shortcuts did not reach the registry" >&2; exit 1; }

# One start: prints "startup_ms private_kb privateusage_kb workingset_kb".
measure() {
  local line
  if ! line=$(timeout 60 wine64 "$tools/startwatch.exe" "$@" 2>"$work/startwatch.err") ||
     [[ ! $line =~ startup_ms=([0-9.]+)\ private_kb=([0-9]+)\ privateusage_kb=([0-9]+)\ workingset_kb=([0-9]+)\ rebroadcast_private_kb=([0-9]+) ]]; then
    echo "benchmark: measuring $3 failed: $(tr -d '\r' <"$work/startwatch.err")" >&2
    return 1
  fi
  echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]} ${BASH_REMATCH[4]} ${BASH_REMATCH[5]}"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
row() { printf '%-6s %-12s %11s %12s %17s %15s %22s\n' "$@"; }

run_velkator() { measure 'QX:Velkator' "$icons" "$velkator_win"; }
run_minimal() { measure 'VelkatorBench:MinimalTray' "$icons" "$minimal_win" "$list_win"; }

echo "Start-up with $icons application shortcuts, icons from $icons distinct executables"
echo "Velkator.exe and minimaltray.exe, $rounds starts each, in turn (the first round is a warm-up)"
echo
row round program startup_ms private_KiB PrivateUsage_KiB workingset_KiB private_after_50_KiB
: >"$work/Velkator.txt"
: >"$work/minimaltray.txt"
for round in $(seq 1 "$rounds"); do
  mark=$round
  [ "$round" -gt 1 ] || mark="$round*"
  # Every other round starts with the baseline, so that a drift during the run weighs on both
  # alike (under Wine each start that adds tray icons makes later window creations slower).
  programs=(Velkator minimaltray)
  [ $((round % 2)) -eq 1 ] || programs=(minimaltray Velkator)
  for program in "${programs[@]}"; do
    if [ "$program" = Velkator ]; then figures=$(run_velkator); else figures=$(run_minimal); fi
    row "$mark" "$program" $figures
    [ "$round" -eq 1 ] || echo "$figures" >>"$work/$program.txt"
  done
done
echo "(* warm-up, not counted. private: committed private memory of the address space;"
echo " PrivateUsage: the process memory counters' figure, which Wine leaves at 0)"
echo

column_median() { awk -v c="$2" '{print $c}' "$1" | median; }
compare() {  # label Velkator-figure baseline-figure aim
  awk -v label="$1" -v v="$2" -v m="$3" -v aim="$4" 'BEGIN {
    if (m <= 0) { printf "%-24s %12.1f %12.1f %8s\n", label, v, m, "-"; exit }
    ratio = v / m
    verdict = aim == "" ? "" : (ratio <= aim ? "aim " aim ": met" : "aim " aim ": NOT met")
    printf "%-24s %12.1f %12.1f %8.2f   %s\n", label, v, m, ratio, verdict
  }'
}
report() {  # label column aim
  compare "$1" "$(column_median "$work/Velkator.txt" "$2")" "$(column_median "$work/minimaltray.txt" "$2")" "$3"
}
fastest() { awk '{print $1}' "$1" | sort -n | head -n 1; }
echo "Medians of $((rounds - 1)) starts each:"
printf '%-24s %12s %12s %8s\n' '' Velkator minimaltray ratio
report 'start-up (ms)' 1 "$startup_aim"
report 'private memory (KiB)' 2 "$memory_aim"
report 'working set (KiB)' 4 "$workingset_aim"
report 'private after 50 (KiB)' 5 ''
compare 'fastest start-up (ms)' "$(fastest "$work/Velkator.txt")" "$(fastest "$work/minimaltray.txt")" ''
echo
# One line with every figure against its aim; after 50 restarts the memory is to stay flat.
summary() {  # label column aim
  awk -v label="$1" -v v="$(column_median "$work/Velkator.txt" "$2")" -v m="$(column_median "$work/minimaltray.txt" "$2")" \
      -v aim="$3" 'BEGIN { r = m > 0 ? v / m : 0; printf "%s %.2f (aim %s: %s)", label, r, aim, r <= aim ? "met" : "NOT met" }'
}
growth=$(awk -v a="$(column_median "$work/Velkator.txt" 5)" -v b="$(column_median "$work/Velkator.txt" 2)" 'BEGIN {print a - b}')
echo "summary: $(summary start-up 1 "$startup_aim"), $(summary private 2 "$memory_aim")," \
     "$(summary 'working set' 4 "$workingset_aim"), after 50 taskbar restarts ${growth} KiB more" \
     "(aim flat: $([ "${growth%.*}" -le 0 ] && echo met || echo 'NOT met'))"
