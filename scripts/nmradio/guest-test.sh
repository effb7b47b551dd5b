#!/bin/bash
# Runs inside the real-radio virtual machine (see README.md): NetworkManager
# on mac80211_hwsim radios, corvane-nmd and the system's own programs
# (corvane, the tray agent) as the unprivileged user "corvane", a second
# user "stranger" who is refused. Writes one line per check to OUT/result
# ("PASS name" / "FAIL name: why"), the measured times to OUT/timings, the
# logs beside them. run-test.sh compares the checks with expected-checks.
#
# usage: guest-test.sh BUILD_DIR OUT_DIR NM_PACKAGES_DIR
set -u
build=$1
out=$2
nmfs=$3
bin=$build/bin
here=$(cd "$(dirname "$0")" && pwd)
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
export LC_ALL=C
cd /tmp

uptime_s() { cut -d' ' -f1 /proc/uptime; }
step_start=$(uptime_s)
log() { echo "[$(uptime_s)] $*" | tee -a "$out/transcript.log"; }
pass() { echo "PASS $1" >> "$out/result"; log "PASS $1"; }
fail() { echo "FAIL $1: $2" >> "$out/result"; log "FAIL $1: $2"; }
expect() {  # name, then a command (or a function below) whose success is the check
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name" "$*"; fi
}
timing() { echo "$*" | tee -a "$out/timings" >> "$out/transcript.log"; }

. "$here/guest-setup.sh"
log "NetworkManager, polkit and the air are up"

# --- what the checks look at ---------------------------------------------------------------
U=4242
S=4243
registry=/tmp/u$U/run/corvane-ioregistry
service=$registry/OspreyUSBWirelessDriver@wlan4
# What the users' programs write themselves lies in their own folders (the
# output folder is root's) and is copied out at the end.
journal=/tmp/u$U/journal.jsonl
agent_requests=/tmp/u$U/desktop-agent-requests.log
trap 'cp "$journal" "$agent_requests" "$out/" 2>/dev/null' EXIT
corvane() { as_user $U "$bin/corvane" "$@"; }

# The time (CLOCK_MONOTONIC) of the driver's last note "<what> at <time>".
asked_at() { grep "$1 at " "$out/corvane-nmd.log" | tail -1 | sed 's/.* at \([0-9.]*\)$/\1/'; }
# The first watched event at or after a time: "state wlan4 70", "scanned wlan4".
event_after() { awk -v t="$1" -v p="$2" '$1 >= t && index($0, p) { print $1; exit }' "$out/nm-events.log"; }
minus() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "") print "?"; else printf "%.2f", a - b }'; }
notes() { grep -c "$1" "$out/corvane-nmd.log"; }
ssid_requests() { grep -c '"selector":226558210[,}]' "$journal"; }

connected() { [ -n "$(link_bssid "${1:-wlan4}")" ]; }
settings_conns() {
  nm_call --object-path $NM/Settings --method org.freedesktop.NetworkManager.Settings.ListConnections |
    grep -o "/org/freedesktop/NetworkManager/Settings/[0-9]*"
}
conn_settings() { nm_call --object-path "$1" --method org.freedesktop.NetworkManager.Settings.Connection.GetSettings; }
utility_conn() {  # the settings path of the utility's connection, if any
  local c
  for c in $(settings_conns); do conn_settings "$c" | grep -q "'id': <'corvane'>" && echo "$c"; done
}
applied() {
  nm_call --object-path "$(device_path wlan4)" --method org.freedesktop.NetworkManager.Device.GetAppliedConnection 0
}
applied_uuid() { applied 2>/dev/null | sed -n "s/.*'uuid': <'\([^']*\)'>.*/\1/p"; }
wireless_enabled() {
  nm_call --object-path $NM --method org.freedesktop.DBus.Properties.Get org.freedesktop.NetworkManager WirelessEnabled |
    grep -q true
}

