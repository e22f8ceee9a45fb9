"""The player in the user's language, as a screen reader hears it: started
under a Simplified Chinese locale, every toolbar control and the warning over
the panel read in Chinese from the installed catalogue; under the C locale,
and for a user who puts English before Chinese, in the program's English.

Usage (under dbus-run-session, on an X server):
  languages_test.py PLAYER DRIVE_TOOL"""
import os
import subprocess
import sys
import tempfile

from accessibility_bus import BUTTON_ROLES, act, by_name, find_app, pyatspi
from session_bus import wait_for

player_binary, drive_tool = sys.argv[1:3]
LOCALE_VARIABLES = ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG")

ENGLISH = {
    "buttons": ("Play", "Pause", "Stop", "Rewind", "Fast forward", "Rescan", "Loop",
                "Full screen", "Log", "About", "Exit"),
    "lists": ("Drive", "Track", "Zoom"),
    "slider": "Position",
    "play hint": "Play the VCD",
    "warning": "Quelvo Player did not find a valid VCD on drive D:",
}
CHINESE = {
    "buttons": ("播放", "暂停", "停止", "快退", "快进", "重新扫描", "循环", "全屏", "日志",
                "关于", "退出"),
    "lists": ("驱动器", "曲目", "缩放"),
    "slider": "位置",
    "play hint": "播放 VCD",
    "warning": "Quelvo Player 未在驱动器 D: 中找到有效的 VCD",
}


def read_toolbar(locale, expected):
    """Starts the player with only `locale` set, on a drive D: that holds no
    disc, and reads its controls and its warning by their accessible names."""
    config = tempfile.mkdtemp(prefix="quelvo-languages-")
    env = {name: value for name, value in os.environ.items() if name not in LOCALE_VARIABLES}
    env.update(locale, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    empty = tempfile.mkdtemp(prefix="quelvo-no-disc-")
    subprocess.run([drive_tool, "map", "D:", empty], check=True, env=env, capture_output=True)
    player = subprocess.Popen([player_binary], env=env)
    try:
        app = wait_for("the player on the accessibility bus", find_app)
        buttons = {name: wait_for("a button named " + name,
                                  lambda: by_name(app, name, *BUTTON_ROLES))
                   for name in expected["buttons"]}
        for name in expected["lists"]:
            wait_for("a list named " + name, lambda: by_name(app, name, pyatspi.ROLE_COMBO_BOX))
        wait_for("a slider named " + expected["slider"],
                 lambda: by_name(app, expected["slider"], pyatspi.ROLE_SLIDER))
        play = buttons[expected["buttons"][0]]
        assert play.description == expected["play hint"], (locale, play.description)
        wait_for("the warning over the panel", lambda: pyatspi.findDescendant(
            app, lambda a: a.getRole() == pyatspi.ROLE_LABEL and
            a.name.startswith(expected["warning"])))
        act(buttons[expected["buttons"][-1]], "Press")
        assert player.wait(timeout=30) == 0
    finally:
        if player.poll() is None:
            player.kill()


read_toolbar({"LANG": "zh_CN.UTF-8"}, CHINESE)
read_toolbar({"LANG": "C"}, ENGLISH)
read_toolbar({"LANG": "zh_CN.UTF-8", "LANGUAGE": "en_GB:zh_CN"}, ENGLISH)
print("languages: ok")
