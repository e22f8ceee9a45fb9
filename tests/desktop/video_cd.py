"""Video CD images for the desktop tests, made with ffmpeg and vcdimager."""
import os
import shutil
import subprocess
import tempfile


def make_video_cd(folder, name, label, seconds):
    """A Video CD of one PAL track `seconds` long, the test pattern with a
    tone, as `name`.cue and `name`.bin in `folder`; made once per folder.
    The path of the cue sheet."""
    cue = os.path.join(folder, name + ".cue")
    if os.path.exists(cue):
        return cue
    os.makedirs(folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        track = os.path.join(scratch, "track.mpg")
        subprocess.run(["ffmpeg", "-loglevel", "error", "-f", "lavfi", "-i",
                        "testsrc2=size=352x288:rate=25", "-f", "lavfi", "-i",
                        "sine=frequency=440:sample_rate=44100", "-t", str(seconds), "-ac", "2",
                        "-aspect", "4:3", "-target", "pal-vcd", track], check=True)
        subprocess.run(["vcdimager", "-t", "vcd2", "-l", label, "-c", name + ".cue", "-b",
                        name + ".bin", track], check=True, cwd=scratch, capture_output=True)
        shutil.move(os.path.join(scratch, name + ".bin"), os.path.join(folder, name + ".bin"))
        shutil.move(os.path.join(scratch, name + ".cue"), cue)
    return cue
