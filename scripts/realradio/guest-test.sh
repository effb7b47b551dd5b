#!/bin/bash
# Runs inside the real-radio virtual machine (see README.md): five
# mac80211_hwsim radios, four access points (hostapd) in a network namespace
# of their own, a station radio with wpa_supplicant, corvane-nl80211d on the
# station, and the system's own programs (corvane, the tray agent) run as an
# unprivileged user against it. Writes one line per check to OUT/result
# ("PASS name" / "FAIL name: why"), the logs beside it.
#
# usage: guest-test.sh BUILD_DIR OUT_DIR [record]
# With "record", it only brings the air up, scans, joins the WPA2 network and
# records the kernel's nl80211 answers for the unit tests (OUT/answers.jsonl).
set -u
build=$1
out=$2
mode=${3:-test}
bin=$build/bin
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
export LC_ALL=C
cd /tmp

step_start=$(cut -d' ' -f1 /proc/uptime)
log() { echo "[$(cut -d' ' -f1 /proc/uptime)] $*" | tee -a "$out/transcript.log"; }
pass() { echo "PASS $1" >> "$out/result"; log "PASS $1"; }
fail() { echo "FAIL $1: $2" >> "$out/result"; log "FAIL $1: $2"; }

# --- the air -------------------------------------------------------------------
modprobe mac80211_hwsim radios=5 || { fail setup "no mac80211_hwsim"; exit 1; }
for i in $(seq 50); do [ -e /sys/class/net/wlan4 ] && break; sleep 0.1; done
declare -A bssid
for i in 0 1 2 3; do bssid[$i]=$(cat /sys/class/net/wlan$i/address); done
ip link set lo up
ip netns add air
for i in 0 1 2 3; do iw phy "$(basename "$(readlink /sys/class/net/wlan$i/phy80211)")" set netns name air; done
mkdir -p /run/hostapd /run/wpa_supplicant

ap_conf() {  # interface ssid channel then security lines
  local iface=$1 ssid=$2 channel=$3
  shift 3
  {
    printf 'interface=%s\ndriver=nl80211\nctrl_interface=/run/hostapd\nssid=%s\n' "$iface" "$ssid"
    printf 'hw_mode=g\nchannel=%s\n' "$channel"
    printf '%s\n' "$@"
  } > "/tmp/$iface.conf"
}
ap_conf wlan0 CorvaneWPA2 1 wpa=2 wpa_key_mgmt=WPA-PSK rsn_pairwise=CCMP wpa_passphrase=corvane-secret
ap_conf wlan1 CorvaneOpen 6
ap_conf wlan2 CorvaneWEP 11 auth_algs=2 wep_default_key=0 'wep_key0="CorvaneWEP104"'
ap_conf wlan3 CorvaneSAE 6 wpa=2 wpa_key_mgmt=SAE rsn_pairwise=CCMP ieee80211w=2 sae_password=corvane-secret
start_ap() {
  ip netns exec air hostapd -B -P "/run/hostapd-$1.pid" -f "$out/hostapd-$1.log" "/tmp/$1.conf" >/dev/null
}
for i in 0 1 2 3; do start_ap wlan$i || fail setup "hostapd on wlan$i"; done
ip netns exec air ip link set lo up
ip netns exec air ip addr add 10.77.0.1/24 dev wlan0

printf 'ctrl_interface=DIR=/run/wpa_supplicant GROUP=root\n' > /tmp/wpa_supplicant.conf
wpa_supplicant -B -i wlan4 -c /tmp/wpa_supplicant.conf -f "$out/wpa_supplicant.log" || fail setup "wpa_supplicant"
ip addr add 10.77.0.2/24 dev wlan4
wpa_state() { wpa_cli -p /run/wpa_supplicant -i wlan4 status 2>/dev/null | sed -n 's/^wpa_state=//p'; }
wpa_ssid() { wpa_cli -p /run/wpa_supplicant -i wlan4 status 2>/dev/null | sed -n 's/^ssid=//p'; }
wait_state() {  # state seconds
  local end=$(( $(date +%s) + $2 ))
  while [ "$(date +%s)" -le "$end" ]; do
    [ "$(wpa_state)" = "$1" ] && return 0
    sleep 0.5
  done
  return 1
}

