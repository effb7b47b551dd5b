#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal
# build, and a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
# The tests read the English texts; the translated ones are tested in a
# language of their own.
unset LANGUAGE LC_MESSAGES
export LC_ALL=C.UTF-8

scripts/install-deps.sh --test

echo "== source layout (clang-format)"
scripts/check-format.sh

echo "== translation catalogues (complete and up to date)"
scripts/check-translations.sh

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
echo "== which folder includes which"
scripts/check-layers.sh
ctest --test-dir build --output-on-failure -j"$jobs" --timeout 300

echo "== real radios: corvane-nl80211d on mac80211_hwsim in a virtual machine"
scripts/realradio/run-test.sh build

echo "== real radios through NetworkManager: corvane-nmd in a virtual machine"
scripts/nmradio/run-test.sh build

echo "== the Debian package, unpacked and run as installed"
scripts/check-package.sh build

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON \
  -DCORVANE_BUILD_BENCHMARKS=OFF
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 600

echo "== libFuzzer targets, a short run each"
scripts/fuzz.sh -t 10
