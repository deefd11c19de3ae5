# Sourced by run.sh and test.sh: a private Wine prefix with a virtual desktop and taskbar.
#   wine_env_start PREFIX [use-current-display]   exports DISPLAY, WINEPREFIX, WINEDEBUG, PATH
#   wine_env_stop
# The prefix is made once and reused; Xvfb and the desktop live only as long as the caller.

export PATH=/usr/lib/wine:$PATH
_wine_env_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
_wine_env_xvfb_pid=
_wine_env_desktop_pid=

wine_env_start() {
  local prefix=$1 use_display=${2:-}
  export WINEDEBUG=-all WINEPREFIX=$(realpath -m "$prefix")
  if [ -z "$use_display" ] || [ -z "${DISPLAY:-}" ]; then
    # Xvfb picks a free display itself and reports it, so parallel runs never share one.
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    _wine_env_xvfb_pid=$!
    local tries=0
    until [ -s "$fdfile" ]; do
      sleep 0.05; tries=$((tries + 1))
      if [ $tries -ge 200 ] || ! kill -0 "$_wine_env_xvfb_pid" 2>/dev/null; then
        echo "wine-env: Xvfb did not start" >&2; rm -f "$fdfile"; return 1
      fi
    done
    export DISPLAY=:$(tr -d '[:space:]' <"$fdfile")
    rm -f "$fdfile"
    until xdpyinfo >/dev/null 2>&1; do sleep 0.05; done
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-env: creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    timeout 300 wine64 wineboot -i >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # A new prefix links Desktop to $HOME; give it a folder of its own.
    local desk=$WINEPREFIX/drive_c/users/$(id -un)/Desktop
    if [ -L "$desk" ]; then rm "$desk"; mkdir "$desk"; fi
  fi
  # The prefix's settings, again whenever they changed since this prefix took them.
  if [ "$_wine_env_root/tools/setup.reg" -nt "$WINEPREFIX/setup.reg.taken" ]; then
    timeout 60 wine64 regedit /S "$(wine64 winepath -w "$_wine_env_root/tools/setup.reg" 2>/dev/null | tr -d "\r")" >/dev/null 2>&1
    timeout 60 wineserver -w
    touch "$WINEPREFIX/setup.reg.taken"
  fi
  wine64 explorer /desktop=shell,1024x768 >/dev/null 2>&1 &
  _wine_env_desktop_pid=$!
}

# Waits until the taskbar exists; needs the built waittray.exe.
wine_env_wait_taskbar() {
  timeout 60 wine64 "$1" >/dev/null 2>&1 || { echo "wine-env: no taskbar appeared" >&2; return 1; }
}

wine_env_stop() {
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  timeout 20 wineserver -w >/dev/null 2>&1 || true
  [ -z "$_wine_env_desktop_pid" ] || wait "$_wine_env_desktop_pid" 2>/dev/null || true
  if [ -n "$_wine_env_xvfb_pid" ]; then
    kill "$_wine_env_xvfb_pid" 2>/dev/null || true
    wait "$_wine_env_xvfb_pid" 2>/dev/null || true
  fi
  _wine_env_xvfb_pid= _wine_env_desktop_pid=
}

# For the benchmarks: a scratch folder in $work and, at exit, the stored settings removed, the desktop
# stopped (once wine_started is set) and the folder removed; a benchmark may add to bench_cleanup_extra.
bench_scratch() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
  wine_started=
  bench_cleanup_extra=:
  trap _bench_cleanup EXIT
}
_bench_cleanup() {
  if [ -n "$wine_started" ]; then
    timeout 30 wine64 reg delete 'HKCU\Software\Shareware\Velkator' /f >/dev/null 2>&1 || true
    wine_env_stop
  fi
  eval "$bench_cleanup_extra"
  rm -rf "$work"
}
