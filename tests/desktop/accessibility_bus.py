"""What the accessibility tests share: the accessibility bus of a private
session, started as a desktop starts it, and the player's objects on it.
Importing this module skips the test (status 77) where there is no X server,
no bus launcher or no pyatspi; the toolkit exports its accessible objects from
its X11 platform only."""
import importlib.util
import json
import os
import sys

from session_bus import busctl, wait_for

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"  # what the session bus starts for it

if (not os.environ.get("DISPLAY") or not os.path.exists(LAUNCHER)
        or importlib.util.find_spec("pyatspi") is None):
    sys.exit(77)

# The accessibility bus of this private session, started the way a desktop
# starts it: by asking the session bus for its address.
wait_for("the accessibility bus", lambda: json.loads(busctl(
    "call", "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"))["data"][0])

import pyatspi  # noqa: E402  (needs the bus above)


def find_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Quelvo Player":
            return app
    return None


def by_name(root, name, *roles):
    return pyatspi.findDescendant(root, lambda a: a.name == name and a.getRole() in roles)


def act(control, action_name):
    """Does the named action of the control, as a tool does it: by its index."""
    action = control.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    assert action_name in names, (control.name, names)
    action.doAction(names.index(action_name))


BUTTON_ROLES = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TOGGLE_BUTTON)
