"""The accessibility tree over AT-SPI, as the tests walk it."""

import pyatspi
from gi.repository import GLib


def deliver_events():
    """The AT-SPI events that keep the tree's states up to date, delivered."""
    while GLib.MainContext.default().pending():
        GLib.MainContext.default().iteration(False)


def descendants(node):
    """Every node below this one, depth first; a child gone meanwhile is None."""
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def with_role(node, role, name=None):
    return [n for n in descendants(node) if n.getRole() == role and name in (None, n.name)]


def applications():
    return [application for application in pyatspi.Registry.getDesktop(0) if application]
