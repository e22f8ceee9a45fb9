"""The player as a screen reader or a switch device drives it: every toolbar
control reaches the accessibility bus by its name, and play, pause, stop and
the position slider work through their accessible actions and value, as the
player's real state (its media-player status on the same session bus) shows.

Usage (under dbus-run-session, on an X server; the toolkit exports its
accessible objects from its X11 platform only):
  accessibility_test.py PLAYER DRIVE_TOOL DEMO_DISC_FOLDER"""
import json
import os
import subprocess
import sys
import tempfile

from accessibility_bus import BUTTON_ROLES, act, by_name, find_app, pyatspi
from session_bus import busctl, wait_for

player_binary, drive_tool, demo_disc = sys.argv[1:4]
MPRIS = ["org.mpris.MediaPlayer2.quelvo", "/org/mpris/MediaPlayer2",
         "org.mpris.MediaPlayer2.Player"]
SECOND = 1000000  # the player's positions are in microseconds


def status():
    return json.loads(busctl("get-property", *MPRIS, "PlaybackStatus"))["data"]


def position():
    return json.loads(busctl("get-property", *MPRIS, "Position"))["data"]


def length():
    metadata = json.loads(busctl("get-property", *MPRIS, "Metadata"))["data"]
    return metadata["mpris:length"]["data"]


def status_is(expected):
    wait_for("the player " + expected, lambda: status() == expected)


def find_buttons(app, names):
    return {name: wait_for("a button named " + name, lambda: by_name(app, name, *BUTTON_ROLES))
            for name in names}


BUTTONS = ("Play", "Pause", "Stop", "Rewind", "Fast forward", "Rescan", "Loop", "Full screen",
           "Log", "About", "Exit")

config = tempfile.mkdtemp(prefix="quelvo-access-")
env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb",
           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANGUAGE="", LC_ALL="C.UTF-8")
subprocess.run([drive_tool, "map", "D:", os.path.join(demo_disc, "demo.cue")], check=True,
               env=env, capture_output=True)
player = subprocess.Popen([player_binary], env=env)
try:
    app = wait_for("the player on the accessibility bus", find_app)
    buttons = find_buttons(app, BUTTONS)
    assert buttons["Play"].description == "Play the VCD", buttons["Play"].description
    lists = {name: wait_for("a list named " + name,
                            lambda: by_name(app, name, pyatspi.ROLE_COMBO_BOX))
             for name in ("Drive", "Track", "Zoom")}
    slider = wait_for("the position slider",
                      lambda: by_name(app, "Position", pyatspi.ROLE_SLIDER))

    # Track 1 plays by itself; the buttons that stay down answer both a
    # press and a toggle with what a click does.
    status_is("Playing")
    act(buttons["Pause"], "Toggle")
    status_is("Paused")

    act(buttons["Play"], "Press")
    status_is("Playing")

    # The slider moves playback half way along, read back from the player,
    # which plays on from there as after a drag of the slider.
    value = slider.queryValue()
    wait_for("a slider with a range", lambda: value.maximumValue > 100)
    half = length() // 2
    assert position() < half - SECOND, position()
    value.currentValue = value.maximumValue // 2
    reached = wait_for("the player half way", lambda: position() >= half - SECOND // 2 and
                       position())
    assert reached < half + 3 * SECOND, (reached, half)
    status_is("Playing")

    act(buttons["Stop"], "Press")
    status_is("Stopped")
    wait_for("the slider back at the start", lambda: value.currentValue == 0)

    # The track list's entries read as tracks, not as the paths behind them.
    entries = [a.name for a in pyatspi.findAllDescendants(
        lists["Track"], lambda a: a.getRole() in (pyatspi.ROLE_LIST_ITEM,
                                                  pyatspi.ROLE_MENU_ITEM))]
    assert entries[:2] == ["Track 1", "Track 2"], entries

    act(buttons["Exit"], "Press")
    assert player.wait(timeout=30) == 0
finally:
    if player.poll() is None:
        player.kill()


def mpris(name):
    return json.loads(busctl("get-property", *MPRIS, name))["data"]


# A rescan that finds nothing while a track plays (the copied disc's folder
# is gone): the toolbar still pauses and stops the track, and the desktop's
# media controls, with no track listed, say so and do nothing, never opening
# a box.
copied = tempfile.mkdtemp(prefix="quelvo-copied-")
os.makedirs(os.path.join(copied, "MPEGAV"))
subprocess.run(["ffmpeg", "-loglevel", "error", "-f", "lavfi", "-i", "testsrc2=size=352x288:rate=25",
                "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100", "-t", "20", "-ac", "2",
                "-target", "pal-vcd", "-f", "mpeg", os.path.join(copied, "MPEGAV", "AVSEQ01.DAT")],
               check=True)
env["XDG_CONFIG_HOME"] = tempfile.mkdtemp(prefix="quelvo-access-")
subprocess.run([drive_tool, "map", "D:", copied], check=True, env=env, capture_output=True)
player = subprocess.Popen([player_binary], env=env)
try:
    app = wait_for("the player on the accessibility bus", find_app)
    buttons = find_buttons(app, ("Pause", "Stop", "Rescan", "Loop", "Exit"))
    status_is("Playing")
    act(buttons["Loop"], "Toggle")  # the clip plays on for as long as the test needs
    os.rename(os.path.join(copied, "MPEGAV"), os.path.join(copied, "gone"))
    act(buttons["Rescan"], "Press")
    wait_for("no track listed", lambda: mpris("CanPlay") is False)
    assert mpris("CanPause") is False and mpris("CanSeek") is False
    for method, args in (("PlayPause", []), ("Pause", []), ("Seek", ["x", str(5 * SECOND)])):
        busctl("call", *MPRIS, method, *args)
    status_is("Playing")

    act(buttons["Pause"], "Toggle")
    status_is("Paused")
    act(buttons["Stop"], "Press")
    status_is("Stopped")
    act(buttons["Exit"], "Press")
    assert player.wait(timeout=30) == 0
finally:
    if player.poll() is None:
        player.kill()
print("accessibility: ok")
