"""A window closed while a read waits on the disc: the player saves its
settings and ends, however long the drive goes on retrying. The disc is a
Video CD image read through the FUSE mirror (support/fault_mirror.py) that
holds every read of the track's second half for far longer than the test.

Usage (under dbus-run-session, on the X server of the test command):
  stalled_exit_test.py PLAYER XWINDOW_TOOL FAULT_MIRROR WORK_FOLDER"""
import os
import re
import shutil
import subprocess
import sys
import time

from session_bus import busctl, wait_for
from video_cd import make_video_cd

player_binary, xwindow, mirror_script, work = sys.argv[1:5]
if not os.environ.get("DISPLAY"):
    print("no X server: skipped")
    sys.exit(77)
if not os.access("/dev/fuse", os.R_OK | os.W_OK):
    print("no /dev/fuse: skipped")
    sys.exit(77)

NAME = "org.mpris.MediaPlayer2.quelvo"
TITLE = "Quelvo Player"
SECOND = 1000000
STALL = 600  # seconds: the drive never answers within the test
EXIT_BOUND = 30  # seconds: a close that waited on the read would take STALL


def make_disc(folder):
    """A Video CD of one track of a minute and a half, and where it starts."""
    with open(make_video_cd(folder, "stalled", "STALLED", 90)) as sheet:
        text = sheet.read()
    minutes, seconds, frames = re.search(r"TRACK 02.*?INDEX 01 (\d+):(\d+):(\d+)", text,
                                         re.S).groups()
    return (int(minutes) * 60 + int(seconds)) * 75 + int(frames)


def position():
    out = busctl("get-property", NAME, "/org/mpris/MediaPlayer2",
                 "org.mpris.MediaPlayer2.Player", "Position")
    return int(re.search(r'"data":(-?\d+)', out).group(1))


shutil.rmtree(work, ignore_errors=True)
disc, mount, faults = (os.path.join(work, name) for name in ("disc", "mirror", "faults"))
os.makedirs(mount)
track_start = make_disc(disc)
open(faults, "w").close()
mirror_log = open(os.path.join(work, "mirror.log"), "w+")
mirror = subprocess.Popen(["/usr/bin/python3", mirror_script, disc, mount, faults],
                          stdout=mirror_log, stderr=subprocess.STDOUT)
window_manager = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
player = None


def ended(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] in ("Z", "X")
    except FileNotFoundError:
        return True


def mirror_said(word):
    mirror_log.seek(0)
    return word in mirror_log.read()


try:
    wait_for("the mirror", lambda: mirror_said("ready"))
    config = os.path.join(work, "config")
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=config)
    with open(os.path.join(work, "player.log"), "w") as log:
        player = subprocess.Popen([player_binary, os.path.join(mount, "stalled.cue")], env=env,
                                  stdout=log, stderr=subprocess.STDOUT)
    subprocess.run([xwindow, "first-frame", TITLE, "60000"], check=True)
    wait_for("the player on the bus", lambda: NAME in busctl("list"))
    wait_for("playback", lambda: position() >= 2 * SECOND)

    # From 20 s of the track on, the drive retries for ten minutes.
    with open(faults, "w") as rules:
        rules.write(f"stalled.bin {track_start + 20 * 75} 100000 sleep {STALL}\n")
    wait_for("a read held by the drive", lambda: mirror_said("stalling"), timeout=60)

    asked = time.monotonic()
    subprocess.run([xwindow, "close", TITLE], check=True)
    # The thread the read holds stays in the kernel until the drive answers,
    # which no process can cut short, so the player counts as ended once its
    # main thread is gone: it has left nothing but that wait (a defunct entry).
    wait_for("the player to end", lambda: ended(player.pid), timeout=EXIT_BOUND)
    took = time.monotonic() - asked
    with open(os.path.join(config, "quelvo", "user.reg"), encoding="utf-8", errors="replace") as f:
        hive = f.read()
    assert '"Zoom"' in hive, "the settings were not saved at the close"
    print(f"closed during a stalled read: ended after {took:.1f} s, settings saved")
finally:
    if player and player.poll() is None:
        player.kill()
    window_manager.terminate()
    # Killing the mirror answers the held read, so the player can be reaped.
    mirror.kill()
    mirror.wait()
    subprocess.run(["umount", "-l", mount], stderr=subprocess.DEVNULL)
    if player:
        player.wait()
    window_manager.wait()
