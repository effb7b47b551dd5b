#!/bin/bash
# Runs inside the real-radio virtual machine (see README.md): seven
# mac80211_hwsim radios; five access points (hostapd) and an ad hoc peer in
# a network namespace of their own; a station radio with wpa_supplicant,
# corvane-nl80211d on the station, and the system's own programs (corvane,
# the tray agent) run as an unprivileged user against it. Writes one line
# per check to OUT/result ("PASS name" / "FAIL name: why"), the logs beside
# it; run-test.sh holds the list of checks that must all report.
#
# Each check proves the effect of the utility's own action: before the
# utility or the agent is to bring a link back, the link is taken down and
# wpa_supplicant is left with no network of its own to rejoin, and the
# journal must show the utility's requests.
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
# wlan0-3 and wlan5 access points, wlan6 the ad hoc peer, wlan4 the station.
modprobe mac80211_hwsim radios=7 || { fail setup "no mac80211_hwsim"; exit 1; }
for i in $(seq 50); do [ -e /sys/class/net/wlan6 ] && break; sleep 0.1; done
declare -A bssid
for i in 0 1 2 3 5 6; do bssid[$i]=$(cat /sys/class/net/wlan$i/address); done
phy_of() { basename "$(readlink "/sys/class/net/$1/phy80211")"; }
station_phy=$(phy_of wlan4)
ip link set lo up
ip netns add air
for i in 0 1 2 3 5 6; do iw phy "$(phy_of wlan$i)" set netns name air; done
mkdir -p /run/hostapd /run/wpa_supplicant
in_air() { ip netns exec air "$@"; }

ap_conf() {  # interface ssid channel then security lines
  local iface=$1 ssid=$2 channel=$3
  shift 3
  {
    printf 'interface=%s\ndriver=nl80211\nctrl_interface=/run/hostapd\nssid=%s\n' "$iface" "$ssid"
    printf 'hw_mode=g\nchannel=%s\n' "$channel"
    printf '%s\n' "$@"
  } > "/tmp/$iface.conf"
}
wpa2=(wpa=2 wpa_key_mgmt=WPA-PSK rsn_pairwise=CCMP wpa_passphrase=corvane-secret)
ap_conf wlan0 CorvaneWPA2 1 "${wpa2[@]}"
ap_conf wlan1 CorvaneOpen 6
ap_conf wlan2 CorvaneWEP 11 auth_algs=2 wep_default_key=0 'wep_key0="CorvaneWEP104"'
ap_conf wlan3 CorvaneSAE 6 wpa=2 wpa_key_mgmt=SAE rsn_pairwise=CCMP ieee80211w=2 sae_password=corvane-secret
# The twin: the same network on another channel, told apart by its BSSID
# only (stopped after the BSSID lock's checks).
ap_conf wlan5 CorvaneWPA2 11 "${wpa2[@]}"
start_ap() {
  in_air hostapd -B -P "/run/hostapd-$1.pid" -f "$out/hostapd-$1.log" "/tmp/$1.conf" >/dev/null
}
stop_ap() { kill "$(cat "/run/hostapd-$1.pid")"; }
for i in 0 1 2 3 5; do start_ap wlan$i || fail setup "hostapd on wlan$i"; done
in_air ip link set lo up
# One subnet per access point (and the peer), the station on each.
declare -A subnet=([0]=10.77.0 [1]=10.77.1 [2]=10.77.2 [6]=10.77.6)
for i in 0 1 2; do in_air ip addr add "${subnet[$i]}.1/24" dev wlan$i; done
# The ad hoc peer beacons an open IBSS on channel 11. Its BSSID is not its
# own address: mac80211 drops frames sent from an IBSS's BSSID.
bssid[6]=02:77:00:00:06:00
in_air iw dev wlan6 set type ibss
in_air ip link set wlan6 up
in_air iw dev wlan6 ibss join CorvaneAdHoc 2462 fixed-freq "${bssid[6]}" || fail setup "the ad hoc peer"
in_air ip addr add "${subnet[6]}.1/24" dev wlan6

