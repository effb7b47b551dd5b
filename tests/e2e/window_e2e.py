#!/usr/bin/env python3
"""The settings window, the tray agent and the simulated driver as separate
processes on a private X display, the window driven through its
accessibility tree as a screen reader user would.

Scan, pick the WPA2-PSK network CorvaneHome in the table, Connect, type the
passphrase into the key dialog's pre-shared key field, OK: the driver is
associated and its journal holds the apply sequence. Then the agent's menu
item "Open Corvane Wireless Utility..." brings the same window to the
front: no second window process. The tray icon itself has no accessible
object, so the menu is opened by a pointer click on the icon (XTest); the
popup menu and its item are then found and pressed through the agent's
accessibility events and tree.

    window_e2e.py --bin BUILD/bin --system-root BUILD/root

Exits 77 (skipped) when Xvfb, the accessibility bus, the GObject bindings
for it, a tray host or xdotool are missing (scripts/install-deps.sh --test
installs them).
"""

import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import desktop  # noqa: E402
from desktop import do_action, find, has_state, wait_until  # noqa: E402

PANE_APP = "CorvaneWirelessUtility"
AGENT_APP = "MiniTask-CorvaneUtility"
BSSID = "00-0C-43-A1-00-01"
SSID = "CorvaneHome"
PASSPHRASE = "correct horse battery"
OPEN_ITEM = "Open Corvane Wireless Utility..."

# A set request travels with bit 23 added to the OID (the adapter's own
# OIDs, 0x0DF1...., carry it in the number already).
SET = 0x00800000
OID_VX_RADIO = 0x0D710108
OID_802_11_DISASSOCIATE = 0x0D010115
# The connect record's apply sequence for an infrastructure WPA2-PSK
# network joined by BSSID, as the driver journals it (requests with bit 23).
APPLY_SEQUENCE = [
    ("client width", 0x0DF101F2),
    ("disassociate", OID_802_11_DISASSOCIATE | SET),
    ("infrastructure mode", 0x0D810108),
    ("preamble", 0x0DF10101),
    ("RTS threshold", 0x0D01020A | SET),
    ("fragmentation threshold", 0x0D010209 | SET),
    ("authentication mode", 0x0D810118),
    ("encryption status", 0x0D81011B),
    ("transmit power", 0x0DF10118),
    ("PSK key", 0x0DF101F3),
    ("power mode", 0x0D010216 | SET),
    ("configuration", 0x0D010211 | SET),
    ("BSSID", 0x0D810101),
]


def check_prerequisites(args):
    missing = desktop.missing_programs(
        ["Xvfb", "dbus-run-session", "dbus-send", desktop.BUS_LAUNCHER, "trayer", "xdotool"])
    if not desktop.atspi_importable():
        missing.append("python3-gi with gir1.2-atspi-2.0")
    for program in (os.path.join(args.bin, "corvane-simdriver"),
                    os.path.join(args.bin, "corvane-simctl"), os.path.join(args.bin, AGENT_APP),
                    os.path.join(args.system_root, desktop.PANE_IN_ROOT)):
        if not os.access(program, os.X_OK):
            missing.append(program)
    return missing


def window_processes(d):
    """Process ids of window programs started in this desktop's login session."""
    wanted = ("XDG_SESSION_ID=" + d.env["XDG_SESSION_ID"]).encode()
    pids = []
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            if os.readlink("/proc/%s/exe" % name) != os.path.realpath(d.pane):
                continue
            with open("/proc/%s/environ" % name, "rb") as f:
                if wanted in f.read().split(b"\0"):
                    pids.append(int(name))
        except OSError:
            continue
    return pids


def apply_sequence_after(entries, start):
    """The set requests from the first client-width set at or after `start`."""
    sets = [(i, sel, data) for i, (sel, data) in enumerate(entries) if i >= start and sel & SET]
    for k, (i, sel, _) in enumerate(sets):
        if sel == APPLY_SEQUENCE[0][1]:
            return sets[k:k + len(APPLY_SEQUENCE)]
    return []


