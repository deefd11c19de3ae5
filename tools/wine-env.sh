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
    local n=90
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    _wine_env_xvfb_pid=$!
    export DISPLAY=:$n
    local tries=0
    until xdpyinfo >/dev/null 2>&1; do
      sleep 0.05; tries=$((tries + 1))
      [ $tries -lt 200 ] || { echo "wine-env: Xvfb did not start" >&2; return 1; }
    done
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
    timeout 60 wine64 regedit /S "$(wine64 winepath -w "$_wine_env_root/tools/setup.reg" 2>/dev/null | tr -d "\r")" >/dev/null 2>&1
    timeout 60 wineserver -w
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