# The checks that take more than one look.
joined() {  # exit status, BSSID, then what the applied connection must hold
  local rc=$1 want=$2
  shift 2
  [ "$rc" = 0 ] && [ "$(link_bssid)" = "$want" ] || return 1
  local a
  a=$(applied)
  for held in "$@"; do grep -qF "$held" <<< "$a" || return 1; done
}
leased() {  # the access point's DHCP server's lease list names the station
  ip netns exec air kill -USR1 "$(cat /run/udhcpd-wlan0.pid)" 2>/dev/null
  sleep 1
  busybox dumpleases -f /tmp/udhcpd-wlan0.leases > "$out/leases-wlan0.txt" 2>&1
  ip -4 -o addr show wlan4 | grep -q 'inet 10\.77\.0\.1[0-9]/24' && grep -qi "${bssid[4]}" "$out/leases-wlan0.txt"
}
status_is() {  # file, associated, ssid, BSSID
  /usr/bin/python3 -c "
import json, sys; s = json.load(open(sys.argv[1]))
sys.exit(not (s['associated'] == (sys.argv[2] == 'true') and (sys.argv[2] == 'false' or
    (s['ssid'] == sys.argv[3] and s['bssid'].replace('-', ':').lower() == sys.argv[4]))))" "$@"
}
volatile_and_own() {  # the utility's connection: unsaved (1), volatile (4), the user's alone
  local c flags
  c=$(utility_conn)
  [ -n "$c" ] || return 1
  flags=$(nm_call --object-path "$c" --method org.freedesktop.DBus.Properties.Get \
    org.freedesktop.NetworkManager.Settings.Connection Flags | sed -n 's/.*uint32 \([0-9]*\).*/\1/p')
  conn_settings "$c" > "$out/connection-wpa2.txt"
  [ -n "$flags" ] && [ $((flags & 5)) = 5 ] && grep -q "'permissions': <\['user:corvane:\?'\]>" "$out/connection-wpa2.txt"
}
gone_and_stays_gone() {
  wait_nm_state wlan4 30 10 && ! connected && [ -z "$(utility_conn)" ] &&
    ! grep -rqs 'id=corvane' /run/NetworkManager/system-connections || return 1
  sleep 5
  [ "$(nm_state wlan4)" = 30 ] && ! connected
}
stays_joined_without_dhcp() {
  sleep 10
  [ "$(link_ssid)" = CorvaneOpen ] && [ "$(nm_state wlan4)" = 70 ] &&
    applied | grep -q "'dhcp-timeout': <2147483647>"
}
adhoc_joined() {  # exit status
  local i
  for i in $(seq 60); do ip -4 -o addr show wlan4 | grep -q 'inet 169\.254\.' && break; sleep 0.5; done
  [ "$1" = 0 ] && iw dev wlan4 info | grep -q 'type IBSS' && iw dev wlan4 info | grep -q 'channel 6 '
}
both_served() {
  local i
  for i in $(seq 100); do
    [ -S "$1/OspreyUSBWirelessDriver@builtin-wlan4" ] && [ -S "$1/OspreyUSBWirelessDriver@builtin-wlan7" ] && return 0
    sleep 0.1
  done
  return 1
}
refused_by_name() {  # states before; the stranger's log must name both actions
  local owned=0 c
  for c in $(settings_conns); do conn_settings "$c" | grep -q "user:stranger" && owned=$((owned + 1)); done
  [ "$(nm_state wlan4) $(nm_state wlan7)" = "$1" ] && [ $owned = 0 ] &&
    grep -q 'polkit did not grant org.freedesktop.NetworkManager.wifi.scan' "$out/corvane-nmd-stranger.log" &&
    grep -q 'polkit did not grant org.freedesktop.NetworkManager.network-control' "$out/corvane-nmd-stranger.log"
}
only_this_radio_off() {
  wait_nm_state wlan4 10 10 && ! connected && [ "$(nm_state wlan7)" = 100 ] &&
    ping -c 2 -W 3 -I wlan7 10.77.1.1 > /dev/null && ! grep -q 1 /sys/class/rfkill/*/soft && wireless_enabled
}
more_ssid_requests_than() { [ "$(ssid_requests)" -gt "$1" ]; }
agent_connected() {  # SSID requests before the agent started
  local i
  for i in $(seq 160); do
    more_ssid_requests_than "$1" && [ "$(nm_state wlan4)" = 100 ] && return 0
    sleep 0.25
  done
  return 1
}
agent_brought_it_back() {  # SSID requests and connection before the link went
  local autoconnecting=0 c s
  for c in $(settings_conns); do
    s=$(conn_settings "$c")
    grep -q "'type': <'802-11-wireless'>" <<< "$s" && ! grep -q "'autoconnect': <false>" <<< "$s" &&
      autoconnecting=$((autoconnecting + 1))
  done
  log "SSID requests $1 when the link went, $(ssid_requests) now; connection $2 before, $(applied_uuid) now;" \
    "Wi-Fi connections NetworkManager could start by itself: $autoconnecting"
  more_ssid_requests_than "$1" && [ "$(applied_uuid)" != "$2" ] && [ $autoconnecting = 0 ] &&
    applied | grep -q "'id': <'corvane'>" && [ "$(link_bssid)" = "${bssid[0]}" ]
}
nothing_written() {
  local psk
  psk=$(wpa_passphrase CorvaneWPA2 corvane-secret | sed -n 's/^[[:space:]]*psk=\([0-9a-f]\{64\}\)$/\1/p')
  [ -z "$(ls -A /etc/NetworkManager/system-connections)" ] && ! grep -rqs "$psk" /etc/NetworkManager
}
own_block_lifted() {  # rfkill switch
  [ "$(cat "/sys/class/rfkill/$1/soft")" = 0 ] && wireless_enabled && wait_nm_state wlan4 '30 100' 10
}

expect networkmanager-manages-the-stations wait_nm_state wlan4 30 30
# wlan7, NetworkManager's other radio: joined to CorvaneOpen by root, with a
# connection kept in memory only.
nmcli connection add type wifi ifname wlan7 con-name other-radio ssid CorvaneOpen autoconnect no \
  save no ipv4.method manual ipv4.addresses 10.77.1.7/24 ipv6.method ignore > "$out/other-radio.txt" 2>&1
nmcli --wait 30 connection up other-radio >> "$out/other-radio.txt" 2>&1
expect other-radio-joined wait_nm_state wlan7 100 30

# --- corvane-nmd and the stand-in desktop secret agent, as "corvane" ---------------------
start_as_user $U "$out/corvane-nmd.log" "$bin/corvane-nmd" --interface wlan4 --journal "$journal" --timings on
for i in $(seq 100); do [ -S "$service" ] && break; sleep 0.1; done
expect driver-publishes-in-the-users-folder test -S "$service"
# Started after the driver: were NetworkManager to ask agents by start time
# alone, this one would be asked first.
sleep 1
start_as_user $U "$out/desktop-agent.log" "$bin/nm_standin_secret_agent" "$agent_requests"
for i in $(seq 50); do grep -q registered "$out/desktop-agent.log" && break; sleep 0.1; done
expect stand-in-desktop-agent-registered grep -q registered "$out/desktop-agent.log"

# --- scan -----------------------------------------------------------------------------------
t=$(uptime_s)
corvane scan --json > "$out/scan.json" 2> "$out/scan.err"
timing "scan: the rows $(minus "$(uptime_s)" "$t") s after corvane scan started (the request, the system's fixed 10 s wait for an adapter with 5 GHz, the list read from the kernel)"
/usr/bin/python3 - "$out/scan.json" "${bssid[0]}" "${bssid[1]}" "${bssid[2]}" "${bssid[3]}" <<'PY' >> "$out/result"
import json, sys
expected = [
    (sys.argv[2], "CorvaneWPA2", 1, "WPA2-PSK", "AES-CCMP"),
    (sys.argv[3], "CorvaneOpen", 6, "OPEN", "NOT USED"),
    (sys.argv[4], "CorvaneWEP", 11, "OPEN/SHARED", "WEP"),
    (sys.argv[5], "CorvaneSAE", 6, "WPA3-SAE", "AES-CCMP"),
]
try:
    rows = {r["bssid"].replace("-", ":").lower(): r for r in json.load(open(sys.argv[1]))}
    why = "the list is empty"
except Exception as e:  # every expected row reports, also when there is no list
    rows, why = {}, "no scan list (%s)" % e
for bssid, ssid, channel, auth, enc in expected:
    r = rows.get(bssid)
    got = r and (r["ssid"], r["channel"], r["authentication"].upper(), r["encryption"].upper())
    if got == (ssid, channel, auth, enc):
        print("PASS scan-%s" % ssid)
    else:
        print("FAIL scan-%s: %s" % (ssid, why if not rows else "got %s" % (got,)))
PY
log "$(tail -4 "$out/result" | tr '\n' ' ')"

# --- a wrong key: fails, and no password prompt -------------------------------------------
refusals=$(notes "secrets of the utility's connection")
corvane join "${bssid[0]}" --passphrase wrong-passphrase > "$out/join-wrong.txt" 2>&1
rc=$?
sleep 2
expect join-wrong-passphrase-fails eval "[ $rc = 1 ] && ! connected && ! wait_nm_state wlan4 '70 80 90 100' 1"
# The driver turned NetworkManager's request for a new key down (so the
# failure is that refusal, not just any failure), and the desktop's agent
# was never asked about the utility's connection.
expect no-password-prompt-for-the-utilitys-connection eval \
  "[ $(notes "secrets of the utility's connection") -gt $refusals ] && ! grep -qs 'id=corvane' '$agent_requests'"

# --- WPA2 with the right key: DHCP from the access point, traffic over the air -------------
corvane join "${bssid[0]}" --passphrase corvane-secret > "$out/join-wpa2.txt" 2>&1
rc=$?
wait_nm_state wlan4 100 30
asked=$(asked_at "join asked")
timing "join WPA2 by BSSID (utility, after its scan): associated $(minus "$(event_after "$asked" "state wlan4 70")" "$asked") s, IP address $(minus "$(event_after "$asked" "state wlan4 100")" "$asked") s after the BSSID request"
expect join-wpa2 joined $rc "${bssid[0]}" "'key-mgmt': <'wpa-psk'>" "'proto': <['rsn']>"
expect dhcp-address-from-the-access-point leased
expect ping-over-the-air ping -c 3 -W 3 -I wlan4 10.77.0.1
corvane status --json > "$out/status-wpa2.json"
expect status-shows-the-link status_is "$out/status-wpa2.json" true CorvaneWPA2 "${bssid[0]}"
expect connection-volatile-unsaved-and-the-users volatile_and_own

# --- the BSSID lock between the two CorvaneWPA2 access points ------------------------------
corvane join "${bssid[6]}" --passphrase corvane-secret > "$out/join-twin.txt" 2>&1
rc=$?
wait_nm_state wlan4 100 30
expect bssid-lock-joins-the-twin joined $rc "${bssid[6]}"
corvane join "${bssid[0]}" --passphrase corvane-secret > "$out/join-back.txt" 2>&1
rc=$?
wait_nm_state wlan4 100 30
expect bssid-lock-joins-the-first-again joined $rc "${bssid[0]}"
# From here on one CorvaneWPA2 is enough: with its twin on the air, losing
# the first would only make the station roam.
kill "$(cat /run/hostapd-wlan6.pid)"

# --- disconnect -----------------------------------------------------------------------------
corvane disconnect > "$out/disconnect.txt" 2>&1
expect disconnect-deletes-the-connection-and-stays gone_and_stays_gone
corvane status --json > "$out/status-disconnected.json"
expect status-after-disconnect status_is "$out/status-disconnected.json" false

# --- WEP shared key, open without a DHCP server, ad hoc -----------------------------------
corvane join "${bssid[2]}" --wep-ascii 1=CorvaneWEP104 --shared > "$out/join-wep.txt" 2>&1
rc=$?
wait_nm_state wlan4 100 30
expect join-wep-shared joined $rc "${bssid[2]}" "'auth-alg': <'shared'>" "'key-mgmt': <'none'>"
expect ping-wep ping -c 3 -W 3 -I wlan4 10.77.2.1
# NetworkManager does not scan while it waits for an address, so the open
# network (no DHCP server: it stays there) comes after the joins that scan.
corvane join "${bssid[1]}" > "$out/join-open.txt" 2>&1
rc=$?
wait_nm_state wlan4 70 20
expect join-open joined $rc "${bssid[1]}"
expect open-without-dhcp-stays-joined stays_joined_without_dhcp
corvane profiles add --ssid CorvaneAdhoc --adhoc --channel 6 --name Peer > "$out/profile-peer.txt" 2>&1
corvane connect Peer > "$out/connect-peer.txt" 2>&1
expect join-adhoc adhoc_joined $?
expect ping-adhoc-peer-link-local ping -c 3 -W 3 -I wlan4 169.254.78.1

# --- the stranger: the same driver program, refused by polkit -----------------------------
sregistry=/tmp/u$S/run/corvane-ioregistry
start_as_user $S "$out/corvane-nmd-stranger.log" "$bin/corvane-nmd"
stranger_driver=$started
expect one-driver-process-per-managed-device both_served "$sregistry"
before="$(nm_state wlan4) $(nm_state wlan7)"
# The search keeps the last service: wlan7's, which knows CorvaneOpen (it is
# joined to it) without a scan of its own.
as_user $S env CORVANE_IOREGISTRY="$sregistry" "$bin/corvane" join "${bssid[1]}" > "$out/join-stranger.txt" 2>&1
expect stranger-is-refused refused_by_name "$before"
kill "$stranger_driver" 2>/dev/null

# --- radio off of this adapter only ---------------------------------------------------------
corvane profiles add --ssid CorvaneWPA2 --name Lab --passphrase corvane-secret > "$out/profile-lab.txt" 2>&1
corvane connect Lab > "$out/connect-lab.txt" 2>&1
wait_nm_state wlan4 100 30
corvane radio off > "$out/radio-off.txt" 2>&1
expect radio-off-this-adapter-only only_this_radio_off
corvane status --json > "$out/status-radio-off.json"
expect status-radio-off status_is "$out/status-radio-off.json" false
corvane radio on > "$out/radio-on.txt" 2>&1
expect radio-on-manages-and-reconnects wait_nm_state wlan4 100 40

# --- the tray agent's reconnect -------------------------------------------------------------
before=$(ssid_requests)
start_as_user $U "$out/agent.log" env QT_QPA_PLATFORM=offscreen "$bin/MiniTask-CorvaneUtility"
agent=$started
expect agent-connects-the-active-profile agent_connected "$before"
# The link goes with the access point; NetworkManager drops the volatile
# connection and holds nothing of its own to bring it back.
uuid_before=$(applied_uuid)
before=$(ssid_requests)
kill "$(cat /run/hostapd-wlan0.pid)"
expect link-lost-with-the-access-point wait_nm_state wlan4 '20 30 40 50 60' 40
sleep 6
start_ap wlan0
expect agent-reconnects-after-ap-restart wait_nm_state wlan4 100 60
expect agent-brought-it-back-with-the-profile agent_brought_it_back "$before" "$uuid_before"
corvane status --json > "$out/status-after-restart.json"
expect status-after-restart status_is "$out/status-after-restart.json" true CorvaneWPA2 "${bssid[0]}"
kill "$agent" 2>/dev/null
wait "$agent" 2>/dev/null

expect nothing-written-under-the-connection-folder nothing_written

# --- side by side: the utility through NetworkManager, and nmcli -------------------------
corvane disconnect > /dev/null 2>&1
wait_nm_state wlan4 30 10
for round in 1 2 3; do
  corvane connect Lab > "$out/measure-utility-$round.txt" 2>&1
  wait_nm_state wlan4 100 30
  asked=$(asked_at "join asked")
  timing "round $round, the utility (corvane connect): associated $(minus "$(event_after "$asked" "state wlan4 70")" "$asked") s, IP address $(minus "$(event_after "$asked" "state wlan4 100")" "$asked") s after the SSID request; NetworkManager began $(minus "$(event_after "$asked" "state wlan4 40")" "$asked") s after it"
  corvane disconnect > /dev/null 2>&1
  wait_nm_state wlan4 30 10
  launched=$(uptime_s)
  as_user $U nmcli --wait 30 device wifi connect CorvaneWPA2 password corvane-secret ifname wlan4 private yes \
    > "$out/measure-nmcli-$round.txt" 2>&1
  wait_nm_state wlan4 100 30
  began=$(event_after "$launched" "state wlan4 40")
  timing "round $round, nmcli device wifi connect: associated $(minus "$(event_after "$began" "state wlan4 70")" "$launched") s, IP address $(minus "$(event_after "$began" "state wlan4 100")" "$launched") s after nmcli started; NetworkManager began $(minus "$began" "$launched") s after it"
  as_user $U nmcli device disconnect wlan4 > /dev/null 2>&1
  nmcli connection delete CorvaneWPA2 > /dev/null 2>&1
  wait_nm_state wlan4 30 10
done

# --- NetworkManager and one adapter's rfkill switch (why the radio switch does not use it) --
idx=$(basename /sys/class/ieee80211/"$(phy_of wlan4)"/rfkill*)
echo 1 > "/sys/class/rfkill/$idx/soft"
sleep 3
timing "a soft block of wlan4's rfkill switch alone: NetworkManager's device states wlan4 $(nm_state wlan4), wlan7 $(nm_state wlan7), Wi-Fi $(wireless_enabled && echo enabled || echo disabled)"
# The desktop gives the user at the console /dev/rfkill (uaccess); so does this test.
chmod 0666 /dev/rfkill
corvane radio on > "$out/radio-on-unblock.txt" 2>&1
expect radio-on-lifts-this-adapters-own-block own_block_lifted "$idx"

log "done in $(awk -v s="$step_start" '{print int($1 - s)}' /proc/uptime) s"
