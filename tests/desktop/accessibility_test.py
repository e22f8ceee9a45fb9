"""The player as a screen reader sees it: every toolbar control has a name,
and play, pause, stop and the position slider work through the
accessibility bus, the way assistive tools drive a program.

Usage (under dbus-run-session, on an X server):
  accessibility_test.py PLAYER DRIVE_TOOL MAKE_DEMO_DISC WORK_FOLDER"""
import os
import subprocess
import sys
import tempfile
import time

player_binary, drive_tool, make_demo_disc, work = sys.argv[1:5]

if not os.environ.get("DISPLAY"):
    sys.exit(77)

# The accessibility bus of this private session, before anything asks for it.
launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
time.sleep(1)

import pyatspi  # noqa: E402  (needs the bus launched above)


def wait_for(what, check, timeout=30):
    deadline = time.monotonic() + timeout
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.2)


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "quelvo-player":
            return app
    return None


def by_name(root, name, role):
    return pyatspi.findDescendant(root, lambda a: a.name == name and a.getRole() == role)


def checked(button):
    return button.getState().contains(pyatspi.STATE_CHECKED)


def press(button):
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


subprocess.run([make_demo_disc, work], check=True)
config = tempfile.mkdtemp(prefix="quelvo-access-")
env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
subprocess.run([drive_tool, "map", "D:", os.path.join(work, "demo.cue")], check=True, env=env,
               capture_output=True)
player = subprocess.Popen([player_binary], env=env)
try:
    app = wait_for("the player on the accessibility bus", find_app)
    buttons = {}
    for name in ("Play", "Pause", "Stop", "Rewind", "Fast forward", "Rescan", "Loop",
                 "Full screen", "Log", "About", "Exit"):
        buttons[name] = wait_for("a button named " + name,
                                 lambda: by_name(app, name, pyatspi.ROLE_PUSH_BUTTON) or
                                 by_name(app, name, pyatspi.ROLE_TOGGLE_BUTTON))
    assert buttons["Play"].description == "Play the VCD", buttons["Play"].description
    for name in ("Drive", "Track", "Zoom"):
        wait_for("a list named " + name, lambda: by_name(app, name, pyatspi.ROLE_COMBO_BOX))
    slider = wait_for("the position slider", lambda: by_name(app, "Position", pyatspi.ROLE_SLIDER))

    # Track 1 plays by itself.
    wait_for("play pressed", lambda: checked(buttons["Play"]))
    press(buttons["Pause"])
    wait_for("pause pressed", lambda: checked(buttons["Pause"]) and not checked(buttons["Play"]))
    press(buttons["Play"])
    wait_for("playing again", lambda: checked(buttons["Play"]))

    # The slider moves playback, and playback then moves the slider on.
    value = slider.queryValue()
    wait_for("a slider with a range", lambda: value.maximumValue > 100)
    middle = value.maximumValue // 2
    value.currentValue = middle
    wait_for("playback past the middle", lambda: value.currentValue > middle)

    press(buttons["Stop"])
    wait_for("stop pressed", lambda: checked(buttons["Stop"]) and not checked(buttons["Play"]))
    wait_for("the slider back at the start", lambda: value.currentValue == 0)

    # The track list's entries read as tracks, not as paths.
    track_list = by_name(app, "Track", pyatspi.ROLE_COMBO_BOX)
    entries = [a.name for a in pyatspi.findAllDescendants(
        track_list, lambda a: a.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_MENU_ITEM))]
    assert entries[:2] == ["Track 1", "Track 2"], entries

    press(buttons["Exit"])
    assert player.wait(timeout=30) == 0
finally:
    if player.poll() is None:
        player.kill()
    launcher.terminate()
print("accessibility: ok")
