"""The player's pictures drawn the OpenGL way on a real X server (Mesa's
software GL under the test's virtual X server), as a user sees them: the
first track plays in the window, a fast-forward moves it on, full screen
fills the screen with it. And with a GL driver that cannot load, the player
says so once and the software renderer shows a moving picture.

Usage (under dbus-run-session, on the X server of the test command):
  video_output_test.py PLAYER XWINDOW_TOOL WORK_FOLDER"""
import os
import re
import shutil
import subprocess
import sys
import time

from session_bus import busctl, wait_for
from video_cd import make_video_cd

player_binary, xwindow, work = sys.argv[1:4]
if not os.environ.get("DISPLAY"):
    print("no X server: skipped")
    sys.exit(77)

NAME = "org.mpris.MediaPlayer2.quelvo"
PATH = "/org/mpris/MediaPlayer2"
PLAYER = "org.mpris.MediaPlayer2.Player"
SECOND = 1000000
TITLE = "Quelvo Player"
FALLBACK = "OpenGL cannot be used"


def position():
    out = busctl("get-property", NAME, PATH, PLAYER, "Position")
    return int(re.search(r'"data":(-?\d+)', out).group(1))


def window_id():
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^" + TITLE],
                          check=True, capture_output=True, text=True).stdout.split()[0]


def press(key):
    subprocess.run(["xdotool", "windowactivate", "--sync", window_id(), "key", key], check=True)


def window_geometry():
    out = subprocess.run(["xwininfo", "-id", window_id()], check=True, capture_output=True,
                         text=True).stdout
    number = lambda label: int(re.search(label + r":\s+(-?\d+)", out).group(1))
    return (number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
            number("Height"))


def screenshot(name):
    path = os.path.join(work, name + ".png")
    subprocess.run(["import", "-window", "root", path], check=True)
    return path


def saturation(path, area):
    """The mean colour saturation (0 to 1) of an area (x, y, w, h) of a picture:
    the test picture is mostly pure colours, an empty panel none."""
    x, y, w, h = area
    out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-colorspace",
                          "HSL", "-channel", "G", "-separate", "-format", "%[fx:mean]", "info:"],
                         check=True, capture_output=True, text=True).stdout
    return float(out)


def differing_pixels(first, second, area):
    x, y, w, h = area
    crop = ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz", "10%", "(", first, *crop, ")",
                             "(", second, *crop, ")", "null:"], capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


def centre(area, fraction=0.5):
    x, y, w, h = area
    return (x + int(w * (1 - fraction) / 2), y + int(h * (1 - fraction) / 2), int(w * fraction),
            int(h * fraction))


def gl_driver_loaded(process):
    with open(f"/proc/{process.pid}/maps") as maps:
        return any(re.search(r"_dri\.so|libgallium", line) for line in maps)


class Player:
    def __init__(self, disc, name, **environment):
        self.log = os.path.join(work, name + ".log")
        config = os.path.join(work, name + "-config")
        shutil.rmtree(config, ignore_errors=True)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=config,
                   QUELVO_VIDEO_OUTPUT="opengl", **environment)
        with open(self.log, "w") as log:
            self.process = subprocess.Popen([player_binary, disc], env=env, stdout=log,
                                            stderr=subprocess.STDOUT)
        subprocess.run([xwindow, "first-frame", TITLE, "60000"], check=True)
        wait_for("the player on the bus", lambda: NAME in busctl("list"))

    def said(self):
        with open(self.log) as log:
            return log.read()

    def close(self):
        subprocess.run([xwindow, "close", TITLE], check=True)
        assert self.process.wait(timeout=60) == 0, "the player did not end cleanly"


def moving(name, area):
    before = screenshot(name + "-a")
    time.sleep(1)
    after = screenshot(name + "-b")
    return differing_pixels(before, after, area) > area[2] * area[3] // 20


os.makedirs(work, exist_ok=True)
disc = make_video_cd(os.path.join(work, "disc"), "long", "QUELVOLONG", 180)
window_manager = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
try:
    time.sleep(1)

    # The OpenGL way, end to end.
    player = Player(disc, "opengl")
    assert gl_driver_loaded(player.process), "no GL driver in the player"
    assert FALLBACK not in player.said(), player.said()
    time.sleep(2)
    x, y, w, h = window_geometry()
    panel = centre((x, y + h // 5, w, h * 4 // 5))
    shot = screenshot("opengl-window")
    assert saturation(shot, panel) > 0.4, "no picture in the window"

    before = position()
    press("Right")  # fast-forward: a tenth of the track
    wait_for("the fast-forward", lambda: position() >= before + 15 * SECOND)
    assert moving("opengl-after-seek", panel), "the picture stands still after the seek"

    screen = subprocess.run(["xdotool", "getdisplaygeometry"], check=True, capture_output=True,
                            text=True).stdout.split()
    press("f")
    wait_for("full screen", lambda: window_geometry()[2:] == (int(screen[0]), int(screen[1])))
    time.sleep(1)
    whole = (0, 0, int(screen[0]), int(screen[1]))
    shot = screenshot("opengl-full-screen")
    assert saturation(shot, centre(whole, 0.6)) > 0.4, "no picture in full screen"
    assert moving("opengl-full-screen", centre(whole, 0.6)), "the picture stands still"
    press("Escape")
    wait_for("the window again", lambda: window_geometry()[2] < int(screen[0]))
    player.close()
    print("OpenGL: picture, fast-forward and full screen")

    # A GL driver that cannot load: said once, and played in software.
    player = Player(disc, "broken-driver", LIBGL_DRIVERS_PATH=os.path.join(work, "nowhere"))
    time.sleep(2)
    x, y, w, h = window_geometry()
    panel = centre((x, y + h // 5, w, h * 4 // 5))
    assert saturation(screenshot("broken-driver"), panel) > 0.4, "no picture"
    assert moving("broken-driver", panel), "the picture stands still"
    before = position()
    wait_for("playback to go on", lambda: position() >= before + 2 * SECOND)
    # Full screen opens the track again: the software way at once, unsaid.
    press("f")
    wait_for("full screen", lambda: window_geometry()[2:] == (int(screen[0]), int(screen[1])))
    time.sleep(1)
    assert moving("broken-driver-full-screen", centre(whole, 0.6)), "the picture stands still"
    said = player.said()
    assert said.count(FALLBACK) == 1, said
    player.close()
    print("broken GL driver: said once, a moving picture in software")
finally:
    window_manager.terminate()
    window_manager.wait()
