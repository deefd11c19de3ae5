#!/usr/bin/env bash
# The release as a Windows user meets it, under Wine: the portable zip holds exactly the product
# and runs portable, leaving the registry alone, from a folder with a space and non-ASCII letters
# in its name; the installer installs, upgrades over a running Velkator and uninstalls, silently,
# keeping or removing the settings.
# Run by ctest inside the test command's Wine desktop: release-test.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
root=$1 build=$2
export LC_ALL=C.UTF-8  # Wine turns non-ASCII file names into Unicode through the locale
failed=0
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }
win() { timeout 60 wine64 "$@" 2>/dev/null | tr -d '\r'; }
has() { win reg query "$@" >/dev/null; }
lacks() { ! has "$@"; }
has_keys() { for key; do has "$key" || return 1; done; }
lacks_keys() { for key; do lacks "$key" || return 1; done; }
setup() { timeout 60 wine64 "$installer" /S >/dev/null 2>&1; }  # not piped: Velkator may inherit it
contains() { grep -qF -- "$2" <<<"$1"; }
velkators() {  # ids of the running Velkators; "unknown" when Wine could not list them
  local list; list=$(timeout 60 wine64 wmic process get name,processid 2>/dev/null | iconv -f UTF-16LE | tr -d '\r')
  contains "$list" ProcessID || { echo unknown; return; }
  awk '$1 == "Velkator.exe" { print $2 }' <<<"$list"
}

home=$WINEPREFIX/drive_c/users/$(id -un)
target=$home/AppData/Local/Programs/Velkator
target_win="C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Velkator"
menu="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velkator.lnk"
portable="$home/Temp/Velkator Prüfung"
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velkator'
run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
settings='HKCU\Software\Shareware\Velkator'
verbs=('HKCU\Software\Classes\*\shell\zzVelkator' 'HKCU\Software\Classes\Directory\shell\zzVelkator')
old_verb='HKCU\Software\Classes\exefile\shell\zzVelkator'  # where earlier versions wrote it
product=(Velkator.exe click.wav qxintl.dll velko007.mlb velko009.mlb)

clean() {
  timeout 30 wine64 taskkill /f /im Velkator.exe >/dev/null 2>&1
  for key in "$settings" "$entry" "$run /v Velkator"; do win reg delete $key /f >/dev/null; done
  for key in "${verbs[@]}" "$old_verb"; do win reg delete "$key" /f >/dev/null; done
  rm -rf "$target" "$menu" "$portable"
}
trap clean EXIT
clean
# Wine closes its desktop a moment after the last program on it ends; a console reading this
# script's input keeps it open between the programs started here, and ends with the script.
exec 3> >(timeout 600 wine64 cmd >/dev/null 2>&1)
# Files of a listing without the help pictures (made by tools/help-pictures when there), sorted.
product_files() { grep -v '\.png$' | LC_ALL=C sort | tr '\n' ' '; }
expected() { printf '%s\n' "${product[@]}" "$@" $(cd "$build/bin" && ls *.html) | LC_ALL=C sort | tr '\n' ' '; }
# Starts the Velkator in folder $1, whose first-time dialog is then awaited.
start_velkator() { (cd "$1" && timeout 120 wine64 Velkator.exe >/dev/null 2>&1 &); }
first_time_dialog() { [ -n "$(timeout 20 xdotool search --sync --name '^Welcome to Velkator$' | head -1)" ]; }
wait_for() { for _ in $(seq 100); do "$@" && return 0; sleep 0.2; done; return 1; }
none_running() { [ -z "$(velkators)" ]; }
# A close request (keys sent by xdotool would reach the next dialog too) cancels the first-time
# dialog, and with it Velkator.
close_and_wait() { timeout 30 wine64 taskkill /im Velkator.exe >/dev/null 2>&1; wait_for none_running; }
uninstall() {  # the uninstaller runs on from a copy of itself: wait for its last step
  timeout 60 wine64 "$target/Uninstall.exe" /S "$@" >/dev/null 2>&1
  wait_for lacks "$entry"
}
version=$(sed -n 's/^#define VELKATOR_VERSION_DOTS *"\(.*\)"/\1/p' "$root/res/resource.h")
zip=$build/release/Velkator-$version-portable.zip installer=$build/release/Velkator-$version-setup.exe
BUILD_DIR=$build bash "$root/tools/release.sh" --no-build >/dev/null
check "release.sh made both files with the version $version" test -f "$zip" -a -f "$installer"
zipped=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$zip")
check "the zip holds exactly the product, its read-me and the settings file" \
  test "$(product_files <<<"$zipped")" = "$(expected ReadMe.txt Velkator-settings.ini)"
