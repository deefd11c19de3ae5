#!/usr/bin/env bash
# Builds the release into build/release/: Velkator-<version>-portable.zip (the product, a read-me
# and the empty settings file that makes the copy portable) and Velkator-<version>-setup.exe (a
# per-user installer made with NSIS, which never installs the settings file), the version
# read from the program's version resource. With --no-build it packs build/bin as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
started=$(date +%s)
if [ "${1:-}" != --no-build ]; then
  "$root/tools/setup.sh"
  # What the release holds, and nothing else (no test programs).
  BUILD_DIR=$build "$root/tools/build.sh" Velkator qxintl product_data help_pages
fi
bin=$build/bin out=$build/release

# The product, named one by one (the build folder may hold more), then the help pages and the
# pictures they show.
product=(Velkator.exe qxintl.dll velko009.mlb velko007.mlb click.wav)
cd "$bin"
shopt -s nullglob
pages=(*.html)
product+=("${pages[@]}")
[ ${#pages[@]} -eq 0 ] || mapfile -t -O ${#product[@]} product < \
  <(grep -o -h 'src="[^"/:]*"' "${pages[@]}" | cut -d'"' -f2 | LC_ALL=C sort -u)

version=$(python3 - Velkator.exe <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
at = data.find(struct.pack('<I', 0xFEEF04BD))  # the fixed part of the version resource
if at < 0:
    sys.exit('release: Velkator.exe has no version resource')
ms, ls = struct.unpack_from('<II', data, at + 8)
print(f'{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}')
PY
)
rm -rf "$out"; mkdir -p "$out"

python3 - "$out/Velkator-$version-portable.zip" "$root/installer/ReadMe.txt" "${product[@]}" <<'PY'
import sys, zipfile
target, readme, *files = sys.argv[1:]
with zipfile.ZipFile(target, 'w', zipfile.ZIP_DEFLATED) as z:
    for name in files:
        z.write(name, name)
    text = open(readme, encoding='utf-8').read().replace('\n', '\r\n')
    z.writestr('ReadMe.txt', text.encode('utf-8-sig'))  # Notepad needs CRLF and the mark
    z.writestr('Velkator-settings.ini', b'')  # its presence makes the unpacked copy portable
PY

# The installer's File and Delete lines, from the same list.
lists=$(mktemp -d); trap 'rm -rf "$lists"' EXIT
for f in "${product[@]}"; do
  printf 'File "%s"\n' "$bin/$f" >>"$lists/Install.nsh"
  printf 'Delete "$INSTDIR\\%s"\n' "$f" >>"$lists/Uninstall.nsh"
done
makensis -V2 -DVERSION="$version" -DFILES="$lists" -DOUTFILE="$out/Velkator-$version-setup.exe" \
  "$root/installer/Velkator.nsi"
echo "release: $(ls "$out" | tr '\n' ' ')in $out, made in $(( $(date +%s) - started )) s"
grep -q -s '<img' "${pages[@]}" /dev/null ||
  echo "release: the help pages show no screenshots; run tools/test.sh first to include them"
