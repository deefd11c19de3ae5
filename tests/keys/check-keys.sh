#!/usr/bin/env bash
# Fails when a text key that the code or the resource script uses is missing from a language
# file, when the language files do not hold the same keys, or when a language file has a line
# that is neither a comment, blank, nor key=text. The keys are read from the sources rather
# than from a list, so a key added to the code without its texts is caught here.
# Usage: check-keys.sh <source root>
set -u
export LC_ALL=C

root=${1:-}
if [ -z "$root" ] || [ ! -d "$root" ]; then
  echo "usage: check-keys.sh <source root>" >&2
  exit 1
fi
root=${root%/}

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT

code_dirs=(app lang store tray dialogs sheet)
prefixes='(ab|ci|ft|ppg|rpg|opg|adv|ps|rn|sec|mnu|btn|err|msg|hlp|url|tip|app)'
key_re="${prefixes}[A-Z][A-Za-z0-9]*"
# A style argument: no comma, quote or semicolon; one level of parentheses allowed (casts).
style_re='([^,;"()]|\([^,;"()]*\))+'
kind_words=("Separator" "Dial-Up Networking" "DeskAccess")

used=$work/used  # one "key<TAB>file that needs it" per line
: > "$used"

# Records each key read on stdin as needed by the file named in $1.
note_keys() {
  local key
  while IFS= read -r key; do
    [ -n "$key" ] && printf '%s\t%s\n' "$key" "$1" >> "$used"
  done
}

# Drops "//" comments, so that a comment naming a key asks for nothing. A "//" counts only
# outside string literals ("http://..." stays); a line it cannot judge is kept whole.
strip_comments() {
  sed -E 's@^(([^"/]|/[^"/])*("[^"]*"([^"/]|/[^"/])*)*)//.*$@\1@' "$1" | tr -d '\r'
}

# Resource scripts: every text that begins with "$" names a key ("$btnOK", "$ppgShortcutName$:").
for rc in "$root"/res/*.rc; do
  [ -f "$rc" ] || continue
  strip_comments "$rc" | grep -oE '"\$[A-Za-z0-9_]+' | sed 's/^"\$//' | note_keys "${rc#"$root"/}"
done

code_files=$work/code-files
for dir in "${code_dirs[@]}"; do
  [ -d "$root/$dir" ] && find "$root/$dir" -type f \( -name '*.cpp' -o -name '*.h' \)
done | sort > "$code_files"

while IFS= read -r file; do
  rel=${file#"$root"/}
  # One line per file, so that calls spread over several lines still match.
  flat=$work/flat
  strip_comments "$file" | tr '\n' ' ' > "$flat"

  # Plain keys, and "$key" texts handed to the language library by code (the Explorer verb).
  grep -oE "\"$key_re\"" "$flat" | tr -d '"' | note_keys "$rel"
  grep -oE "\"\\\$$key_re" "$flat" | sed 's/^"\$//' | note_keys "$rel"

  # A message shown without a title key takes its title from the key followed by "Title".
  grep -oE "ShowMessage\\(\\s*\"[^\"]+\"\\s*,\\s*$style_re\\s*(\\)|,\\s*(nullptr|NULL)\\b)" "$flat" |
    sed -E 's/^ShowMessage\(\s*"([^"]+)".*/\1Title/' | note_keys "$rel"

  # A help link needs its target, its title and its description.
  grep -oE 'OpenHelpLink\(\s*"[^"]+"\s*\)' "$flat" | sed -E 's/^OpenHelpLink\(\s*"([^"]+)".*/\1/' |
    while IFS= read -r prefix; do printf '%s\n%sTitle\n%sLinkDesc\n' "$prefix" "$prefix" "$prefix"; done |
    note_keys "$rel"

  # Special icons take their tooltip from "tip" followed by their kind word.
  for word in "${kind_words[@]}"; do
    grep -qF "\"$word\"" "$flat" && printf 'tip%s\n' "$word" | note_keys "$rel"
  done
done < "$code_files"

cut -f1 "$used" | sort -u > "$work/derived"
derived_count=$(wc -l < "$work/derived")
if [ "$derived_count" -eq 0 ]; then
  echo "FAIL: no text keys found in $root/res/*.rc or in the code (${code_dirs[*]});" \
       "the extraction is broken or the source root is wrong"
  exit 1
fi

shopt -s nullglob
lang_files=("$root"/languages/velko*.mlb)
shopt -u nullglob
if [ ${#lang_files[@]} -eq 0 ]; then
  echo "FAIL: no language files $root/languages/velko*.mlb"
  exit 1
fi

failed=0

# Reads the keys of a language file into $2, reporting lines that are not key=text.
read_keys() {
  local file=$1 out=$2 rel=${1#"$root"/} line key number=0 status=0
  : > "$out"
  while IFS= read -r line || [ -n "$line" ]; do
    number=$((number + 1))
    line=${line%$'\r'}
    [ $number -eq 1 ] && line=${line#$'\xEF\xBB\xBF'}
    key=${line#"${line%%[![:blank:]]*}"}
    [ -z "$key" ] && continue
    [ "${key:0:1}" = "#" ] && continue
    if [[ $line != *=* ]]; then
      echo "FAIL: $rel:$number: line is not key=text (no \"=\"): $line"
      status=1
      continue
    fi
    key=${line%%=*}
    key=${key#"${key%%[![:blank:]]*}"}
    key=${key%"${key##*[![:blank:]]}"}
    if [ -z "$key" ]; then
      echo "FAIL: $rel:$number: empty key: $line"
      status=1
      continue
    fi
    printf '%s\n' "$key" >> "$out"
  done < "$file"
  return $status
}

index=0
for file in "${lang_files[@]}"; do
  index=$((index + 1))
  read_keys "$file" "$work/raw$index" || failed=1
  sort "$work/raw$index" | uniq -d | while IFS= read -r key; do
    echo "FAIL: ${file#"$root"/}: key '$key' is defined more than once"
  done | grep . && failed=1
  sort -u "$work/raw$index" > "$work/keys$index"
done

cat "$work"/keys* | sort -u > "$work/all"
sort -u "$work/derived" "$work/all" > "$work/wanted"

# The first source file that needs the key, for the failure message.
first_user() {
  local key source
  while IFS=$'\t' read -r key source; do
    [ "$key" = "$1" ] && { printf '%s' "$source"; return; }
  done < "$used"
}

index=0
for file in "${lang_files[@]}"; do
  index=$((index + 1))
  rel=${file#"$root"/}
  while IFS= read -r key; do
    failed=1
    if grep -qxF -- "$key" "$work/derived"; then
      where=$(first_user "$key")
      echo "FAIL: $rel: missing key '$key' (used in $where)"
    else
      holders=""
      other=0
      for other_file in "${lang_files[@]}"; do
        other=$((other + 1))
        grep -qxF -- "$key" "$work/keys$other" && holders="$holders ${other_file#"$root"/}"
      done
      echo "FAIL: $rel: missing key '$key' (held by$holders)"
    fi
  done < <(comm -23 "$work/wanted" "$work/keys$index")
done

if [ $failed -ne 0 ]; then
  exit 1
fi
unused=$(comm -13 "$work/derived" "$work/all" | wc -l)
echo "OK: $derived_count keys used by the code and resources, all in ${#lang_files[@]} language files" \
     "($(wc -l < "$work/all") keys each, $unused of them not found in the sources)"
exit 0
