#!/usr/bin/env bash
# Installs the Debian packages this project builds, tests and runs with.
# Only what is missing is installed; nothing is asked interactively.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # lrelease compiles the translation catalogues; lupdate collects their texts.
  # Qt's own dialogs and menus in the user's language.
  qt6-l10n-tools qt6-translations-l10n
  libplist-dev libplist++-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  nlohmann-json3-dev libssl-dev libnl-3-dev libnl-genl-3-dev
  xvfb xauth trayer x11-apps imagemagick xdotool
  # The settings window's headless demo drives it through the accessibility
  # bus (so does its end-to-end test).
  at-spi2-core dbus python3-gi gir1.2-atspi-2.0
  # Profiles shared as QR codes: the symbol (libqrencode) and its PNG form.
  libqrencode-dev libpng-dev
)
# The real-radio tests' virtual machine (scripts/realradio, scripts/nmradio):
# QEMU, the tools that build its image from Debian's kernel package, and
# what runs inside it (the host's root file system is the machine's):
# hostapd, wpa_supplicant, iw, the regulatory database; for the
# NetworkManager test the system bus, polkit and GLib's D-Bus tools (gdbus,
# python3-gi). NetworkManager itself is never installed here: the test
# unpacks its packages into the machine (scripts/nmradio).
realradio_packages=(
  qemu-system-x86 busybox-static kmod cpio
  hostapd wpasupplicant iw iproute2 iputils-ping util-linux wireless-regdb python3
  dbus polkitd libglib2.0-bin python3-gi
)
for flag in "$@"; do
  case "$flag" in
    --test)
      # python3 and xmllint read back the preference files the system writes.
      packages+=(python3-cryptography-vectors python3 libxml2-utils)
      # The source layout check (scripts/check-format.sh): clang-format 14.
      packages+=(clang-format-14)
      # The fuzz targets' smoke run: clang with libFuzzer.
      packages+=(clang libclang-rt-14-dev)
      # The Debian package check: dpkg-shlibdeps for its dependencies.
      packages+=(dpkg-dev file)
      # appstreamcli checks the settings window's metainfo.
      packages+=(appstream)
      # The agent's notifications end to end: a real notification server
      # (dunst, on an Xvfb display) on a private session bus, watched by
      # dbus-monitor (from dbus).
      packages+=(dunst)
      # zbarimg reads the shared profiles' QR pictures back.
      packages+=(zbar-tools)
      packages+=("${realradio_packages[@]}")
      ;;
    --realradio) packages+=("${realradio_packages[@]}") ;;
    *) echo "usage: scripts/install-deps.sh [--test] [--realradio]" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