# --- the driver service ---------------------------------------------------------
"$bin/corvane-nl80211d" --interface wlan4 --group nogroup --journal "$out/journal.jsonl" \
  2> "$out/nl80211d.log" &
service=/run/corvane-ioregistry/OspreyUSBWirelessDriver@wlan4
for i in $(seq 100); do [ -S "$service" ] && break; sleep 0.1; done
[ -S "$service" ] && pass service-published || fail service-published "no $service"
log "air and driver up"

if [ "$mode" = record ]; then
  wpa_cli -p /run/wpa_supplicant -i wlan4 scan >/dev/null
  sleep 6
  "$bin/nl80211_record_answers" wlan4 > "$out/answers-scan.jsonl"
  cat > /tmp/join.conf <<EOT
network={
  ssid="CorvaneWPA2"
  psk="corvane-secret"
}
EOT
  wpa_cli -p /run/wpa_supplicant -i wlan4 add_network >/dev/null
  for kv in 'ssid "CorvaneWPA2"' 'psk "corvane-secret"'; do
    wpa_cli -p /run/wpa_supplicant -i wlan4 set_network 0 $kv >/dev/null
  done
  wpa_cli -p /run/wpa_supplicant -i wlan4 select_network 0 >/dev/null
  wait_state COMPLETED 20 && ping -c 2 -W 2 10.77.0.1 >/dev/null
  wpa_cli -p /run/wpa_supplicant -i wlan4 status > "$out/wpa-status-completed.txt"
  "$bin/nl80211_record_answers" wlan4 > "$out/answers-joined.jsonl"
  pass record
  exit 0
fi

# --- the system, as a user --------------------------------------------------------
user_home=/tmp/user
mkdir -p "$user_home/run"
chown -R 65534:65534 "$user_home"
chmod 0700 "$user_home/run"
as_user() {
  setpriv --reuid=65534 --regid=65534 --clear-groups \
    env -i PATH="$PATH" HOME="$user_home" XDG_RUNTIME_DIR="$user_home/run" LC_ALL=C "$@"
}
corvane() { as_user "$bin/corvane" "$@"; }

expect() {  # name, then a command whose success is the check
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name" "$*"; fi
}

corvane scan --json > "$out/scan.json" 2> "$out/scan.err"
log "scan done"
/usr/bin/python3 - "$out/scan.json" "${bssid[0]}" "${bssid[1]}" "${bssid[2]}" "${bssid[3]}" <<'PY' \
  >> "$out/result"
import json, sys
rows = {r["bssid"].replace("-", ":").lower(): r for r in json.load(open(sys.argv[1]))}
expected = [
    (sys.argv[2], "CorvaneWPA2", 1, "WPA2-PSK", "AES-CCMP"),
    (sys.argv[3], "CorvaneOpen", 6, "OPEN", "NOT USED"),
    (sys.argv[4], "CorvaneWEP", 11, "OPEN/SHARED", "WEP"),
    (sys.argv[5], "CorvaneSAE", 6, "WPA3-SAE", "AES-CCMP"),
]
for bssid, ssid, channel, auth, enc in expected:
    r = rows.get(bssid)
    got = r and (r["ssid"], r["channel"], r["authentication"].upper(), r["encryption"].upper())
    want = (ssid, channel, auth, enc)
    print(("PASS scan-%s" % ssid) if got == want else ("FAIL scan-%s: got %s, want %s" % (ssid, got, want)))
PY
log "$(tail -4 "$out/result" | tr '\n' ' ')"

