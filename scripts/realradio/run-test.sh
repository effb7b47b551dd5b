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

# The checks guest-test.sh reports, each exactly once, all of which must pass.
expected_test=(
  service-published
  scan-json scan-CorvaneWPA2-channel-1 scan-CorvaneOpen-channel-6 scan-CorvaneWEP-channel-11
  scan-CorvaneSAE-channel-6 scan-CorvaneWPA2-channel-11 scan-CorvaneAdHoc-channel-11
  join-sae-refused join-wrong-passphrase-fails join-wpa2 ping-over-the-air status-shows-the-link
  disconnect status-after-disconnect join-open join-wep-shared bssid-lock-twin bssid-lock-back
  adhoc-joins-the-peer kernel-refusal-logged connect-profile phy-settings-applied
  phy-settings-read-back radio-off status-radio-off radio-on-reconnects
  agent-connects-active-profile link-lost-with-the-access-point agent-reconnects-after-ap-restart
  agent-applied-the-profile-again status-after-restart country-region-de
)
expected_record=(service-published record)

start=$(date +%s)
image=$("$here/build-image.sh") || skip "the virtual machine's image cannot be built here (see above)"
out="$build/realradio"
rm -rf "$out"
mkdir -p "$out"
echo "realradio: image $image ($(( $(date +%s) - start )) s); booting the virtual machine"

timeout "${CORVANE_REALRADIO_TIMEOUT:-600}" qemu-system-x86_64 \
  -machine q35,accel=tcg -m 1024 -smp 2 -nodefaults -display none -no-reboot \
  -serial "file:$out/console.log" \
  -kernel "$image/vmlinuz" -initrd "$image/initrd.gz" \
  -append "console=ttyS0 quiet panic=-1 corvane.image=$image corvane.guest=$here/guest-test.sh corvane.args=$build,/out,$mode" \
  -virtfs "local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap" \
  -virtfs "local,path=$out,mount_tag=out,security_model=none" \
  > "$out/qemu.log" 2>&1
status=$?
elapsed=$(( $(date +%s) - start ))

if [ ! -s "$out/result" ]; then
  echo "realradio: FAILED: the virtual machine gave no result (qemu exit $status, ${elapsed} s); its console:"
  tail -30 "$out/console.log" 2>/dev/null
  exit 1
fi
cat "$out/result"
# Every check must have reported, so that a guest that stops early fails:
# a check that never reported counts as failed, and so does one this list
# does not know.
if [ "$mode" = record ]; then expected=("${expected_record[@]}"); else expected=("${expected_test[@]}"); fi
passed=0
failed=0
for name in "${expected[@]}"; do
  if grep -qx "PASS $name" "$out/result"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    grep -q "^FAIL $name:" "$out/result" || echo "FAIL $name: never reported"
  fi
done
while read -r verdict name; do
  name=${name%%:*}
  printf '%s\n' "${expected[@]}" | grep -qx -- "$name" && continue
  echo "FAIL $name: reported, but not among the expected checks ($verdict)"
  failed=$((failed + 1))
done < <(grep -E '^(PASS|FAIL) ' "$out/result")
echo "realradio: ${elapsed} s in all, logs in $out"
echo "realradio: $passed passed, $failed failed of ${#expected[@]} expected"
[ "$failed" -eq 0 ] && [ "$status" -eq 0 ]
