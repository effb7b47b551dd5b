#!/usr/bin/env bash
# Fetches NetworkManager (and udev, which it needs to see devices) from
# Debian's packages and unpacks them into a folder that the NetworkManager
# test's virtual machine copies over its throw-away root. Nothing is
# installed on this machine: installing network-manager here would start
# it, and it may take over this machine's network.
#
# Prints the folder. Cached under
# ${CORVANE_NMRADIO_CACHE:-~/.cache/corvane-nmradio}/nm-<key>, keyed by
# this script and the packages' versions. The packages are network-manager
# (which holds nmcli), libnm0 and udev, and the libraries they need that
# this machine lacks. Exit status 3 when they cannot be had here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${CORVANE_NMRADIO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/corvane-nmradio}
say() { echo "nmradio: $*" >&2; }

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
candidate() { apt-cache policy "$1" 2>/dev/null | sed -n 's/^ *Candidate: //p' | grep -v '(none)'; }

# apt's package lists: a fresh machine may have none yet.
if [ -z "$(candidate network-manager)" ]; then
  say "apt knows no network-manager yet; updating its package lists"
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq >&2 || true
  elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    sudo -n apt-get update -qq >&2 || true
  fi
  if [ -z "$(candidate network-manager)" ]; then
    say "apt has no network-manager package (run apt-get update as root)"
    exit 3
  fi
fi

# The packages, and the libraries they depend on that this machine lacks
# (followed through the libraries' own dependencies).
wanted=(network-manager libnm0 udev)
queue=("${wanted[@]}")
declare -A seen=()
for p in "${wanted[@]}"; do seen[$p]=1; done
while [ ${#queue[@]} -gt 0 ]; do
  p=${queue[0]}
  queue=("${queue[@]:1}")
  for d in $(apt-cache depends --no-recommends --no-suggests --no-conflicts --no-breaks \
               --no-replaces --no-enhances "$p" 2>/dev/null |
             sed -n 's/^ *|\{0,1\}Depends: \(lib[^ <>]*\)$/\1/p' | sed 's/:any$//'); do
    [ -n "${seen[$d]:-}" ] && continue
    seen[$d]=1
    installed "$d" && continue
    wanted+=("$d")
    queue+=("$d")
  done
done

versions=$(for p in "${wanted[@]}"; do echo "$p $(candidate "$p")"; done | sort)
key=$( (cat "$here/fetch-networkmanager.sh"; echo "$versions") | sha256sum | cut -c1-16)
folder="$cache/nm-$key"
if [ -f "$folder/ready" ]; then
  echo "$folder/root"
  exit 0
fi

say "fetching ${wanted[*]}"
rm -rf "$folder.tmp"
mkdir -p "$folder.tmp/deb" "$folder.tmp/root"
(cd "$folder.tmp/deb" && apt-get download "${wanted[@]}" >/dev/null 2>&1) || {
  say "cannot download ${wanted[*]}"
  rm -rf "$folder.tmp"
  exit 3
}
for deb in "$folder.tmp"/deb/*.deb; do dpkg-deb -x "$deb" "$folder.tmp/root"; done
# Debian 12's root is merged (/bin, /sbin and /lib are links into /usr):
# the packages' own /bin, /sbin and /lib go into usr/, so that copying the
# folder over the root does not replace those links.
root="$folder.tmp/root"
for d in bin sbin lib lib64; do
  if [ -d "$root/$d" ] && [ ! -L "$root/$d" ]; then
    mkdir -p "$root/usr/$d"
    cp -a "$root/$d/." "$root/usr/$d/"
    rm -rf "${root:?}/$d"
  fi
done
echo "$versions" > "$folder.tmp/packages"
rm -rf "$folder.tmp/deb"
touch "$folder.tmp/ready"
rm -rf "$folder"
mv "$folder.tmp" "$folder"
# Older fetches (another recipe or other versions) are not needed any more.
find "$cache" -mindepth 1 -maxdepth 1 -type d -name 'nm-*' ! -name "nm-$key" -exec rm -rf {} +
echo "$folder/root"
