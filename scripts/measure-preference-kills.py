#!/usr/bin/env python3
"""Kills a preference writer with SIGKILL at random moments and counts what
it leaves: torn files (the active-profile file present but not a complete
property list of one of the two records written) and temporaries (files
beside it holding the same secrets), right after the kill and after the next
read. Not part of the test run.

    scripts/measure-preference-kills.py [--trials N] [--writer PATH] [--folder DIR]

The writer is build/bin/preference_write_loop by default; it marks a profile
active and inactive in a loop, as `corvane connect` and `disconnect` do.
"""
import argparse
import os
import plistlib
import random
import shutil
import signal
import subprocess
import tempfile
import time

NAME = "ActiveProfileSetting.plist"
PASSPHRASE = "correct horse battery"


def is_whole(path):
    try:
        with open(path, "rb") as f:
            records = plistlib.load(f)
    except FileNotFoundError:
        return True  # killed before its first write
    except Exception:
        return False
    return (isinstance(records, list) and len(records) == 1
            and records[0].get("Active Profile Flag") in ("YES", "NO")
            and records[0].get("WPAPSK") == PASSPHRASE)


def others(folder):
    return sorted(n for n in os.listdir(folder) if n.startswith(NAME + "."))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser()
    parser.add_argument("--trials", type=int, default=1000)
    parser.add_argument("--writer", default=os.path.join(root, "build/bin/preference_write_loop"))
    parser.add_argument("--folder", default=None, help="where the temporary home goes")
    parser.add_argument("--max-delay-ms", type=float, default=30.0)
    args = parser.parse_args()

    home = tempfile.mkdtemp(prefix="corvane-kill-", dir=args.folder)
    prefs = os.path.join(home, "Library", "Preferences")
    target = os.path.join(prefs, NAME)
    env = dict(os.environ, HOME=home)
    rng = random.Random(1)
    torn = after_kill = after_read = 0
    try:
        for _ in range(args.trials):
            writer = subprocess.Popen([args.writer], env=env)
            time.sleep(rng.uniform(0, args.max_delay_ms) / 1000)
            writer.send_signal(signal.SIGKILL)
            writer.wait()
            if not is_whole(target):
                torn += 1
            if os.path.isdir(prefs) and others(prefs):
                after_kill += 1
                # The next reader (the agent's tick, any command) sweeps it.
                subprocess.run([args.writer, "--read"], env=env)
                if others(prefs):
                    after_read += 1
        # One more, finished write: what is still there is stale for good.
        subprocess.run([args.writer, "--once"], env=env, check=True)
        stale = others(prefs)
        print(f"{args.trials} trials: {torn} torn, {after_kill} left a temporary right after "
              f"the kill, {after_read} still there after the next read, "
              f"{len(stale)} left after the next write {' '.join(stale[:3])}")
    finally:
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    main()