printf 'ctrl_interface=DIR=/run/wpa_supplicant GROUP=root\n' > /tmp/wpa_supplicant.conf
wpa_supplicant -B -t -i wlan4 -c /tmp/wpa_supplicant.conf -f "$out/wpa_supplicant.log" || fail setup "wpa_supplicant"
for i in 0 1 2 6; do ip addr add "${subnet[$i]}.2/24" dev wlan4; done
wpa() { wpa_cli -p /run/wpa_supplicant -i wlan4 "$@" 2>/dev/null; }
wpa_field() { wpa status | sed -n "s/^$1=//p"; }
wpa_state() { wpa_field wpa_state; }
wpa_ssid() { wpa_field ssid; }
wait_state() {  # state seconds
  local end=$(( $(date +%s) + $2 ))
  while [ "$(date +%s)" -le "$end" ]; do
    [ "$(wpa_state)" = "$1" ] && return 0
    sleep 0.5
  done
  return 1
}
wait_gone() {  # seconds: until the link is no longer up
  local end=$(( $(date +%s) + $1 ))
  while [ "$(date +%s)" -le "$end" ]; do
    [ "$(wpa_state)" != COMPLETED ] && return 0
    sleep 0.5
  done
  return 1
}
ping_within() {  # seconds address: until one ping is answered
  local end=$(( $(date +%s) + $1 ))
  while [ "$(date +%s)" -le "$end" ]; do
    ping -c 1 -W 2 "$2" > /dev/null && return 0
    sleep 1
  done
  return 1
}
# Takes the link down and leaves wpa_supplicant nothing to rejoin on its own:
# what brings the link back after this is the utility.
drop_link() {
  wpa disconnect >/dev/null
  wpa remove_network all >/dev/null
  wait_state DISCONNECTED 5
}

# --- the driver service ---------------------------------------------------------
"$bin/corvane-nl80211d" --interface wlan4 --group nogroup --journal "$out/journal.jsonl" \
  2> "$out/nl80211d.log" &
service=/run/corvane-ioregistry/OspreyUSBWirelessDriver@wlan4
for i in $(seq 100); do [ -S "$service" ] && break; sleep 0.1; done
[ -S "$service" ] && pass service-published || fail service-published "no $service"
log "air and driver up"
simctl() { "$bin/corvane-simctl" --registry /run/corvane-ioregistry --instance wlan4 status; }
driver_field() {  # the driver's status field
  simctl | /usr/bin/python3 -c "import json, sys; print(json.load(sys.stdin).get('$1'))"
}

if [ "$mode" = record ]; then
  wpa scan >/dev/null
  sleep 6
  "$bin/nl80211_record_answers" wlan4 > "$out/answers-scan.jsonl"
  wpa add_network >/dev/null
  for kv in 'ssid "CorvaneWPA2"' 'psk "corvane-secret"'; do
    wpa set_network 0 $kv >/dev/null
  done
  wpa select_network 0 >/dev/null
  wait_state COMPLETED 20 && ping -c 2 -W 2 10.77.0.1 >/dev/null
  wpa status > "$out/wpa-status-completed.txt"
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
all() {  # each argument a shell condition; true when all hold, else says which did not
  local c
  for c in "$@"; do
    eval "$c" || { echo "not: $c" >> "$out/transcript.log"; return 1; }
  done
}

# The journal: the SSID (0x0D810102) and BSSID (0x0D810101) requests sent,
# counted from a mark.
joins() { grep -cE '"selector":(226558210|226558209)[,}]' "$out/journal.jsonl"; }
mark() { joins_at_mark=$(joins); wpa_lines_at_mark=$(wc -l < "$out/wpa_supplicant.log"); }
joins_since_mark() { echo $(( $(joins) - joins_at_mark )); }
wpa_log_since_mark() { tail -n +"$((wpa_lines_at_mark + 1))" "$out/wpa_supplicant.log"; }
joined() {  # ssid bssid-index: wpa_supplicant is on that access point
  [ "$(wpa_state)" = COMPLETED ] && [ "$(wpa_ssid)" = "$1" ] && [ "$(wpa_field bssid)" = "${bssid[$2]}" ]
}
rts_on_phy() { iw phy "$station_phy" info | sed -n 's/^\s*RTS threshold: //p'; }
frag_on_phy() { iw phy "$station_phy" info | sed -n 's/^\s*Fragmentation threshold: //p'; }
txpower_on_phy() { iw dev wlan4 info | sed -n 's/^\s*txpower //p'; }

