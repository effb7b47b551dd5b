#!/usr/bin/env bash
# Fails when a translation catalogue is out of date with the sources (a text
# added or gone that scripts/update-translations.sh has not collected), holds
# an entry left unfinished, obsolete or vanished, or a translation that
# drops or invents one of its text's %1 ... %9 arguments or changes its
# printf conversions.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$root"/translations/*.ts "$scratch/"
"$root/scripts/update-translations.sh" "$scratch"
status=0
for ts in "$root"/translations/*.ts; do
  name=$(basename "$ts")
  if ! diff -u "$ts" "$scratch/$name" >"$scratch/$name.diff"; then
    echo "translations/$name is out of date with the sources; run scripts/update-translations.sh:" >&2
    head -40 "$scratch/$name.diff" >&2
    status=1
  fi
done
python3 - "$root"/translations/*.ts <<'PY' || status=1
import re, sys
import xml.etree.ElementTree as ET
bad = 0
# printf conversions must come in the same order: a format string's
# translation is handed the same arguments.
printf = re.compile(r"%%|%[-+ #0]*[0-9]*(?:\.[0-9]+)?(?:hh|h|ll|l|z|j|t|L)?[diouxXeEfgGcsp]")
for path in sys.argv[1:]:
    for context in ET.parse(path).getroot().iter("context"):
        cname = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            tr = message.find("translation")
            kind = tr.get("type") if tr is not None else "missing"
            text = "".join(tr.itertext()) if tr is not None else ""
            where = f"{path.rsplit('/', 1)[-1]}: {cname}: {source!r}"
            if kind in ("unfinished", "obsolete", "vanished", "missing") or not text:
                print(f"{where}: {kind or 'empty'} translation", file=sys.stderr)
                bad += 1
            elif sorted(re.findall(r"%[1-9]", source)) != sorted(re.findall(r"%[1-9]", text)):
                print(f"{where}: the translation's arguments differ: {text!r}", file=sys.stderr)
                bad += 1
            elif printf.findall(source) != printf.findall(text):
                print(f"{where}: the translation's printf conversions differ: {text!r}", file=sys.stderr)
                bad += 1
if bad:
    print(f"{bad} translation entries need work", file=sys.stderr)
sys.exit(1 if bad else 0)
PY
[ "$status" = 0 ] && echo "translations: complete and up to date"
exit "$status"
