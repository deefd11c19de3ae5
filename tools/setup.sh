#!/usr/bin/env bash
# Installs what building, testing and releasing Velkator needs on Debian 12 (nsis makes the
# installer), only when something is missing.
set -euo pipefail
packages=(g++-mingw-w64-x86-64 wine64 fonts-wine xvfb x11-utils xdotool imagemagick cmake make googletest python3
          nsis)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