corvane scan --json > "$out/scan.json" 2> "$out/scan.err"
log "scan done"
/usr/bin/python3 - "$out/scan.json" "${bssid[0]}" "${bssid[1]}" "${bssid[2]}" "${bssid[3]}" \
  "${bssid[5]}" "${bssid[6]}" <<'PY' >> "$out/result"
import json, sys
expected = [
    (sys.argv[2], "CorvaneWPA2", 1, "WPA2-PSK", "AES-CCMP", "Infrastructure"),
    (sys.argv[3], "CorvaneOpen", 6, "OPEN", "NOT USED", "Infrastructure"),
    (sys.argv[4], "CorvaneWEP", 11, "OPEN/SHARED", "WEP", "Infrastructure"),
    (sys.argv[5], "CorvaneSAE", 6, "WPA3-SAE", "AES-CCMP", "Infrastructure"),
    (sys.argv[6], "CorvaneWPA2", 11, "WPA2-PSK", "AES-CCMP", "Infrastructure"),
    (sys.argv[7], "CorvaneAdHoc", 11, "OPEN", "NOT USED", "Ad Hoc"),
]
try:
    listed = json.load(open(sys.argv[1]))
    rows = {r["bssid"].replace("-", ":").lower(): r for r in listed}
    print("PASS scan-json")
except Exception as e:  # nothing valid printed: every row fails too
    print("FAIL scan-json: %s" % e)
    rows = {}
for bssid, ssid, channel, auth, enc, kind in expected:
    r = rows.get(bssid)
    got = r and (r["ssid"], r["channel"], r["authentication"].upper(), r["encryption"].upper(),
                 r["network_type"])
    want = (ssid, channel, auth, enc, kind)
    name = "scan-%s-channel-%d" % (ssid, channel)
    print(("PASS " + name) if got == want else ("FAIL %s: got %s, want %s" % (name, got, want)))
PY
log "$(tail -7 "$out/result" | tr '\n' ' ')"

# WPA3-SAE: refused with the window's alert text before anything is sent.
mark
corvane join "${bssid[3]}" --passphrase corvane-secret > "$out/join-sae.txt" 2>&1
rc=$?
expect join-sae-refused all '[ "$rc" = 1 ]' \
  'grep -qx "This network uses WPA3-SAE security, which this adapter doesn'"'"'t support." "$out/join-sae.txt"' \
  '[ "$(joins_since_mark)" = 0 ]' '[ "$(wpa_state)" != COMPLETED ]'

# A wrong passphrase: the driver commits the network, the handshake fails
# on the key, and the command says it is not connected.
mark
corvane join "${bssid[0]}" --passphrase wrong-passphrase > "$out/join-wrong.txt" 2>&1
rc=$?
expect join-wrong-passphrase-fails all '[ "$rc" = 1 ]' \
  'grep -qx "Not connected to CorvaneWPA2" "$out/join-wrong.txt"' \
  '[ "$(joins_since_mark)" -ge 1 ]' \
  'wpa_log_since_mark | grep -qE "WRONG_KEY|pre-shared key may be incorrect"' \
  '[ "$(wpa_state)" != COMPLETED ]'

corvane join "${bssid[0]}" --passphrase corvane-secret > "$out/join-wpa2.txt" 2>&1
rc=$?
expect join-wpa2 all '[ "$rc" = 0 ]' 'joined CorvaneWPA2 0' '[ "$(wpa_field key_mgmt)" = WPA2-PSK ]' \
  '[ "$(wpa_field pairwise_cipher)" = CCMP ]'
expect ping-over-the-air ping -c 3 -W 3 10.77.0.1
corvane status --json > "$out/status-wpa2.json"
expect status-shows-the-link grep -q '"associated":true.*"ssid":"CorvaneWPA2"' "$out/status-wpa2.json"

