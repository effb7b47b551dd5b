#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as a new user
# would find it, without touching the system: unpacked into a temporary
# folder, the installed programs find their bundles relative to themselves,
# the simulated driver serves, `corvane` scans and reads the About facts from
# the installed driver information, the settings window starts from its
# link and a second start hands over to the first, and the desktop and
# autostart entries and the agent's systemd user units name installed paths.
#
#   scripts/check-package.sh [BUILD_FOLDER]      (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cd "$build"
rm -f corvane_*.deb
cpack -G DEB > cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls corvane_*.deb)
echo "built $build/$deb"

work=$(mktemp -d)
cleanup() {
  [ -n "${driver:-}" ] && kill "$driver" 2>/dev/null || true
  [ -n "${window:-}" ] && kill "$window" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
dpkg-deb -x "$deb" "$work/unpacked"
usr=$work/unpacked/usr
fail() { echo "check-package: $*" >&2; exit 1; }

for program in corvane corvane-simdriver corvane-simctl corvane-nmd MiniTask-CorvaneUtility CorvaneWirelessUtility; do
  [ -x "$usr/bin/$program" ] || fail "$program is not in bin/"
done
[ -f "$usr/lib/corvane/root/System/Library/PreferencePanes/CorvaneWirelessUtility.prefPane/Contents/Info.plist" ] \
  || fail "the window's bundle is not under lib/corvane/root"
grep -q "^Exec=/usr/bin/CorvaneWirelessUtility$" "$usr/share/applications/CorvaneWirelessUtility.desktop" \
  || fail "the window's desktop entry does not start /usr/bin/CorvaneWirelessUtility"
grep -q "^Exec=/usr/bin/MiniTask-CorvaneUtility$" "$work/unpacked/etc/xdg/autostart/MiniTask-CorvaneUtility.desktop" \
  || fail "the autostart entry does not start /usr/bin/MiniTask-CorvaneUtility"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt"
# The agent's systemd user units: the path unit enabled for every user, the
# service starting the installed agent, both as systemd reads them (checked
# with the agent's path replaced by the unpacked one, which exists here).
units=$usr/lib/systemd/user
[ "$(readlink "$units/default.target.wants/MiniTask-CorvaneUtility.path")" = ../MiniTask-CorvaneUtility.path ] \
  || fail "the agent's path unit is not enabled in default.target.wants"
grep -q "^ExecStart=/usr/bin/MiniTask-CorvaneUtility$" "$units/MiniTask-CorvaneUtility.service" \
  || fail "the agent's service does not start /usr/bin/MiniTask-CorvaneUtility"
grep -q "^PathChanged=%t/corvane-ioregistry$" "$units/MiniTask-CorvaneUtility.path" \
  || fail "the agent's path unit does not watch the user's registry folder"
if command -v systemd-analyze > /dev/null; then
  mkdir -p "$work/units" "$work/runtime"
  cp "$units/MiniTask-CorvaneUtility.path" "$work/units/"
  sed "s|^ExecStart=/usr/bin/|ExecStart=$usr/bin/|" "$units/MiniTask-CorvaneUtility.service" \
    > "$work/units/MiniTask-CorvaneUtility.service"
  (cd "$work/units" && XDG_RUNTIME_DIR=$work/runtime systemd-analyze --user verify \
    MiniTask-CorvaneUtility.path MiniTask-CorvaneUtility.service) > "$work/verify.log" 2>&1 \
    && ! grep -qE "Unknown|ignoring|not executable" "$work/verify.log" \
    || { cat "$work/verify.log"; fail "systemd does not take the agent's units"; }
fi
# corvane-nmd: a user unit of the graphical session, enabled for every user
# when the package is installed, and started by an autostart entry where the
# session does not reach graphical-session.target.
unit=$usr/lib/systemd/user/corvane-nmd.service
grep -q "^ExecStart=/usr/bin/corvane-nmd$" "$unit" || fail "the user unit does not start /usr/bin/corvane-nmd"
grep -q "^WantedBy=graphical-session.target$" "$unit" || fail "the user unit is not wanted by the graphical session"
grep -q "^Exec=systemctl --user start corvane-nmd.service$" "$work/unpacked/etc/xdg/autostart/corvane-nmd.desktop" \
  || fail "no autostart entry starts the user unit"
dpkg-deb -e "$deb" "$work/control"
grep -q "systemctl --global enable corvane-nmd.service" "$work/control/postinst" \
  || fail "the package does not enable the user unit"
grep -q "systemctl --global disable corvane-nmd.service" "$work/control/prerm" \
  || fail "the package does not disable the user unit on removal"
"$usr/bin/corvane-nmd" --interface none --help > "$work/nmd-help.txt" || fail "corvane-nmd does not run as installed"

# The unpacked programs run as installed: no build-tree path, no variable.
unset CORVANE_SYSTEM_ROOT
export CORVANE_IOREGISTRY=$work/registry HOME=$work/home QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
"$usr/bin/corvane-simdriver" 2> "$work/driver.log" &
driver=$!
for _ in $(seq 100); do "$usr/bin/corvane-simctl" status > /dev/null 2>&1 && break; sleep 0.1; done
"$usr/bin/corvane" about --json > "$work/about.json" || fail "corvane about failed"
python3 - "$work/about.json" <<'PY' || fail "the About facts do not come from the installed files"
import json, sys
about = json.load(open(sys.argv[1]))
assert about["driver_version"], about
assert about["utility_version"], about
PY
"$usr/bin/corvane" scan > "$work/scan.txt" || fail "corvane scan failed"
grep -q CorvaneHome "$work/scan.txt" || fail "the scan does not list the sample networks"

"$usr/bin/CorvaneWirelessUtility" > "$work/window.log" 2>&1 &
window=$!
sleep 3
kill -0 "$window" 2>/dev/null || { cat "$work/window.log"; fail "the window did not start from its link"; }
timeout 20 "$usr/bin/CorvaneWirelessUtility" > "$work/second.log" 2>&1 || fail "a second start did not hand over"
echo "check-package: $deb installs and runs from anywhere"
