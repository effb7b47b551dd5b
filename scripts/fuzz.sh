#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each on a
# copy of its seed corpus.
#
#   scripts/fuzz.sh                 every target for 10 s (the test command's smoke run)
#   scripts/fuzz.sh -t 600          every target for 600 s
#   scripts/fuzz.sh -r 10000000 fuzz_wire   one target for 10^7 runs
#
# Exit status 0 when no target found anything; a finding leaves its input
# in build-fuzz/findings/<target>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=10
runs=""
while getopts "t:r:" opt; do
  case $opt in
    t) seconds=$OPTARG ;;
    r) runs=$OPTARG ;;
    *) echo "usage: $0 [-t SECONDS | -r RUNS] [TARGET...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_all

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_scan_list fuzz_preferences fuzz_wire fuzz_simdriver fuzz_environment
           fuzz_wifi_qr fuzz_wpa_supplicant fuzz_nm_keyfile)
fi
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  rm -rf "$corpus"
  mkdir -p "$corpus" "$findings"
  cp -r "fuzz/corpus/${target#fuzz_}/." "$corpus/" 2>/dev/null || true
  # Lists, requests and documents of a few KiB reach every branch; longer
  # inputs only slow the search down.
  limit=(-max_len=4096 -max_total_time="$seconds")
  [ -n "$runs" ] && limit=(-max_len=4096 -runs="$runs")
  echo "== $target"
  if ! "build-fuzz/bin/$target" "${limit[@]}" -artifact_prefix="$findings/" -print_final_stats=1 \
      "$corpus" 2>&1 | grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|==|SUMMARY|#[0-9]+ +DONE)" ; then
    :
  fi
  if [ -n "$(ls -A "$findings")" ]; then
    echo "$target: finding(s) in $findings" >&2
    status=1
  fi
done
exit $status