python3 -m zipfile -e "$zip" "$portable"
start_velkator "$portable"
check "the unzipped program starts from '${portable##*/}'" first_time_dialog
check "and ends when its first-time dialog is closed" close_and_wait
check "it ran portable: no settings in the registry" lacks "$settings"
check "and no Explorer verb" lacks_keys "${verbs[@]}"

setup
check "a silent install ends well" test $? = 0
check "it installs the product and the uninstaller" \
  test "$(cd "$target" && find . -type f | sed 's|^\./||' | product_files)" = "$(expected Uninstall.exe)"
check "it adds the Start-menu entry" test -f "$menu"
check "it starts Velkator with Windows by default" has "$run" /v Velkator
registered=$(win reg query "$entry")
for value in "UninstallString    REG_SZ    \"$target_win\\Uninstall.exe\"" \
             "QuietUninstallString    REG_SZ    \"$target_win\\Uninstall.exe\" /S" \
             "DisplayVersion    REG_SZ    $version" "Publisher    REG_SZ    The Velkator developers" \
             "DisplayIcon    REG_SZ    $target_win\\Velkator.exe,0"; do
  check "the uninstall entry holds ${value%%  *}" contains "$registered" "$value"
done
start_velkator "$target"
check "the installed program shows its first-time dialog" first_time_dialog
setup
check "an upgrade stops when Velkator has a dialog open" test $? = 3
check "and leaves the dialog open" first_time_dialog
check "and closing the dialog still ends Velkator" close_and_wait

win reg add "$settings\\Shortcuts" /v Order /d 'Notepad|Regedit|' /f >/dev/null
for name in Notepad Regedit; do
  win reg add "$settings\\Shortcuts" /v $name /d Installed /f >/dev/null
  win reg add "$settings\\$name" /v Path /d "C:\\windows\\${name,,}.exe" /f >/dev/null
done
before=$(win reg query "$settings\\Shortcuts")
start_velkator "$target"
some_running() { [ -n "$(velkators)" ]; }
wait_for some_running
running=$(velkators)
setup
check "a silent upgrade over a running Velkator ends well" test $? = 0
check "and keeps both shortcuts" test "$(win reg query "$settings\\Shortcuts")" = "$before"
# Wine runs every program as administrator: an installer that does so starts no Velkator.
check "it closed Velkator and, run as administrator, started none" test -n "$running" -a -z "$(velkators)"
start_velkator "$target"
wait_for some_running

check "the installed Velkator wrote its Explorer verbs" has_keys "${verbs[@]}"
win reg add "$old_verb" /d 'Add to &Velkator' /f >/dev/null
check "a silent uninstall ends" uninstall
check "it closes Velkator" none_running
check "it removes every file and the folder" test ! -e "$target"
check "it removes the Start-menu entry" test ! -e "$menu"
check "it removes the Run value" lacks "$run" /v Velkator
check "it removes the Explorer verbs, an earlier version's too" lacks_keys "${verbs[@]}" "$old_verb"
check "it keeps the settings" has "$settings\\Shortcuts" /v Order

setup
check "an uninstall with the removal option ends" uninstall /RemoveSettings
check "it removes the settings too" lacks "$settings"
exit $failed
