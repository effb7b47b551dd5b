#!/usr/bin/env bash
# Checks that every C++ source git tracks is laid out as .clang-format says.
# Prints the files that are not, with the command that fixes them, and exits
# 1; exits 0 when all are. The layout is clang-format 14's (Debian 12's):
# another version may break lines differently, so it is asked for by name
# when installed.
#
#   scripts/check-format.sh          check
#   scripts/check-format.sh --fix    rewrite the files that are not laid out
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

format=clang-format-14
command -v "$format" >/dev/null || format=clang-format

fix=false
case "${1:-}" in
  "") ;;
  --fix) fix=true ;;
  *) echo "usage: scripts/check-format.sh [--fix]" >&2; exit 2 ;;
esac

mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
if $fix; then
  "$format" -i -- "${sources[@]}"
  exit 0
fi
unformatted=()
for f in "${sources[@]}"; do
  "$format" --dry-run -Werror -- "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ "${#unformatted[@]}" -gt 0 ]; then
  printf '%s\n' "${unformatted[@]}"
  echo "check-format: ${#unformatted[@]} of ${#sources[@]} files are not laid out as .clang-format says;" \
    "scripts/check-format.sh --fix rewrites them" >&2
  exit 1
fi
echo "check-format: all ${#sources[@]} files laid out as .clang-format says"
