#!/usr/bin/python3
"""Reads a running program's accessibility tree over AT-SPI, as a screen
reader does, and prints one object as role, name and description, separated
by tabs; exits 1 when there is none.
  a11y_probe.py PID focused      the object with the keyboard focus (a
                                 table's cell rather than the table)
  a11y_probe.py PID ROLE NAME    the first showing object of that role and name
"""
import sys

import pyatspi


def tree(node):
    yield node
    for child in node:
        if child is not None:
            yield from tree(child)


def main(pid, what, name=None):  # what: "focused" or a role name
    found = None
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.get_process_id() != pid:
            continue
        for node in tree(app):
            states = node.getState()
            if not states.contains(pyatspi.STATE_SHOWING):
                continue
            # A text's viewport shares its focus: the text is the control.
            if what == "focused" and states.contains(pyatspi.STATE_FOCUSED) and node.getRoleName() != "filler":
                found = node
            elif node.getRoleName() == what and node.name == name:
                found = node
                break
    if found is None:
        return 1
    print("\t".join([found.getRoleName(), found.name, found.description]))
    return 0


sys.exit(main(int(sys.argv[1]), *sys.argv[2:]))
