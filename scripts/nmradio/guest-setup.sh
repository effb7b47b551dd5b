# Sourced by the NetworkManager test's guest script (and only there): the
# machine's NetworkManager, its users and polkit rule, and the air.
#
# Radios (mac80211_hwsim, 8, with its test regulatory domain): wlan0-3, 5 and 6 move into the network
# namespace "air": access points CorvaneWPA2 (WPA2-PSK, channel 1, DHCP
# 10.77.0.0/24), CorvaneOpen (open, channel 6, no DHCP server), CorvaneWEP
# (WEP-104 shared key, channel 11, DHCP 10.77.2.0/24), CorvaneSAE (WPA3,
# channel 6, only listed), CorvaneWPA2's twin on channel 11 (DHCP
# 10.77.6.0/24), and an ad hoc peer in CorvaneAdhoc (channel 6,
# 169.254.78.1/16). wlan4 is the station corvane-nmd serves; wlan7 is a
# second station NetworkManager manages, joined to CorvaneOpen, which must
# keep working while wlan4's radio is off.
#
# Needs: $out, $nmfs, log, pass, fail (from the guest script).

cp -a "$nmfs/." / || fail setup "cannot copy NetworkManager's packages into the machine"
missing_libs=$(ldd /usr/sbin/NetworkManager /usr/bin/nmcli /usr/lib/systemd/systemd-udevd 2>&1 | grep "not found" | sort -u)
[ -z "$missing_libs" ] || fail setup "NetworkManager misses libraries: $missing_libs"

# Users: "corvane" (4242) has what an active desktop session has; "stranger"
# (4243) has nothing. The host's own users are left alone.
printf 'corvane:x:4242:4242::/tmp/u4242:/bin/sh\nstranger:x:4243:4243::/tmp/u4243:/bin/sh\n' >> /etc/passwd
printf 'corvane:x:4242:\nstranger:x:4243:\n' >> /etc/group
for u in 4242 4243; do
  mkdir -p "/tmp/u$u/run"
  chown -R "$u:$u" "/tmp/u$u"
  chmod 0700 "/tmp/u$u/run"
done
as_user() {  # uid, then the command
  local u=$1
  shift
  setpriv --reuid="$u" --regid="$u" --clear-groups \
    env -i PATH="$PATH" HOME="/tmp/u$u" XDG_RUNTIME_DIR="/tmp/u$u/run" LC_ALL=C "$@"
}
# The same in the background; started=PID of the program itself (setpriv
# and env each hand their process on to it).
start_as_user() {  # uid, output file, then the command
  local u=$1 output=$2
  shift 2
  setpriv --reuid="$u" --regid="$u" --clear-groups \
    env -i PATH="$PATH" HOME="/tmp/u$u" XDG_RUNTIME_DIR="/tmp/u$u/run" LC_ALL=C "$@" > "$output" 2>&1 &
  started=$!
}

# TEST-ONLY polkit rule. The machine has no login manager, so polkit sees
# no local session and would refuse everyone. This grants the user
# "corvane" exactly the NetworkManager actions whose default for an active
# local session is "yes" (read from NetworkManager's own policy: what a
# user at the desktop has) and nothing else: not settings.modify.system,
# which Debian gives only to administrators. "stranger" keeps polkit's
# defaults for a user without a session: refused.
mkdir -p /etc/polkit-1/rules.d
active_actions=$(/usr/bin/python3 - /usr/share/polkit-1/actions/org.freedesktop.NetworkManager.policy <<'PY'
import sys, xml.etree.ElementTree as ET
for action in ET.parse(sys.argv[1]).getroot().iter("action"):
    active = action.find("defaults/allow_active")
    if active is not None and active.text == "yes":
        print('"%s",' % action.get("id"))
PY
)
[ -n "$active_actions" ] || fail setup "no NetworkManager action is granted to an active session"
cat > /etc/polkit-1/rules.d/50-corvane-test-only.rules <<JS
polkit.addRule(function(action, subject) {
    var activeSession = [ $active_actions ];
    if (subject.user == "corvane" && activeSession.indexOf(action.id) >= 0)
        return polkit.Result.YES;
});
JS
echo "$active_actions" | tr -d '",' > "$out/polkit-granted-actions.txt"
cat > /etc/NetworkManager/NetworkManager.conf <<'CONF'
[main]
plugins=keyfile
no-auto-default=*
dns=none
rc-manager=unmanaged
hostname-mode=none
[logging]
level=INFO
domains=ALL,AGENTS:DEBUG
[device]
wifi.scan-rand-mac-address=no
[connectivity]
enabled=false
CONF
mkdir -p /run/udev /run/dbus /run/NetworkManager /var/lib/NetworkManager /run/wpa_supplicant /run/hostapd
/usr/lib/systemd/systemd-udevd --daemon 2> "$out/udevd.log" || fail setup "systemd-udevd"

