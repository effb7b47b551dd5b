#!/usr/bin/env bash
# Builds what the real-radio virtual machine boots: the Debian kernel
# (linux-image-amd64, which carries mac80211_hwsim), the modules the test
# needs, and a small initramfs (busybox) that mounts the host's root file
# system read-only over 9p with a throw-away overlay on top. Everything comes
# from Debian packages; nothing is installed on the host.
#
# Prints the image folder. It is cached under
# ${CORVANE_REALRADIO_CACHE:-~/.cache/corvane-realradio}/<key>, keyed by a hash
# of this recipe and the kernel package's version, and built only when
# missing. Needs: apt-get (the package lists), dpkg-deb, depmod (kmod),
# busybox-static, cpio, gzip.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${CORVANE_REALRADIO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/corvane-realradio}

say() { echo "realradio: $*" >&2; }

# The kernel package that linux-image-amd64 stands for now.
package=$(apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-[0-9].*-amd64\)$/\1/p' | head -1)
if [ -z "$package" ]; then
  say "apt has no linux-image-amd64 (run apt-get update)"
  exit 3
fi
version=$(apt-cache policy "$package" | sed -n 's/^ *Candidate: //p')
key=$( (cat "$here/build-image.sh" "$here/init"; echo "$package $version") | sha256sum | cut -c1-16)
image="$cache/$key"
if [ -f "$image/ready" ]; then
  echo "$image"
  exit 0
fi

say "building the image for $package $version in $image"
rm -rf "$image.tmp"
mkdir -p "$image.tmp/deb" "$image.tmp/initrd"
work="$image.tmp"
(cd "$work/deb" && apt-get download "$package" >/dev/null 2>&1) || {
  say "cannot download $package"
  rm -rf "$work"
  exit 3
}
dpkg-deb -x "$work"/deb/*.deb "$work/kernel"
kver=$(ls "$work/kernel/lib/modules")
cp "$work/kernel/boot/vmlinuz-$kver" "$work/vmlinuz"

# The modules the test loads, with what they need: the wireless stack and the
# simulated radios, the ciphers WEP, TKIP and CCMP use, and what the boot
# needs (virtio, 9p, overlay).
depmod -b "$work/kernel" "$kver"
wanted=(mac80211_hwsim ccm gcm cmac ctr ecb gf128mul ghash-generic michael_mic
        virtio_pci 9pnet_virtio 9p overlay)
modules="$work/modules/lib/modules/$kver"
mkdir -p "$modules"
for m in "${wanted[@]}"; do
  modprobe -d "$work/kernel" -S "$kver" --show-depends "$m" | awk '$1 == "insmod" {print $2}'
done | awk '!seen[$0]++' > "$work/closure"
while read -r file; do
  rel=${file#"$work/kernel/lib/modules/$kver/"}
  mkdir -p "$modules/$(dirname "$rel")"
  cp "$file" "$modules/$rel"
done < "$work/closure"
cp "$work/kernel/lib/modules/$kver/modules.order" "$work/kernel/lib/modules/$kver/modules.builtin"* "$modules/"
depmod -b "$work/modules" "$kver"

# The initramfs: busybox, the boot modules in load order, the init script.
initrd="$work/initrd"
mkdir -p "$initrd"/{bin,dev,proc,sys,newroot,lower,upper,modules}
cp /bin/busybox "$initrd/bin/busybox"
for m in virtio_pci 9pnet_virtio 9p overlay; do
  modprobe -d "$work/kernel" -S "$kver" --show-depends "$m" | awk '$1 == "insmod" {print $2}'
done | awk '!seen[$0]++' | while read -r file; do
  cp "$file" "$initrd/modules/"
  basename "$file" >> "$initrd/modules/order"
done
cp "$here/init" "$initrd/init"
chmod 755 "$initrd/init"
(cd "$initrd" && find . | cpio -o -H newc 2>/dev/null | gzip -1) > "$work/initrd.gz"
echo "$kver" > "$work/kernel-version"

rm -rf "$work/deb" "$work/kernel" "$work/initrd" "$work/closure"
touch "$work/ready"
rm -rf "$image"
mv "$work" "$image"
# Older images (another recipe or kernel) are not needed any more.
find "$cache" -mindepth 1 -maxdepth 1 -type d ! -name "$key" -exec rm -rf {} +
echo "$image"