def scenario(d, Atspi):
    en = Atspi.StateType.ENABLED
    showing = Atspi.StateType.SHOWING

    # The agent first: when it finds the adapter it sets the card up and
    # drops the association, which must be over before the window connects.
    d.start("trayer", ["trayer", "--edge", "top", "--align", "right", "--widthtype", "request",
                       "--height", "24", "--transparent", "false", "--SetDockType", "true"])
    agent = d.start("agent", [os.path.join(d.bin, AGENT_APP)])

    def agent_set_up():
        selectors = [s for s, _ in d.journal_entries()]
        return (OID_VX_RADIO in selectors and
                OID_802_11_DISASSOCIATE | SET in selectors[selectors.index(OID_VX_RADIO):])
    wait_until(agent_set_up, 60, "the agent to set the card up")

    started = time.monotonic()
    window = d.start("window", [d.pane])
    app = wait_until(lambda: desktop.application(PANE_APP, window.pid), 60,
                     "the window in the accessibility tree")
    frame = wait_until(lambda: find(app, "frame", "Corvane Wireless Utility"), 20, "its frame")

    # Once the window's own first scan is shown, Scan again and wait for the
    # rebuilt list (the button comes back).
    scan = wait_until(lambda: find(frame, "push button", "Scan"), 20, "the Scan button")
    table = find(frame, "table", "Networks in range")
    wait_until(lambda: has_state(scan, en) and table.get_n_rows() > 0, 90, "the first scan")
    do_action(scan, "Press")
    wait_until(lambda: not has_state(scan, en), 20, "the scan to start")
    wait_until(lambda: has_state(scan, en), 90, "the scan to end")

    # The row of CorvaneHome, by its BSSID column.
    columns = [table.get_column_description(c) for c in range(table.get_n_columns())]
    bssid_column, ssid_column = columns.index("BSSID"), columns.index("SSID")
    rows = [r for r in range(table.get_n_rows())
            if table.get_accessible_at(r, bssid_column).get_name() == BSSID]
    assert rows, "no row with BSSID %s among %d" % (BSSID, table.get_n_rows())
    assert table.get_accessible_at(rows[0], ssid_column).get_name() == SSID
    do_action(table.get_accessible_at(rows[0], bssid_column), "Toggle")
    connect = find(frame, "push button", "Connect")
    wait_until(lambda: has_state(connect, en), 20, "Connect to be enabled by the selection")
    journal_before_connect = len(d.journal_entries())
    do_action(connect, "Press")

    # The key dialog, preset from the scan: WPA2-PSK with AES.
    dialog = wait_until(lambda: (lambda n: n if n and has_state(n, showing) else None)(
        find(app, "dialog", "Network Security")), 20, "the key dialog")
    for label, expected in (("Authentication", "WPA2-PSK"), ("Encryption", "AES")):
        combo = desktop.labelled(dialog, label)
        assert combo is not None and combo.get_name() == expected, "%s is %r, not %s" % (
            label, combo and combo.get_name(), expected)
    field = find(dialog, "text", "Pre-shared key")
    assert field is not None and has_state(field, en), "no usable pre-shared key field"
    desktop.type_into(dialog, field, PASSPHRASE)
    do_action(find(dialog, "push button", "OK"), "Press")
    wait_until(lambda: not has_state(dialog, showing), 20, "the key dialog to close")

    status = wait_until(lambda: (lambda s: s if s and s.get("associated") and
                                 s.get("ssid") == SSID else None)(d.driver_status()),
                        60, "the driver to associate with " + SSID)
    print("associated with %s (%s) %.1f s after the window started"
          % (status.get("ssid"), status.get("bssid", "?"), time.monotonic() - started))

    applied = apply_sequence_after(d.journal_entries(), journal_before_connect)
    got = [sel for _, sel, _ in applied]
    want = [sel for _, sel in APPLY_SEQUENCE]
    assert got == want, "apply sequence:\n  got  %s\n  want %s" % (
        " ".join("%08X" % s for s in got), " ".join("%08X" % s for s in want))
    assert applied[-1][2].upper() == BSSID.replace("-", ""), "BSSID set: " + applied[-1][2]

    # The agent's menu item brings the running window to the front. First
    # another window takes the keyboard focus, as when the user works
    # elsewhere; the window is then not the active one.
    panel = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "trayer"],
                           env=d.env, capture_output=True, text=True).stdout.split()
    assert panel, "no tray host window"
    subprocess.run(["xdotool", "windowfocus", panel[0]], env=d.env, check=True)
    wait_until(lambda: not has_state(frame, Atspi.StateType.ACTIVE), 10,
               "the window to lose the focus")

    menus = []

    def on_showing(event):
        try:
            if (event.detail1 == 1 and event.source.get_role_name() == "popup menu"
                    and event.source.get_process_id() == agent.pid):
                menus.append(event.source)
        except Exception:
            pass
    listener = Atspi.EventListener.new(on_showing)
    listener.register("object:state-changed:showing")

    icon = wait_until(lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--pid", str(agent.pid)], env=d.env,
        capture_output=True, text=True).stdout.split(), 20, "the agent's tray icon")
    geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", icon[-1]], env=d.env,
                              capture_output=True, text=True, check=True).stdout
    g = dict(line.split("=", 1) for line in geometry.split())
    x, y = int(g["X"]) + int(g["WIDTH"]) // 2, int(g["Y"]) + int(g["HEIGHT"]) // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], env=d.env, check=True)
    wait_until(lambda: menus, 20, "the agent's menu")
    item = find(menus[-1], "menu item", OPEN_ITEM)
    assert item is not None, "the agent's menu has no item %r" % OPEN_ITEM
    do_action(item, "Press")

    wait_until(lambda: has_state(frame, Atspi.StateType.ACTIVE), 20,
               "the window to come to the front")
    handed_over = "already running (process %d)" % window.pid
    wait_until(lambda: handed_over in d.log_text("agent"), 20,
               "the second start to hand over to process %d" % window.pid)
    assert window.poll() is None, "the window has ended"
    time.sleep(1)  # a second window, had one started, would be up by now
    assert window_processes(d) == [window.pid], "window processes: %s" % window_processes(d)
    assert [a.get_process_id() for a in desktop.applications(PANE_APP)] == [window.pid]
    listener.deregister("object:state-changed:showing")
    subprocess.run(["xdotool", "key", "Escape"], env=d.env)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--bin", required=True)
    parser.add_argument("--system-root", required=True)
    args = parser.parse_args()

    desktop.reexec_with_atspi()
    missing = check_prerequisites(args)
    if missing:
        print("SKIPPED: missing %s (scripts/install-deps.sh --test)" % ", ".join(missing))
        return desktop.SKIP
    desktop.reexec_in_private_session_bus()

    begin = time.monotonic()
    with desktop.Desktop(args.bin, args.system_root) as d:
        d.start_display()
        d.start_accessibility_bus()
        Atspi = desktop.atspi()
        Atspi.init()
        d.start_driver(journal=True)
        scenario(d, Atspi)
    print("passed in %.1f s" % (time.monotonic() - begin))
    return 0


if __name__ == "__main__":
    sys.exit(main())