# --- the air ------------------------------------------------------------------------
# mac80211_hwsim's own test regulatory domain (regtest=5: channels 1-11 and
# 14, and 23 channels of 5 GHz, none of 6 GHz): a full scan takes about
# 2.5 s in the machine instead of 8 s with every channel of the world
# domain, and NetworkManager scans in full often.
modprobe mac80211_hwsim radios=8 regtest=5 || { fail setup "no mac80211_hwsim"; exit 1; }
for i in $(seq 50); do [ -e /sys/class/net/wlan7 ] && break; sleep 0.1; done
declare -A bssid
for i in 0 1 2 3 4 5 6 7; do bssid[$i]=$(cat /sys/class/net/wlan$i/address); done
phy_of() { basename "$(readlink "/sys/class/net/$1/phy80211")"; }
ip link set lo up
ip netns add air
for i in 0 1 2 3 5 6; do iw phy "$(phy_of wlan$i)" set netns name air; done
ip netns exec air ip link set lo up
ap_conf() {  # interface ssid channel, then security lines
  local iface=$1 ssid=$2 channel=$3
  shift 3
  { printf 'interface=%s\ndriver=nl80211\nctrl_interface=/run/hostapd\nssid=%s\n' "$iface" "$ssid"
    printf 'hw_mode=g\nchannel=%s\n' "$channel"
    printf '%s\n' "$@"; } > "/tmp/$iface.conf"
}
ap_conf wlan0 CorvaneWPA2 1 wpa=2 wpa_key_mgmt=WPA-PSK rsn_pairwise=CCMP wpa_passphrase=corvane-secret
ap_conf wlan1 CorvaneOpen 6
ap_conf wlan2 CorvaneWEP 11 auth_algs=2 wep_default_key=0 'wep_key0="CorvaneWEP104"'
ap_conf wlan3 CorvaneSAE 6 wpa=2 wpa_key_mgmt=SAE rsn_pairwise=CCMP ieee80211w=2 sae_password=corvane-secret
ap_conf wlan6 CorvaneWPA2 11 wpa=2 wpa_key_mgmt=WPA-PSK rsn_pairwise=CCMP wpa_passphrase=corvane-secret
start_ap() {
  ip netns exec air hostapd -B -P "/run/hostapd-$1.pid" -f "$out/hostapd-$1.log" "/tmp/$1.conf" >/dev/null
}
for i in 0 1 2 3 6; do start_ap wlan$i || fail setup "hostapd on wlan$i"; done
dhcp_server() {  # interface prefix
  ip netns exec air ip addr add "$2.1/24" dev "$1"
  printf 'start %s.10\nend %s.20\ninterface %s\nlease_file /tmp/udhcpd-%s.leases\npidfile /run/udhcpd-%s.pid\noption subnet 255.255.255.0\noption lease 600\n' \
    "$2" "$2" "$1" "$1" "$1" > "/tmp/udhcpd-$1.conf"
  touch "/tmp/udhcpd-$1.leases"
  ip netns exec air busybox udhcpd -f "/tmp/udhcpd-$1.conf" > "$out/udhcpd-$1.log" 2>&1 &
}
dhcp_server wlan0 10.77.0
dhcp_server wlan2 10.77.2
dhcp_server wlan6 10.77.6
ip netns exec air ip addr add 10.77.1.1/24 dev wlan1
ip netns exec air iw dev wlan5 set type ibss
ip netns exec air ip link set wlan5 up
ip netns exec air iw dev wlan5 ibss join CorvaneAdhoc 2437 fixed-freq || fail setup "the ad hoc peer"
ip netns exec air ip addr add 169.254.78.1/16 dev wlan5
udevadm trigger --action=add >/dev/null 2>&1
udevadm settle -t 20

# --- the system bus, polkit, wpa_supplicant (D-Bus), NetworkManager ------------------
dbus-daemon --system --fork || fail setup "dbus-daemon"
has_owner() {
  gdbus call --system --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}
/usr/lib/polkit-1/polkitd --no-debug > "$out/polkitd.log" 2>&1 &
wpa_supplicant -u -B -t -f "$out/wpa_supplicant.log" || fail setup "wpa_supplicant"
for i in $(seq 100); do has_owner org.freedesktop.PolicyKit1 && has_owner fi.w1.wpa_supplicant1 && break; sleep 0.1; done
NetworkManager --no-daemon --debug > "$out/NetworkManager.log" 2>&1 &
for i in $(seq 200); do has_owner org.freedesktop.NetworkManager && break; sleep 0.1; done
/usr/bin/python3 "$here/nm-watch.py" "$out/nm-events.log" 2> "$out/nm-watch.err" &
for i in $(seq 50); do grep -q watching "$out/nm-events.log" 2>/dev/null && break; sleep 0.1; done

nm_call() { gdbus call --system --dest org.freedesktop.NetworkManager "$@"; }
NM=/org/freedesktop/NetworkManager
device_path() {
  nm_call --object-path $NM --method org.freedesktop.NetworkManager.GetDeviceByIpIface "$1" 2>/dev/null |
    sed -n "s/^(objectpath '\([^']*\)'.*/\1/p"
}
# NetworkManager's device state: the last change the watcher saw (cheap),
# else asked over the bus.
nm_state() {  # interface
  local s
  s=$(awk -v d="$1" '$2 == "state" && $3 == d { s = $4 } END { print s }' "$out/nm-events.log" 2>/dev/null)
  if [ -z "$s" ]; then
    s=$(nm_call --object-path "$(device_path "$1")" --method org.freedesktop.DBus.Properties.Get \
      org.freedesktop.NetworkManager.Device State 2>/dev/null | sed -n 's/.*uint32 \([0-9]*\).*/\1/p')
  fi
  echo "$s"
}
wait_nm_state() {  # interface "states" seconds
  local end=$(( $(date +%s) + $3 )) s
  while [ "$(date +%s)" -le "$end" ]; do
    s=$(nm_state "$1")
    case " $2 " in *" $s "*) return 0 ;; esac
    sleep 0.25
  done
  return 1
}
link_bssid() { iw dev "${1:-wlan4}" link | sed -n 's/^Connected to \([0-9a-f:]*\).*/\1/p'; }
link_ssid() { iw dev "${1:-wlan4}" link | sed -n 's/^[[:space:]]*SSID: //p'; }
