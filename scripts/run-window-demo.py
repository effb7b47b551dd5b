#!/usr/bin/env python3
"""Runs the settings window CorvaneWirelessUtility beside a running simulated
driver (see README), in the environment it is started from (HOME,
CORVANE_IOREGISTRY).

With a desktop (DISPLAY or WAYLAND_DISPLAY set) the window opens there and
the script waits until it is closed. Without one the window runs under a
private Xvfb, is driven through its accessibility tree (scan, the networks grouped
by network, connect to CorvaneHome with its passphrase, each page, the
profile drawer, a profile shared as a QR code) and a
screenshot is saved of each step; the script prints where.

    scripts/run-window-demo.py [--out DIR] [--language de|fr]
                               (default: out/window-demo, out/window-demo/LANGUAGE)

--language runs the window in that language (LANGUAGE=de for it); the
controls are found by their names in that language's catalogue.

CORVANE_BIN overrides the folder of the programs (build/bin).
"""

import argparse
import os
import subprocess
import sys
import time

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(root, "scripts"))
import desktop  # noqa: E402
from desktop import do_action, has_state, wait_until  # noqa: E402

SSID = "CorvaneHome"
BSSID = "00-0C-43-A1-00-01"
PASSPHRASE = "correct horse battery"


# The window's texts in the language it runs in: English, or the
# translations of the catalogue given with --language.
translations = {}


def tr(text):
    return translations.get(text, text)


def load_translations(language):
    import xml.etree.ElementTree as ET
    path = os.path.join(root, "translations", "corvane_%s.ts" % language)
    for message in ET.parse(path).getroot().iter("message"):
        translations.setdefault(message.findtext("source"), message.findtext("translation"))


def find(node, role, name):
    """The accessible below `node` named `name` (an English text of the
    window) in the window's language."""
    return desktop.find(node, role, tr(name))


def screenshot(d, path, *nodes):
    """The screen area the accessible objects `nodes` cover, saved as a PNG."""
    boxes = [desktop.extents(n) for n in nodes]
    left = max(0, min(x for x, _, _, _ in boxes))
    top = max(0, min(y for _, y, _, _ in boxes))
    right = max(x + w for x, _, w, _ in boxes)
    bottom = max(y + h for _, y, _, h in boxes)
    time.sleep(0.5)  # the last repaint reaches the screen
    subprocess.run(["import", "-window", "root", "-crop",
                    "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage", path],
                   env=d.env, check=True)
    print("  " + os.path.relpath(path, os.getcwd()))


