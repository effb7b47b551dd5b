#!/usr/bin/env bash
# The end-to-end test of the NetworkManager backend on real radios:
# NetworkManager (Debian's packages, unpacked into the virtual machine, never
# installed here) on the Debian kernel's mac80211_hwsim radios, with hostapd
# access points, driven by corvane-nmd and the system's own programs as an
# unprivileged user, in the real-radio test's virtual machine. See README.md
# beside this script.
#
# usage: scripts/nmradio/run-test.sh [BUILD_DIR]
# Exit status 0 when every expected check reported and passed, or when the
# machine cannot run the test (then it says why, beginning with "SKIPPED");
# 1 otherwise. CORVANE_SKIP_NMRADIO=1 (or CORVANE_SKIP_REALRADIO=1) skips
# it; CORVANE_NMRADIO_TIMEOUT (s, 900) bounds the virtual machine's run.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" 2>/dev/null && pwd) || { echo "nmradio: no build folder ${1:-}"; exit 1; }
test_name=nmradio
. "$root/scripts/realradio/vm.sh"

skip() {
  echo "nmradio: SKIPPED: $*"
  exit 0
}
[ "${CORVANE_SKIP_NMRADIO:-0}" = 1 ] && skip "CORVANE_SKIP_NMRADIO=1"
[ "${CORVANE_SKIP_REALRADIO:-0}" = 1 ] && skip "CORVANE_SKIP_REALRADIO=1"
[ "$(uname -m)" = x86_64 ] || skip "the virtual machine is an x86_64 one; this machine is $(uname -m)"
missing=()
for tool in qemu-system-x86_64 hostapd wpa_supplicant wpa_passphrase iw ip ping setpriv busybox cpio \
            depmod dpkg-deb apt-get dbus-daemon gdbus /usr/lib/polkit-1/polkitd /usr/bin/python3; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
/usr/bin/python3 -c 'from gi.repository import Gio' 2>/dev/null || missing+=(python3-gi)
[ ${#missing[@]} -eq 0 ] || skip "missing ${missing[*]} (scripts/install-deps.sh --realradio installs them)"
case "$build" in *[\ ,]*) skip "the build folder's path holds a blank or a comma: $build" ;; esac
for program in corvane corvane-nmd MiniTask-CorvaneUtility nm_standin_secret_agent; do
  [ -x "$build/bin/$program" ] || { echo "nmradio: $build/bin/$program is not built"; exit 1; }
done

start=$(date +%s)
image=$("$root/scripts/realradio/build-image.sh") || skip "the virtual machine's image cannot be built here (see above)"
nmfs=$("$here/fetch-networkmanager.sh") || skip "NetworkManager's packages cannot be had here (see above)"
case "$nmfs" in *[\ ,]*) skip "the package folder's path holds a blank or a comma: $nmfs" ;; esac
out="$build/nmradio"
rm -rf "$out"
mkdir -p "$out"
echo "nmradio: image $image, NetworkManager from $nmfs ($(( $(date +%s) - start )) s); booting the virtual machine"

boot_guest "${CORVANE_NMRADIO_TIMEOUT:-900}" 1536 "$here/guest-test.sh" "$build,/out,$nmfs" || exit 1
[ -s "$out/timings" ] && { echo "nmradio: timings"; cat "$out/timings"; }
judge_checks "$here/expected-checks"
