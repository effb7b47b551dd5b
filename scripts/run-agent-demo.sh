#!/usr/bin/env bash
# Runs the tray agent MiniTask-CorvaneUtility beside a running simulated
# driver (see README).
#
# With a desktop (DISPLAY or WAYLAND_DISPLAY set) the agent runs there in the
# foreground until you stop it (Ctrl-C). Without one it runs under a private
# Xvfb with `trayer` as the tray host, pops its menu open once the adapter
# has connected, saves a screenshot and prints where.
#
#   scripts/run-agent-demo.sh [--start-driver] [--seconds N] [--screenshot FILE]
#
#   --start-driver     start build/bin/corvane-simdriver first (and stop it at the end)
#   --seconds N        headless only: how long the agent runs before the screenshot (9)
#   --screenshot FILE  headless only: where to save it (out/agent-demo.png)
#
# CORVANE_BIN overrides the folder of the programs (build/bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="${CORVANE_BIN:-$root/build/bin}"
start_driver=0
seconds=9
shot="$root/out/agent-demo.png"
while [ $# -gt 0 ]; do
  case "$1" in
    --start-driver) start_driver=1 ;;
    --seconds) seconds="$2"; shift ;;
    --screenshot) shot="$2"; shift ;;
    -h|--help) sed -n '2,16p' "$0"; exit 0 ;;
    *) echo "run-agent-demo.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
case "$seconds" in ''|*[!0-9]*) echo "run-agent-demo.sh: --seconds wants a whole number" >&2; exit 2 ;; esac

agent="$bin/MiniTask-CorvaneUtility"
[ -x "$agent" ] || { echo "run-agent-demo.sh: $agent is not built" >&2; exit 1; }

pids=()
cleanup() {
  # Newest first: the agent, the tray host, then the display and the driver.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
}
trap cleanup EXIT

if [ "$start_driver" = 1 ]; then
  mkdir -p "$root/out"
  "$bin/corvane-simdriver" --journal "$root/out/agent-demo-journal.jsonl" &
  pids+=($!)
  for _ in $(seq 50); do
    "$bin/corvane-simctl" status >/dev/null 2>&1 && break
    sleep 0.1
  done
fi
if ! "$bin/corvane-simctl" status >/dev/null 2>&1; then
  echo "run-agent-demo.sh: no simulated driver answers; the agent will exit after three ticks" >&2
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Running the agent on your desktop; stop it with Ctrl-C."
  "$agent" &
  pids+=($!)
  wait "${pids[-1]}" || true
  exit 0
fi

for tool in Xvfb trayer import; do
  command -v "$tool" >/dev/null || { echo "run-agent-demo.sh: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

# A free display number.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 800x480x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

trayer --edge top --align right --widthtype request --height 24 --transparent false \
  --tint 0xdddddd --SetDockType true >/dev/null 2>&1 &
pids+=($!)
sleep 1

unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
menu_ms=$(( seconds > 2 ? (seconds - 2) * 1000 : 500 ))
log="$root/out/agent-demo.log"
mkdir -p "$root/out" "$(dirname "$shot")"
"$agent" --show-menu-after "$menu_ms" >"$log" 2>&1 &
pids+=($!)
sleep "$seconds"
if ! kill -0 "${pids[-1]}" 2>/dev/null; then
  echo "run-agent-demo.sh: the agent ended early (no adapter?); its output is in $log" >&2
fi
import -window root "$shot"
echo "Screenshot of the tray and the agent's menu: $shot"