def tour(d, out):
    Atspi = desktop.atspi()
    enabled, showing = Atspi.StateType.ENABLED, Atspi.StateType.SHOWING
    window = d.start("window", [d.pane])
    app = wait_until(lambda: desktop.application("CorvaneWirelessUtility", window.pid), 60,
                     "the window")
    frame = wait_until(lambda: find(app, "frame", "Corvane Wireless Utility"), 20, "its frame")
    print("Screenshots of the settings window:")

    def page(name):
        tab = find(frame, "page tab", name)
        do_action(tab, "Press")
        # The tab list is named after the page it shows.
        wait_until(lambda: find(frame, "page tab list", name), 10, "the %s page" % name)

    # Site survey after a scan.
    scan = wait_until(lambda: find(frame, "push button", "Scan"), 20, "Scan")
    table = find(frame, "table", "Networks in range")
    wait_until(lambda: has_state(scan, enabled) and table.get_n_rows() > 0, 90, "the first scan")
    do_action(scan, "Press")
    wait_until(lambda: not has_state(scan, enabled), 20, "the scan to start")
    wait_until(lambda: has_state(scan, enabled), 90, "the scan to end")
    screenshot(d, os.path.join(out, "site-survey.png"), frame)

    # Grouped by network, CorvaneHome's access points shown.
    group = find(frame, "check box", "Group by network")
    do_action(group, "Toggle")
    tree = wait_until(lambda: (lambda n: n if n and has_state(n, showing) else None)(
        find(frame, "tree", "Networks in range, one row per network")), 20, "the grouped view")
    home = wait_until(lambda: next((tree.get_accessible_at(r, 0) for r in range(tree.get_n_rows())
                                    if tree.get_accessible_at(r, 0).get_name() == SSID), None),
                      20, "the %s network" % SSID)
    x, y, w, h = desktop.extents(home)

    def expanded():
        return sum(tree.get_accessible_at(r, 0).get_name() == SSID
                   for r in range(tree.get_n_rows())) > 1

    # A click picks the network's row; the right arrow key expands it (again
    # when the key came before the view had the focus).
    for _ in range(3):
        subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1",
                        "sleep", "1", "key", "Right"], env=d.env, check=True)
        try:
            wait_until(expanded, 5, "the %s access points" % SSID)
            break
        except TimeoutError:
            pass
    wait_until(expanded, 5, "the %s access points" % SSID)
    screenshot(d, os.path.join(out, "site-survey-grouped.png"), frame)
    do_action(group, "Toggle")
    wait_until(lambda: has_state(table, showing), 20, "the table again")

    # The key dialog for CorvaneHome, the passphrase typed.
    columns = [table.get_column_description(c) for c in range(table.get_n_columns())]
    bssid_column = columns.index("BSSID")
    row = next(r for r in range(table.get_n_rows())
               if table.get_accessible_at(r, bssid_column).get_name() == BSSID)
    do_action(table.get_accessible_at(row, bssid_column), "Toggle")
    connect = find(frame, "push button", "Connect")
    wait_until(lambda: has_state(connect, enabled), 20, "Connect")
    do_action(connect, "Press")
    dialog = wait_until(lambda: (lambda n: n if n and has_state(n, showing) else None)(
        find(app, "dialog", "Network Security")), 20, "the key dialog")
    field = find(dialog, "text", "Pre-shared key")
    desktop.type_into(dialog, field, PASSPHRASE)
    screenshot(d, os.path.join(out, "key-dialog.png"), dialog)
    do_action(find(dialog, "push button", "OK"), "Press")
    wait_until(lambda: (d.driver_status() or {}).get("associated"), 60, "the association")

    # Link status, connected.
    page("Link Status")
    name = find(frame, "text", "Network name")
    wait_until(lambda: name.get_text(0, -1) == SSID, 20, "the link page to show " + SSID)
    time.sleep(15)  # some refreshes for the link quality graph to draw
    screenshot(d, os.path.join(out, "link-status.png"), frame)

    # The profile drawer beside the window.
    drawer_button = find(frame, "push button", "Open Profile Drawer")
    do_action(drawer_button, "Press")
    drawer = wait_until(lambda: (lambda n: n if n and has_state(n, showing) else None)(
        find(frame, "frame", "Profiles")), 20, "the drawer")
    screenshot(d, os.path.join(out, "drawer.png"), frame, drawer)

    # The profile editor of a new profile, from the drawer's Add.
    do_action(find(drawer, "push button", "Add"), "Press")
    editor = wait_until(lambda: (lambda n: n if n and has_state(n, showing) else None)(
        find(app, "dialog", "Profile")), 20, "the profile editor")
    screenshot(d, os.path.join(out, "profile-editor.png"), editor)
    do_action(find(editor, "push button", "Cancel"), "Press")

    # The first profile shared as a QR code, from its row's context menu,
    # with its key shown.
    profiles = find(drawer, "table", "Profiles")
    cell = wait_until(lambda: profiles.get_accessible_at(0, 0), 20, "the first profile")
    x, y, w, h = desktop.extents(cell)
    # The menu, a popup, is not in the accessibility tree: its item is
    # chosen by its mnemonic.
    share_key = tr("&Share…").split("&")[1][0].lower()
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1",
                    "click", "3", "sleep", "1", "key", share_key], env=d.env, check=True)
    share = wait_until(lambda: (lambda n: n if n and has_state(n, showing) else None)(
        find(app, "dialog", "Share Profile")), 20, "the Share dialog")
    do_action(find(share, "check box", "Show key"), "Toggle")
    qr_text = find(share, "text", "QR text")
    wait_until(lambda: qr_text.get_text(0, -1).startswith("WIFI:"), 20, "the QR code")
    screenshot(d, os.path.join(out, "share-qr.png"), share)
    do_action(find(share, "push button", "Close"), "Press")
    do_action(find(frame, "push button", "Close Profile Drawer"), "Press")

    page("Advanced")
    screenshot(d, os.path.join(out, "advanced.png"), frame)
    page("About")
    about = find(frame, "text", "Driver version")
    wait_until(lambda: about.get_text(0, -1), 20, "the About facts")
    screenshot(d, os.path.join(out, "about.png"), frame)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out")
    parser.add_argument("--language", choices=["de", "fr"])
    args = parser.parse_args()
    args.out = args.out or os.path.join(root, "out", "window-demo", *filter(None, [args.language]))
    if args.language:
        load_translations(args.language)
        os.environ["LANGUAGE"] = args.language
    bin_dir = os.environ.get("CORVANE_BIN", os.path.join(root, "build", "bin"))
    system_root = os.path.join(os.path.dirname(os.path.abspath(bin_dir)), "root")
    pane = os.path.join(system_root, desktop.PANE_IN_ROOT)
    if not os.access(pane, os.X_OK):
        print("run-window-demo: %s is not built" % pane, file=sys.stderr)
        return 1

    if os.environ.get("DISPLAY") or os.environ.get("WAYLAND_DISPLAY"):
        print("Running the settings window on your desktop; close it to go on.")
        return subprocess.call([pane])

    desktop.reexec_with_atspi()
    missing = desktop.missing_programs(["Xvfb", "import", "dbus-run-session", "dbus-send",
                                        desktop.BUS_LAUNCHER])
    if not desktop.atspi_importable():
        missing.append("python3-gi with gir1.2-atspi-2.0")
    if missing:
        print("run-window-demo: missing %s (scripts/install-deps.sh)" % ", ".join(missing),
              file=sys.stderr)
        return 1
    desktop.reexec_in_private_session_bus()
    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    # The user's (or the demo's) home and driver, a display of our own.
    with desktop.Desktop(bin_dir, system_root, home=os.environ.get("HOME"),
                         registry=os.environ.get("CORVANE_IOREGISTRY")) as d:
        if d.driver_status() is None:
            print("run-window-demo: no simulated driver answers", file=sys.stderr)
            return 1
        d.start_display()
        d.start_accessibility_bus()
        desktop.atspi().init()
        tour(d, out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
