#!/usr/bin/env bash
# Installs what is missing, builds, and runs the system on the simulated
# driver with its bundled sample environment: link status and a scan through
# `corvane`, a profile connect, then the tray agent and the settings window
# beside the driver. Without a display both run under Xvfb and screenshots
# are saved (the scripts print where).
#
# The demo uses its own home folder (out/demo-home, seeded with two sample
# profiles) so that your own preference files are left alone; set
# CORVANE_DEMO_HOME to use another one. With LANGUAGE=de (or fr) the settings
# window runs in German (French).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target corvane corvane-simdriver corvane-simctl MiniTask-CorvaneUtility \
  CorvaneWirelessUtility

mkdir -p out
export CORVANE_IOREGISTRY="${CORVANE_IOREGISTRY:-$root/out/registry}"
export HOME="${CORVANE_DEMO_HOME:-$root/out/demo-home}"
mkdir -p "$HOME/Library/Preferences"
chmod 700 "$HOME" "$HOME/Library/Preferences"
[ -f "$HOME/Library/Preferences/Profile.plist" ] ||
  install -m 600 scripts/demo/Profile.plist "$HOME/Library/Preferences/Profile.plist"

bin="$root/build/bin"
journal="$root/out/driver-journal.jsonl"
: >"$journal"
"$bin/corvane-simdriver" --journal "$journal" &
driver=$!
window=
trap 'kill $window "$driver" 2>/dev/null; wait $window "$driver" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  "$bin/corvane-simctl" status >/dev/null 2>&1 && break
  sleep 0.1
done

echo "== corvane status"
"$bin/corvane" status
echo
echo "== corvane scan"
"$bin/corvane" scan
echo
echo "== corvane profiles"
"$bin/corvane" profiles
echo
echo "== corvane connect Home"
"$bin/corvane" connect Home || true
"$bin/corvane" status
echo
echo "== corvane status --watch 3"
"$bin/corvane" status --watch 3
echo
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "== the settings window, on your desktop beside the tray agent"
  "$bin/CorvaneWirelessUtility" &
  window=$!
  echo
  echo "== the tray agent"
  scripts/run-agent-demo.sh
else
  echo "== the tray agent"
  scripts/run-agent-demo.sh
  echo
  echo "== the settings window"
  # In German or French when LANGUAGE asks for it (LANGUAGE=de scripts/run.sh),
  # its screenshots in out/window-demo/de or out/window-demo/fr.
  case "${LANGUAGE:-}" in
    de* | fr*) scripts/run-window-demo.py --language "${LANGUAGE:0:2}" ;;
    *) scripts/run-window-demo.py ;;
  esac
fi
