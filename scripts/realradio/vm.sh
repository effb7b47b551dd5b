# What the real-radio tests share (sourced by scripts/realradio/run-test.sh
# and scripts/nmradio/run-test.sh): booting the throw-away virtual machine
# on a guest script, and judging what the guest reported against the list
# of checks it must report.
#
# The caller sets: test_name (the test's name in its messages), image (the
# folder build-image.sh printed), out (the result folder, shared with the
# guest as /out), start (date +%s when the test began).

# boot_guest TIMEOUT MEMORY_MB GUEST_SCRIPT GUEST_ARGS
# Runs the guest script inside the virtual machine with the host's root
# file system read-only; sets status (qemu's exit) and elapsed (s). Fails
# (1) when the guest wrote no result, after showing the console's end.
boot_guest() {
  local timeout=$1 memory=$2 guest=$3 args=$4
  timeout "$timeout" qemu-system-x86_64 \
    -machine q35,accel=tcg -m "$memory" -smp 2 -nodefaults -display none -no-reboot \
    -serial "file:$out/console.log" \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.gz" \
    -append "console=ttyS0 quiet panic=-1 corvane.image=$image corvane.guest=$guest corvane.args=$args" \
    -virtfs "local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap" \
    -virtfs "local,path=$out,mount_tag=out,security_model=none" \
    > "$out/qemu.log" 2>&1
  status=$?
  elapsed=$(( $(date +%s) - start ))
  if [ ! -s "$out/result" ]; then
    echo "$test_name: FAILED: the virtual machine gave no result (qemu exit $status, ${elapsed} s); its console:"
    tail -30 "$out/console.log" 2>/dev/null
    return 1
  fi
  cat "$out/result"
}

# judge_checks EXPECTED_FILE
# Every check named in the file (one a line; blank lines and lines that
# begin with # left out) must have reported PASS exactly as named, so that
# a guest that stopped early fails: a check that never reported counts as
# failed, and so does one the list does not know. Returns 0 when all
# passed and qemu ended cleanly.
judge_checks() {
  local list=$1 verdict name passed=0 failed=0
  local -a expected=()
  while read -r name; do
    [ -z "$name" ] || [ "${name#\#}" != "$name" ] || expected+=("$name")
  done < "$list"
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
  echo "$test_name: ${elapsed} s in all, logs in $out"
  echo "$test_name: $passed passed, $failed failed of ${#expected[@]} expected"
  [ "$failed" -eq 0 ] && [ "$status" -eq 0 ]
}
