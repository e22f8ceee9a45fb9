"""The player as the desktop's media controls see it, on a private session
bus: a media widget plays, pauses, skips and seeks through the bus, reads
the status and the track's details, and the screensaver is held exactly
while a track plays.

Usage (under dbus-run-session):
  media_controls_test.py PLAYER DRIVE_TOOL MAKE_DEMO_DISC WORK_FOLDER"""
import json
import os
import subprocess
import sys
import tempfile
import time

from session_bus import busctl, wait_for

player_binary, drive_tool, make_demo_disc, work = sys.argv[1:5]
here = os.path.dirname(os.path.abspath(__file__))
NAME = "org.mpris.MediaPlayer2.quelvo"
PATH = "/org/mpris/MediaPlayer2"
PLAYER = "org.mpris.MediaPlayer2.Player"
SECOND = 1000000


def prop(name):
    return json.loads(busctl("get-property", NAME, PATH, PLAYER, name))["data"]


def call(method, signature="", *args):
    busctl("call", NAME, PATH, PLAYER, method, *([signature] + list(args) if signature else []))


def status_is(expected):
    return wait_for("PlaybackStatus " + expected, lambda: prop("PlaybackStatus") == expected)


def screensaver_calls():
    with open(screensaver_log) as log:
        return [line.split() for line in log if line.strip()]


def held():
    """Whether the player holds the screensaver now: its last call was Inhibit
    and every earlier hold was let go."""
    calls = screensaver_calls()
    holds = [c[1] for c in calls if c[0] == "Inhibit"]
    releases = [c[1] for c in calls if c[0] == "UnInhibit"]
    return len(holds) == len(releases) + 1 and holds[:-1] == releases


def released():
    calls = screensaver_calls()
    holds = [c[1] for c in calls if c[0] == "Inhibit"]
    return len(holds) > 0 and holds == [c[1] for c in calls if c[0] == "UnInhibit"]


def metadata():
    return {key: value["data"] for key, value in prop("Metadata").items()}


subprocess.run([make_demo_disc, work], check=True)
config = tempfile.mkdtemp(prefix="quelvo-desktop-")
platform = os.environ.get("QUELVO_TEST_PLATFORM", "offscreen")
env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM=platform)
subprocess.run([drive_tool, "map", "D:", os.path.join(work, "demo.cue")], check=True, env=env,
               capture_output=True)

screensaver_log = os.path.join(config, "screensaver.log")
open(screensaver_log, "w").close()
screensaver = subprocess.Popen(["/usr/bin/python3", os.path.join(here, "fake_screensaver.py"),
                                screensaver_log])
monitor_log = open(os.path.join(config, "monitor.log"), "w")
monitor = subprocess.Popen(["dbus-monitor", "--session",
                            "type='signal',path='/org/mpris/MediaPlayer2'"], stdout=monitor_log)
wait_for("the screensaver service", lambda: "org.freedesktop.ScreenSaver" in busctl("list"))

player = subprocess.Popen([player_binary], env=env)
try:
    # The first track of the disc plays by itself, and the screen stays on.
    wait_for("the player on the bus", lambda: NAME in busctl("list"))
    status_is("Playing")
    # The desktop finds the player's name and icon through its desktop file.
    assert json.loads(busctl("get-property", NAME, PATH, "org.mpris.MediaPlayer2",
                             "DesktopEntry"))["data"] == "com.norvane.QuelvoPlayer"
    track = metadata()
    assert track["xesam:trackNumber"] == 1, track
    assert track["xesam:title"] == "Track 1", track
    assert track["xesam:album"] == "QUELVODEMO", track
    assert abs(track["mpris:length"] - 20 * SECOND) < SECOND, track
    assert prop("CanGoNext") is True and prop("CanGoPrevious") is False
    wait_for("the screensaver held", held)

    # Pause lets the screensaver go; play again holds it anew.
    call("PlayPause")
    status_is("Paused")
    wait_for("the screensaver let go on pause", released)
    call("PlayPause")
    status_is("Playing")
    wait_for("the screensaver held again", held)

    # A relative seek moves on by about its offset.
    before = prop("Position")
    call("Seek", "x", str(8 * SECOND))
    wait_for("the seek", lambda: prop("Position") >= before + 7 * SECOND)

    # Next opens track 2 of the list, which becomes the current track.
    call("Next")
    wait_for("track 2", lambda: metadata().get("xesam:trackNumber") == 2)
    status_is("Playing")
    assert abs(metadata()["mpris:length"] - 10 * SECOND) < SECOND
    assert prop("CanGoNext") is False and prop("CanGoPrevious") is True

    # A position near the end of the last track: it plays out and stops,
    # and the screensaver is let go.
    trackid = metadata()["mpris:trackid"]
    call("SetPosition", "ox", trackid, str(metadata()["mpris:length"] - 2 * SECOND))
    status_is("Stopped")
    wait_for("the screensaver let go at the end of the track", released)

    # Previous goes back to track 1; Stop stops it.
    call("Previous")
    wait_for("track 1 again", lambda: metadata().get("xesam:trackNumber") == 1)
    status_is("Playing")
    call("Stop")
    status_is("Stopped")
    wait_for("the screensaver let go on stop", released)

    # Quit while playing ends the program and lets the screensaver go.
    call("Play")
    status_is("Playing")
    wait_for("the screensaver held before quitting", held)
    busctl("call", NAME, PATH, "org.mpris.MediaPlayer2", "Quit")
    assert player.wait(timeout=30) == 0
    assert released(), screensaver_calls()
finally:
    if player.poll() is None:
        player.kill()
    monitor.terminate()
    screensaver.terminate()

# The desktop heard of the changes without asking.
with open(os.path.join(config, "monitor.log")) as log:
    signals = log.read()
assert "PropertiesChanged" in signals and '"Paused"' in signals, signals[:2000]

# Without a session bus the player plays all the same, and says nothing of it.
if platform != "offscreen":
    print("media controls on %s: ok" % platform)
    sys.exit(0)
alone = {k: v for k, v in env.items() if k not in ("DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")}
lonely = subprocess.Popen([player_binary], env=alone, stderr=subprocess.PIPE, text=True)
time.sleep(8)
assert lonely.poll() is None, "the player ended without a session bus"
lonely.terminate()
complaints = lonely.communicate(timeout=30)[1]
assert "bus" not in complaints.lower(), complaints
print("media controls: ok")