corvane disconnect > "$out/disconnect.txt" 2>&1
expect disconnect wait_state DISCONNECTED 5
corvane status --json > "$out/status-disconnected.json"
expect status-after-disconnect grep -q '"associated":false' "$out/status-disconnected.json"

corvane join "${bssid[1]}" > "$out/join-open.txt" 2>&1
rc=$?
expect join-open all '[ "$rc" = 0 ]' 'joined CorvaneOpen 1' '[ "$(wpa_field key_mgmt)" = NONE ]' \
  'ping -c 3 -W 3 10.77.1.1 > /dev/null'

corvane join "${bssid[2]}" --wep-ascii 1=CorvaneWEP104 --shared > "$out/join-wep.txt" 2>&1
rc=$?
expect join-wep-shared all '[ "$rc" = 0 ]' 'joined CorvaneWEP 2' \
  '[ "$(wpa_field pairwise_cipher)" = WEP-104 ]' 'ping -c 3 -W 3 10.77.2.1 > /dev/null'

# The BSSID lock: two access points of one network; each join lands on the
# one it names, coming from the other.
corvane join "${bssid[5]}" --passphrase corvane-secret > "$out/join-twin.txt" 2>&1
rc=$?
expect bssid-lock-twin all '[ "$rc" = 0 ]' 'joined CorvaneWPA2 5' '[ "$(wpa_field freq)" = 2462 ]'
corvane join "${bssid[0]}" --passphrase corvane-secret > "$out/join-twin-back.txt" 2>&1
rc=$?
expect bssid-lock-back all '[ "$rc" = 0 ]' 'joined CorvaneWPA2 0' '[ "$(wpa_field freq)" = 2412 ]'
stop_ap wlan5
log "joins done"

# The profile's phy settings: RTS 500, fragmentation 1000, transmit power
# 25 % (14 dBm); the driver reads them back as the phy has them.
corvane profiles add --ssid CorvaneWPA2 --name Lab --passphrase corvane-secret > "$out/profile-add.txt" 2>&1
as_user /usr/bin/python3 - "$user_home/Library/Preferences/Profile.plist" <<'PY'
import plistlib, sys
with open(sys.argv[1], "rb") as f:
    profiles = plistlib.load(f)
for p in profiles:
    if p.get("Profile Name") == "Lab":
        p.update({"RTS Threshold": "500", "Fragmentation Threshold": "1000", "Tx Power": "3"})
with open(sys.argv[1], "wb") as f:
    plistlib.dump(profiles, f)
PY
corvane connect Lab > "$out/connect-lab.txt" 2>&1
rc=$?
log "phy: RTS $(rts_on_phy), fragmentation $(frag_on_phy), power $(txpower_on_phy); driver: RTS $(driver_field rts), fragmentation $(driver_field frag), power $(driver_field tx_power)"
expect connect-profile all '[ "$rc" = 0 ]' 'joined CorvaneWPA2 0'
expect phy-settings-applied all '[ "$(rts_on_phy)" = 500 ]' '[ "$(frag_on_phy)" = 1000 ]' \
  '[ "$(txpower_on_phy)" = "14.00 dBm" ]' '[ "$(driver_field rts)" = 500 ]' \
  '[ "$(driver_field frag)" = 1000 ]' '[ "$(driver_field tx_power)" = 25 ]'
iw phy "$station_phy" set rts 800 >> "$out/transcript.log" 2>&1
log "after iw set rts 800: phy $(rts_on_phy), driver $(driver_field rts)"
expect phy-settings-read-back all '[ "$(rts_on_phy)" = 800 ]' '[ "$(driver_field rts)" = 800 ]'

# Ad hoc with the peer: the configured channel, traffic to the peer. (On
# this slow machine joining the IBSS can take longer than the command waits
# for it: the command's own result is only logged.)
corvane profiles add --ssid CorvaneAdHoc --adhoc --channel 11 --name Camp > "$out/profile-camp.txt" 2>&1
mark
corvane connect Camp > "$out/connect-camp.txt" 2>&1
log "corvane connect Camp: status $?"
expect adhoc-joins-the-peer all 'wait_state COMPLETED 20' '[ "$(joins_since_mark)" -ge 1 ]' \
  '[ "$(wpa_ssid)" = CorvaneAdHoc ]' 'iw dev wlan4 info | grep -q "type IBSS"' \
  'iw dev wlan4 info | grep -q "channel 11 (2462 MHz)"' 'ping_within 20 10.77.6.1'
{ iw dev wlan4 info; iw dev wlan4 station dump; in_air iw dev wlan6 station dump; ip neigh; } \
  > "$out/adhoc.txt" 2>&1

