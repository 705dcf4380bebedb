"""Speaks to the stand-in logind on a private bus as logind's own clients do.

  logind_call.py ADDRESS sleep true|false   logind's PrepareForSleep signal
  logind_call.py ADDRESS locks              how many sleep delay locks are held
"""
import sys

import dbus

bus = dbus.bus.BusConnection(sys.argv[1])
logind = bus.get_object("org.freedesktop.login1", "/org/freedesktop/login1")
if sys.argv[2] == "sleep":
    logind.EmitSignal("org.freedesktop.login1.Manager", "PrepareForSleep", "b",
                      [dbus.Boolean(sys.argv[3] == "true")], dbus_interface="org.freedesktop.DBus.Mock")
elif sys.argv[2] == "locks":
    held = logind.ListInhibitors(dbus_interface="org.freedesktop.login1.Manager")
    print(sum(1 for what, _, _, mode, _, _ in held if what == "sleep" and mode == "delay"))
else:
    sys.exit("unknown command " + sys.argv[2])
