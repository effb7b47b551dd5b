#!/usr/bin/python3
# Writes down, with the time (CLOCK_MONOTONIC, seconds), every state change
# of NetworkManager's devices and every end of a scan, one line each:
#   <time> state <interface> <new> <old> <reason>
#   <time> scanned <interface>
# The NetworkManager test's timings are read from these lines.
import sys
import time

from gi.repository import Gio, GLib

NM = "org.freedesktop.NetworkManager"
bus = Gio.bus_get_sync(Gio.BusType.SYSTEM, None)
names = {}
out = open(sys.argv[1], "a", buffering=1)


def interface(path):
    if path not in names:
        try:
            reply = bus.call_sync(NM, path, "org.freedesktop.DBus.Properties", "Get",
                                  GLib.Variant("(ss)", (NM + ".Device", "Interface")),
                                  GLib.VariantType("(v)"), 0, 2000, None)
            names[path] = reply.unpack()[0]
        except GLib.Error:
            return "?"
    return names[path]


def on_signal(connection, sender, path, iface, signal, params):
    now = time.monotonic()
    if signal == "StateChanged":
        new, old, reason = params.unpack()
        out.write("%.3f state %s %d %d %d\n" % (now, interface(path), new, old, reason))
    elif signal == "PropertiesChanged" and params[0] == NM + ".Device.Wireless":
        if "LastScan" in params[1]:
            out.write("%.3f scanned %s\n" % (now, interface(path)))


bus.signal_subscribe(NM, NM + ".Device", "StateChanged", None, None, 0, on_signal)
bus.signal_subscribe(NM, "org.freedesktop.DBus.Properties", "PropertiesChanged", None, None, 0,
                     on_signal)
out.write("%.3f watching\n" % time.monotonic())
GLib.MainLoop().run()
