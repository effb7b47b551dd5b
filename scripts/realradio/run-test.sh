#!/usr/bin/env bash
# The end-to-end test on real radios: corvane-nl80211d and the system's own
# programs against the Debian kernel's mac80211_hwsim radios with hostapd
# access points, in a throw-away virtual machine (QEMU, TCG: no KVM needed).
# See README.md beside this script.
#
# usage: scripts/realradio/run-test.sh [BUILD_DIR] [record]
# Exit status 0 when every expected check reported and passed, or when the
# machine cannot run the test (then it says why, beginning with "SKIPPED");
# 1 when a check failed or never reported.
# CORVANE_SKIP_REALRADIO=1 skips it; CORVANE_REALRADIO_TIMEOUT (s, 600) bounds
# the virtual machine's run.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" 2>/dev/null && pwd) || { echo "realradio: no build folder ${1:-}"; exit 1; }
mode=${2:-test}
test_name=realradio
. "$here/vm.sh"

skip() {
  echo "realradio: SKIPPED: $*"
  exit 0
}
[ "${CORVANE_SKIP_REALRADIO:-0}" = 1 ] && skip "CORVANE_SKIP_REALRADIO=1"
[ "$(uname -m)" = x86_64 ] || skip "the virtual machine is an x86_64 one; this machine is $(uname -m)"
missing=()
for tool in qemu-system-x86_64 hostapd wpa_supplicant wpa_cli iw ip ping setpriv busybox cpio depmod \
            dpkg-deb apt-get /usr/bin/python3; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
[ ${#missing[@]} -eq 0 ] || skip "missing ${missing[*]} (scripts/install-deps.sh --realradio installs them)"
case "$build" in *[\ ,]*) skip "the build folder's path holds a blank or a comma: $build" ;; esac
for program in corvane corvane-nl80211d MiniTask-CorvaneUtility; do
  [ -x "$build/bin/$program" ] || { echo "realradio: $build/bin/$program is not built"; exit 1; }
done
if [ "$mode" = record ] && [ ! -x "$build/bin/nl80211_record_answers" ]; then
  echo "realradio: $build/bin/nl80211_record_answers is not built"
  exit 1
fi

start=$(date +%s)
image=$("$here/build-image.sh") || skip "the virtual machine's image cannot be built here (see above)"
out="$build/realradio"
rm -rf "$out"
mkdir -p "$out"
echo "realradio: image $image ($(( $(date +%s) - start )) s); booting the virtual machine"

boot_guest "${CORVANE_REALRADIO_TIMEOUT:-600}" 1024 "$here/guest-test.sh" "$build,/out,$mode" || exit 1
if [ "$mode" = record ]; then
  judge_checks "$here/expected-record"
else
  judge_checks "$here/expected-checks"
fi