# A driver without the privilege to change the phy (run as the user, on a
# registry of its own): the kernel refuses its radio switch; it logs that,
# answers the failure and the radio stays on.
unprivileged=$user_home/unprivileged
as_user "$bin/corvane-nl80211d" --interface wlan4 --registry "$unprivileged" --wpa-ctrl /tmp/none \
  2> "$out/nl80211d-unprivileged.log" &
unprivileged_pid=$!
for i in $(seq 100); do [ -S "$unprivileged/OspreyUSBWirelessDriver@wlan4" ] && break; sleep 0.1; done
as_user env CORVANE_IOREGISTRY="$unprivileged" "$bin/corvane" radio off > "$out/radio-off-refused.txt" 2>&1
rc=$?
expect kernel-refusal-logged all '[ "$rc" = 1 ]' \
  'grep -q "radio 0 not taken: the kernel refused it: Permission denied" "$out/nl80211d-unprivileged.log"' \
  '[ "$(cat /sys/class/ieee80211/"$station_phy"/rfkill*/soft)" = 0 ]' '[ "$(wpa_state)" = COMPLETED ]'
kill "$unprivileged_pid"

# Back on the active profile's network (the command's wait may be too short
# after the ad hoc network on this machine: only its result is logged).
corvane connect Lab > "$out/connect-lab-again.txt" 2>&1
log "corvane connect Lab: status $?"
wait_state COMPLETED 30 || fail setup "back on CorvaneWPA2"

# The radio: off drops the link; on must bring it back by the utility's
# reconnect of the active profile (wpa_supplicant is left nothing to rejoin).
corvane radio off > "$out/radio-off.txt" 2>&1
soft=$(cat /sys/class/ieee80211/"$station_phy"/rfkill*/soft)
expect radio-off all '[ "$soft" = 1 ]' '[ "$(wpa_state)" != COMPLETED ]'
corvane status --json > "$out/status-radio-off.json"
expect status-radio-off grep -q '"associated":false' "$out/status-radio-off.json"
wpa remove_network all >/dev/null
mark
corvane radio on > "$out/radio-on.txt" 2>&1
rc=$?
expect radio-on-reconnects all '[ "$rc" = 0 ]' 'wait_state COMPLETED 30' 'joined CorvaneWPA2 0' \
  '[ "$(joins_since_mark)" -ge 1 ]' '[ "$(rts_on_phy)" = 500 ]'
log "radio done"

# The tray agent: started with the link down and nothing for wpa_supplicant
# to rejoin, it sets the adapter up and connects the active profile, with
# the profile's settings; after the access point has been away, it applies
# the profile again.
drop_link
iw phy "$station_phy" set rts off
mark
as_user env QT_QPA_PLATFORM=offscreen "$bin/MiniTask-CorvaneUtility" > "$out/agent.log" 2>&1 &
agent=$!
expect agent-connects-active-profile all 'wait_state COMPLETED 40' 'joined CorvaneWPA2 0' \
  '[ "$(joins_since_mark)" -ge 1 ]' '[ "$(rts_on_phy)" = 500 ]'
stop_ap wlan0
expect link-lost-with-the-access-point wait_gone 10
wpa remove_network all >/dev/null
iw phy "$station_phy" set rts off
mark
sleep 8
start_ap wlan0
expect agent-reconnects-after-ap-restart all 'wait_state COMPLETED 60' 'joined CorvaneWPA2 0' \
  '[ "$(rts_on_phy)" = 500 ]'
log "the profile's SSID and BSSID requests since the access point went away: $(joins_since_mark)"
expect agent-applied-the-profile-again test "$(joins_since_mark)" -ge 1
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
