#!/usr/bin/env python3
"""Fails when a text key the code or the resource scripts use is missing from a language file,
when the language files do not hold the same keys, or when a language file has a line that is
not a comment, a blank or key=text. Keys are read from the sources, not from a list."""
import glob, os, re, sys

root = sys.argv[1] if len(sys.argv) > 1 else "."
KEY = r"(?:ab|ci|ft|ppg|rpg|opg|adv|ps|rn|sec|mnu|btn|err|msg|hlp|url|tip|app)[A-Z][A-Za-z0-9]*"
KIND_WORDS = ("Separator", "Dial-Up Networking", "DeskAccess")


def without_comments(text):
    # A "//" outside string literals starts a comment, so a comment naming a key asks for nothing.
    return "\n".join(re.sub(r'^((?:[^"/]|/[^"/]|"[^"]*")*)//.*$', r"\1", line) for line in text.splitlines())


used = {}  # key -> first file that needs it
def need(keys, where):
    for key in keys:
        used.setdefault(key, where)

for path in sorted(glob.glob(os.path.join(root, "res", "*.rc"))):
    need(re.findall(r'"\$([A-Za-z0-9_]+)', without_comments(open(path, encoding="latin-1").read())), path)
for folder in ("app", "lang", "store", "tray", "dialogs", "sheet"):
    for path in sorted(glob.glob(os.path.join(root, folder, "*.[ch]*"))):
        code = " ".join(without_comments(open(path, encoding="latin-1").read()).split())
        need(re.findall(r'"\$?(' + KEY + r')"', code), path)
        # A message shown without a title key takes its title from the key followed by "Title".
        need([k + "Title" for k in re.findall(
            r'ShowMessage\(\s*"([^"]+)"\s*,\s*(?:[^,;"()]|\([^,;"()]*\))+\s*(?:\)|,\s*(?:nullptr|NULL)\b)', code)], path)
        for prefix in re.findall(r'OpenHelpLink\(\s*"([^"]+)"\s*\)', code):
            need([prefix, prefix + "Title", prefix + "LinkDesc"], path)
        # Special icons take their tooltip from "tip" followed by their kind word.
        need(["tip" + word for word in KIND_WORDS if '"%s"' % word in code], path)

failures = []
if not used:
    failures.append("no text keys found in the sources: the extraction or the source root is wrong")
files = sorted(glob.glob(os.path.join(root, "languages", "velko*.mlb")))
if not files:
    failures.append("no language files in languages/")
keys_of = {}
for path in files:
    keys = keys_of[path] = set()
    for number, line in enumerate(open(path, encoding="utf-8-sig").read().splitlines(), 1):
        stripped = line.strip()
        if not stripped or stripped.startswith("#"):
            continue
        key = line.split("=", 1)[0].strip()
        if "=" not in line or not key:
            failures.append("%s:%d: line is not key=text: %s" % (path, number, line))
            continue
        if key in keys:
            failures.append("%s: key '%s' is defined more than once" % (path, key))
        keys.add(key)
every_key = set(used).union(*keys_of.values()) if keys_of else set(used)
for path, keys in keys_of.items():
    for key in sorted(every_key - keys):
        failures.append("%s: missing key '%s' (%s)" % (path, key, "used in " + used[key] if key in used
                                                           else "held by another language file"))
for failure in failures:
    print("FAIL:", failure)
if failures:
    sys.exit(1)
print("OK: %d keys used by the code and resources, all in %d language files" % (len(used), len(files)))