corvane join "${bssid[0]}" --passphrase wrong-passphrase > "$out/join-wrong.txt" 2>&1
rc=$?
expect join-wrong-passphrase-fails test "$rc" = 1 -a "$(wpa_state)" != COMPLETED

corvane join "${bssid[0]}" --passphrase corvane-secret > "$out/join-wpa2.txt" 2>&1
rc=$?
expect join-wpa2 test "$rc" = 0 -a "$(wpa_state)" = COMPLETED -a "$(wpa_ssid)" = CorvaneWPA2
expect ping-over-the-air ping -c 3 -W 3 10.77.0.1
corvane status --json > "$out/status-wpa2.json"
expect status-shows-the-link grep -q '"associated":true.*"ssid":"CorvaneWPA2"' "$out/status-wpa2.json"

corvane disconnect > "$out/disconnect.txt" 2>&1
expect disconnect wait_state DISCONNECTED 5
corvane status --json > "$out/status-disconnected.json"
expect status-after-disconnect grep -q '"associated":false' "$out/status-disconnected.json"

corvane join "${bssid[1]}" > "$out/join-open.txt" 2>&1
rc=$?
expect join-open test "$rc" = 0 -a "$(wpa_ssid)" = CorvaneOpen

corvane join "${bssid[2]}" --wep-ascii 1=CorvaneWEP104 --shared > "$out/join-wep.txt" 2>&1
rc=$?
expect join-wep-shared test "$rc" = 0 -a "$(wpa_ssid)" = CorvaneWEP

corvane profiles add --ssid CorvaneWPA2 --name Lab --passphrase corvane-secret > "$out/profile-add.txt" 2>&1
corvane connect Lab > "$out/connect-lab.txt" 2>&1
rc=$?
expect connect-profile test "$rc" = 0 -a "$(wpa_ssid)" = CorvaneWPA2
log "joins done"

corvane radio off > "$out/radio-off.txt" 2>&1
soft=$(cat /sys/class/ieee80211/"$(basename "$(readlink /sys/class/net/wlan4/phy80211)")"/rfkill*/soft)
expect radio-off test "$soft" = 1 -a "$(wpa_state)" != COMPLETED
corvane status --json > "$out/status-radio-off.json"
expect status-radio-off grep -q '"associated":false' "$out/status-radio-off.json"
corvane radio on > "$out/radio-on.txt" 2>&1
expect radio-on-reconnects wait_state COMPLETED 30
log "radio done"

# The tray agent: it sets the adapter up (dropping the association), then
# reconnects the active profile; after the access point has been away, it
# reconnects it again.
ssid_sets() { grep -c '"selector":226558210[,}]' "$out/journal.jsonl"; }
as_user env QT_QPA_PLATFORM=offscreen "$bin/MiniTask-CorvaneUtility" > "$out/agent.log" 2>&1 &
agent=$!
sleep 3
expect agent-connects-active-profile wait_state COMPLETED 40
before=$(ssid_sets)
kill "$(cat /run/hostapd-wlan0.pid)"
sleep 3
expect link-lost-with-the-access-point test "$(wpa_state)" != COMPLETED
sleep 8
start_ap wlan0
expect agent-reconnects-after-ap-restart wait_state COMPLETED 60
after=$(ssid_sets)
log "the profile's SSID requests: $before before the access point went away, $after after it came back"
expect agent-applied-the-profile-again test "$after" -gt "$before"
corvane status --json > "$out/status-after-restart.json"
expect status-after-restart grep -q '"associated":true.*"ssid":"CorvaneWPA2"' "$out/status-after-restart.json"
kill "$agent" 2>/dev/null
log "agent done"

iw reg set DE
sleep 1
corvane init > "$out/init-de.txt" 2>&1
expect country-region-de grep -q 'country region 0x81, channels 1 2 3 4 5 6 7 8 9 10 11 12 13,' "$out/init-de.txt"

kill %1 2>/dev/null
wait 2>/dev/null
log "done in $(awk -v s="$step_start" '{print int($1 - s)}' /proc/uptime) s"
