"""What the desktop tests share: the session bus's command-line tool and a
patient wait for something the program does in its own time."""
import subprocess
import time


def busctl(*args):
    return subprocess.run(["busctl", "--user", "--json=short"] + list(args), check=True,
                          capture_output=True, text=True, timeout=30).stdout


def wait_for(what, check, timeout=30):
    """The first true answer of check; a bus call that fails counts as not yet."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = check()
            if value:
                return value
        except subprocess.CalledProcessError:
            pass
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.2)
