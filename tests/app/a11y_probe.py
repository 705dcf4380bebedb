#!/usr/bin/python3
# Prints one object of a running program's AT-SPI tree as role, name and
# description (tab-separated), or exits 1: "PID focused" the focused control
# (a table's cell, not the table), or "PID ROLE NAME" the first showing one.
import sys
import pyatspi


def tree(node):
    yield node
    for child in node:
        yield from tree(child) if child is not None else ()

pid, what, name = int(sys.argv[1]), sys.argv[2], sys.argv[3:] and sys.argv[3]
found = None
for node in (n for app in pyatspi.Registry.getDesktop(0) if app and app.get_process_id() == pid for n in tree(app)):
    states, role = node.getState(), node.getRoleName()
    if not states.contains(pyatspi.STATE_SHOWING):
        continue
    # A text's viewport shares its focus: the text is the control.
    if what == "focused" and states.contains(pyatspi.STATE_FOCUSED) and role != "filler":
        found = node
    elif role == what and node.name == name:
        found = node
        break
if found is None:
    sys.exit(1)
print("\t".join([found.getRoleName(), found.name, found.description]))
