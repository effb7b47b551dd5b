#!/usr/bin/env python3
"""The settings window's start-up time and resident memory, measured under
a private Xvfb beside the simulated driver.

First paint: the window (CorvaneWirelessUtility) and a minimal Qt Widgets
main window (bench_first_paint_baseline) are started alternately, the same
way, with CORVANE_REPORT_FIRST_PAINT=1; each run is timed from the launch to
the program's "first-paint" line (written once the window has painted and
flushed). One warm-up run of each is left out; the medians and their ratio
are printed.

Memory: the window runs on the simulated driver (probe, link status
refresh and the periodic scans going on) while its VmRSS is read from
/proc every --rss-interval seconds for --rss-minutes minutes.

    bench/pane/measure_window.py [--build build] [--runs 9] [--rss-minutes 0] [--rss-interval 30]
"""

import argparse
import os
import select
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import desktop  # noqa: E402


def first_paint_seconds(d, name, argv, limit=60.0):
    start = time.monotonic()
    proc = d.start(name, argv, env={"CORVANE_REPORT_FIRST_PAINT": "1"}, stdout=subprocess.PIPE)
    seconds = None
    buffered = b""
    try:
        while time.monotonic() - start < limit:
            ready, _, _ = select.select([proc.stdout], [], [], 0.5)
            if not ready:
                if proc.poll() is not None:
                    break
                continue
            chunk = os.read(proc.stdout.fileno(), 4096)
            if not chunk:
                break
            buffered += chunk
            if b"first-paint\n" in buffered:
                seconds = time.monotonic() - start
                break
    finally:
        d.stop(proc)
        proc.stdout.close()
    if seconds is None:
        raise RuntimeError("%s reported no first paint; see its log" % name)
    return seconds


def vm_rss_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return None


def measure_first_paint(d, baseline, runs):
    times = {"baseline": [], "window": []}
    for i in range(runs + 1):
        for name, argv in (("baseline", [baseline]), ("window", [d.pane])):
            t = first_paint_seconds(d, name, argv)
            if i > 0:  # the first of each is a warm-up
                times[name].append(t)
    base = statistics.median(times["baseline"])
    window = statistics.median(times["window"])
    print("first paint, launch to painted window, %d runs each (ms):" % runs)
    for name in ("baseline", "window"):
        print("  %-8s %s" % (name, " ".join("%.0f" % (t * 1000) for t in times[name])))
    print("  median: window %.0f ms, minimal Qt window %.0f ms, ratio %.2f"
          % (window * 1000, base * 1000, window / base))
    sys.stdout.flush()


def measure_rss(d, baseline, minutes, interval):
    reference = d.start("baseline-rss", [baseline])
    time.sleep(5)
    baseline_kb = vm_rss_kb(reference.pid)
    d.stop(reference)
    print("resident memory, minimal Qt window after 5 s: %.1f MB" % (baseline_kb / 1024))
    window = d.start("window-rss", [d.pane])
    start = time.monotonic()
    samples = []
    next_at = 5.0
    print("resident memory of the window (VmRSS) over %g minutes:" % minutes)
    while True:
        now = time.monotonic() - start
        if now >= next_at:
            if window.poll() is not None:
                raise RuntimeError("the window ended after %.0f s with status %s; see its log"
                                   % (now, window.returncode))
            kb = vm_rss_kb(window.pid)
            samples.append((now, kb))
            print("  %6.0f s  %7.1f MB" % (now, kb / 1024))
            sys.stdout.flush()
            if now >= minutes * 60:
                break
            next_at = min((int(now // interval) + 1) * interval, minutes * 60)
        time.sleep(0.2)
    d.stop(window)
    later = [kb for t, kb in samples if t >= 60]
    if later:
        print("  from 60 s on: min %.1f MB, max %.1f MB, last %.1f MB"
              % (min(later) / 1024, max(later) / 1024, later[-1] / 1024))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default=os.path.join(os.path.dirname(__file__), "..", "..",
                                                         "build"))
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--rss-minutes", type=float, default=0)
    parser.add_argument("--rss-interval", type=float, default=30)
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    baseline = os.path.join(build, "bin", "bench_first_paint_baseline")
    missing = desktop.missing_programs(["Xvfb", baseline])
    if missing:
        print("measure_window: missing %s (scripts/install-deps.sh; build the "
              "bench_first_paint_baseline and CorvaneWirelessUtility targets)" % ", ".join(missing))
        return 1
    with desktop.Desktop(os.path.join(build, "bin"), os.path.join(build, "root")) as d:
        d.start_display()
        d.start_driver()
        if args.runs > 0:
            measure_first_paint(d, baseline, args.runs)
        if args.rss_minutes > 0:
            measure_rss(d, baseline, args.rss_minutes, args.rss_interval)
    return 0


if __name__ == "__main__":
    sys.exit(main())
