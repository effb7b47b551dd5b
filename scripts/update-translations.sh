#!/usr/bin/env bash
# Collects the texts users read from the sources into the translation
# catalogues (translations/*.ts): the window's and the agent's (with the
# models they share with the command) and the command's own. New texts come
# in unfinished, texts gone from the sources are dropped; then translate the
# unfinished entries (Qt Linguist, or by hand) and run
# scripts/check-translations.sh.
#   scripts/update-translations.sh [OUTPUT-FOLDER]
# writes the catalogues into OUTPUT-FOLDER (a copy) instead of translations/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/translations}
lupdate=$(command -v lupdate-qt6 || command -v /usr/lib/qt6/bin/lupdate || command -v lupdate)

# Which folders each catalogue's texts come from.
declare -A sources=(
  [corvane]="platform adapter profiles editor exchange survey pane agent"
  [corvane_cli]="cli"
)
cd "$root"
for catalogue in corvane corvane_cli; do
  for language in de fr; do
    ts=$out/${catalogue}_${language}.ts
    [ -f "$ts" ] || cp "translations/${catalogue}_${language}.ts" "$ts" 2>/dev/null || true
    # shellcheck disable=SC2086
    "$lupdate" -silent -no-obsolete -locations none -source-language en -target-language "$language" \
      -tr-function-alias translate+=Tr -extensions cpp,h,ui ${sources[$catalogue]} -ts "$ts"
  done
done
