"""The command line of the built binary: exit statuses, messages and the
files a headless render writes with the settings file and the options over
it, and hp2xx reading its HP-GL, plain and fitted to A4. Runs with no
display and an unusable video driver, so any attempt to open a window would
fail the case; the rows that start the editor itself change that environment
as they say.

Run: python3 tests/cli/test_command_line.py path/to/tessary
"""
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

SLOT_POINTS = b"12 7 \n0 199 \n"
SLOT_LINES = b"3 4 10 4 \n0 0 255 199 \n\n"
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
SVG_START = b'<?xml version="1.0" encoding="UTF-8"?>\n<svg '
USAGE = "Usage: tessary [--dir DIR]\n"
EXAMPLE_MACHINES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples", "machines.toml")

# (arguments, exit status, standard output starts with, standard error starts
# with, files afterwards: bytes each must hold, or None for a file that must not
# exist[, changes to the environment: None unsets]). "{here}" stands for the
# working directory of the run, which is also HOME; slot 2 exists there and in
# "sub", and the points of slot 3 alone. The user's folders name ~/Pictures as
# the pictures folder, which is also the fallback without xdg-user-dir; the
# user's settings file sets the feed, and bad.toml has a wrong value on line 4.
CASES = [
    (["--version"], 0, "Tessary 0.3\n", "", {}),
    (["--help"], 0, USAGE, "", {}),
    (["--bogus"], 2, "", "tessary: unknown option: --bogus\n" + USAGE, {}),
    (["--render"], 2, "", "tessary: --render needs a value\n" + USAGE, {}),
    (["--render", "8"], 2, "", "tessary: --render takes a slot number 1-7, not 8\n" + USAGE, {}),
    (["--render", "2", "--color", "17"], 2, "", "tessary: --color takes a palette number 1-16, not 17\n", {}),
    (["--png", "a.png"], 2, "", "tessary: --png goes with --render only\n" + USAGE, {}),
    (["--dir", "missing"], 2, "", "tessary: not a directory: missing\n", {}),
    (["--dir", "pixels2.txt", "--render", "2"], 2, "", "tessary: not a directory: pixels2.txt\n", {}),
    (["--render", "2"], 0, "", "", {"picture2.svg": SVG_START, "picture2.png": PNG_SIGNATURE}),
    (["--render", "2", "--dir", "sub", "--png", "out.png"], 0, "", "",
     {"out.png": PNG_SIGNATURE, "sub/picture2.png": None}),
    (["--render", "2", "--background", "7", "--svg", "a.svg"], 0, "", "",
     {"a.svg": b'<rect width="256" height="200" fill="#352879"/>', "picture2.png": None}),
    (["-h"], 0, USAGE, "", {}),
    (["--render", "5", "--dir", "sub"], 1, "", "tessary: slot 5 has no picture in {here}/sub\n",
     {"sub/picture5.svg": None, "sub/picture5.png": None}),
    (["--render", "2", "--pictures"], 1, "", "tessary: slot 2 has no picture in {here}/Pictures/Tessary\n",
     {"Pictures/Tessary/picture2.svg": None, "picture2.svg": None}),
    (["--render", "3"], 0, "", "Load failed: lines3.txt: No such file or directory\n", {"picture3.svg": SVG_START, "picture3.png": PNG_SIGNATURE}),
    (["--render", "2", "--png", "missing/a.png"], 1, "",
     "Export failed: {here}/missing/a.png: No such file or directory\n", {}),
    (["--render", "2", "--hpgl", "a.hpgl", "--gcode", "a.gcode", "--ilda", "a.ild", "--color", "3"], 0, "", "",
     {"a.hpgl": b"IN;\nSP1;\nPU", "a.gcode": b"G21\nG90\n", "a.ild": b"\x00\x2b\x37\x68",  # lit in 68372B
      "picture2.svg": None, "picture2.png": None}),
    (["--render", "2", "--gcode", "g", "--ilda", "missing/a.ild"], 1, "",
     "Export failed: {here}/missing/a.ild: No such file or directory\n", {"g": b"G21\n"}),
    (["--render", "2", "--gcode", "g"], 0, "", "", {"g": b"G1 X255 Y0 F1200\nG0 Z2\nG0 X0 Y0\nM2\n"}),
    (["--render", "2", "--gcode", "g", "--paper", "a4", "--margin", "10", "--pen", "servo"], 0, "", "",
     {"g": b" mm on A4 landscape (297 x 210 mm, margin 10 mm)\nG21\nG90\nM5\nG4 P0.2\nG0 X26.766 Y10\nM3 S1000\n"}),
    (["--render", "2", "--gcode", "g", "--machines", EXAMPLE_MACHINES], 0, "", "",
     {"g": b" mm on A4 landscape (297 x 210 mm, margin 10 mm)\nG21\nG90\nG0 Z2\n"}),
    (["--render", "2", "--gcode", "g", "--machines", "bad.toml"], 1, "",
     "tessary: {here}/bad.toml line 4: pen_down: expected a string\n", {"g": None}),
    (["--render", "2", "--gcode", "g", "--paper", "a5", "--portrait", "--margin", "80"], 1, "",
     "tessary: a margin of 80 mm leaves no room on A5 portrait\n", {"g": None}),
    (["--render", "2", "--ilda", "a.ild", "--color", "1"], 0, "", "Laser drawn in white: black gives no beam\n",
     {"a.ild": b"\x00\xff\xff\xff"}),
    (["--render", "2", "--paper", "b7"], 2, "", "tessary: --paper takes a4, a3, a5, letter or WxH in mm, not b7\n", {}),
    # Slots as an animation: empty ones left out, the GIF's frames 10/100 s apart and looping.
    (["--render", "1-7"], 0, "", "tessary: slot 1 holds no picture, left out\n",
     {"animation.ild": b"ILDA\0\0\0\x05picture2", "animation.gif": b"GIF89a\0\x01\xc8\0"}),
    (["--render", "3,2", "--ilda", "a.ild", "--gif", "a.gif", "--fps", "10"], 0, "",
     "Load failed: lines3.txt: No such file or directory\n",
     {"a.ild": b"picture3", "a.gif": b"NETSCAPE2.0\x03\x01\0\0\0\x21\xf9\x04\x04\x0a\0", "animation.gif": None}),
    (["--render", "4-7", "--dir", "sub"], 1, "", "tessary: slot 4 holds no picture, left out\n",
     {"sub/animation.ild": None, "sub/animation.gif": None}),
    (["--render", "1-8"], 2, "",
     "tessary: --render takes a range of slots such as 1-7 or a list such as 1,3,5, not 1-8\n" + USAGE, {}),
    (["--render", "2", "--gif", "a.gif"], 2, "", "tessary: --gif goes with a range or list of slots only\n", {}),
    (["--render", "1-3", "--png", "a.png"], 2, "", "tessary: --png goes with one slot only\n", {}),
    (["--render", "1-3", "--fps", "31"], 2, "", "tessary: --fps takes 1-30 frames a second, not 31\n", {}),
    # The editor itself: with no display it stops at once, unless a driver is asked for.
    (["--vectorize", "ring.bmp", "--slot", "4"], 0, "Added ", "", {"lines4.txt": b" \n", "pixels4.txt": b""}),
    (["--vectorize", "ring.bmp", "--slot", "2", "--centerline"], 0, "Added ",
     "Saved slot 2; its old picture is kept in {here}/.local/state/tessary/", {"lines2.txt": b" \n"}),
    (["--vectorize", "missing.png", "--slot", "2"], 1, "", "Cannot trace missing.png: No such file or directory\n",
     {"lines2.txt": SLOT_LINES}),
    (["--vectorize", "ring.bmp"], 2, "", "tessary: --vectorize needs --slot N\n" + USAGE, {"lines4.txt": None}),
    (["--vectorize", "ring.bmp", "--slot", "8"], 2, "", "tessary: --slot takes a slot number 1-7, not 8\n", {}),
    (["--slot", "3", "--centerline"], 2, "", "tessary: --centerline goes with --vectorize only\n", {}),
    (["--vectorize", "ring.bmp", "--slot", "3", "--render", "2"], 2, "", "tessary: --render and --vectorize go apart\n", {}),
    (["--vectorize", "ring.bmp", "--slot", "3", "--trace", "ring.bmp"], 2, "", "tessary: --trace goes with the editor only\n", {}),
    ([], 1, "Unable to init SDL: no display (", "", {}, {"SDL_VIDEODRIVER": None}),
    ([], 1, "Unable to init SDL: No available video device\n", "", {}, {"SDL_VIDEODRIVER": None, "DISPLAY": ":4095"}),
    ([], 1, "Unable to init SDL: No available video device\n", "", {}, {}),
]


def ring_bmp(path, width=64, height=50):
    """A 24-bit BMP: a dark ring on white."""
    stride = (3 * width + 3) // 4 * 4
    rows = b""
    for y in reversed(range(height)):  # bottom row first
        row = b"".join(b"\x10\x10\x10" if 12 < math.hypot(x - 32, y - 25) < 18 else b"\xf0\xf0\xf0"
                       for x in range(width))
        rows += row + b"\0" * (stride - 3 * width)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


def prepare(folder):
    ring_bmp(os.path.join(folder, "ring.bmp"))
    os.mkdir(os.path.join(folder, "sub"))
    with open(os.path.join(folder, "pixels3.txt"), "wb") as f:
        f.write(SLOT_POINTS)
    for where in (folder, os.path.join(folder, "sub")):
        with open(os.path.join(where, "pixels2.txt"), "wb") as f:
            f.write(SLOT_POINTS)
        with open(os.path.join(where, "lines2.txt"), "wb") as f:
            f.write(SLOT_LINES)
    os.makedirs(os.path.join(folder, ".config", "tessary"))
    with open(os.path.join(folder, ".config", "user-dirs.dirs"), "w") as f:
        f.write('XDG_PICTURES_DIR="$HOME/Pictures"\n')
    with open(os.path.join(folder, ".config", "tessary", "machines.toml"), "w") as f:
        f.write("[gcode]\nfeed = 1200\n")
    with open(os.path.join(folder, "bad.toml"), "w") as f:
        f.write('[gcode]\npen_up = "M5"\n\npen_down = 3\n')


def run_case(binary, case):
    """The differences from what the case expects; empty when it passed."""
    arguments, status, out, err, files = case[:5]
    with tempfile.TemporaryDirectory() as temporary:
        folder = os.path.realpath(temporary)
        prepare(folder)
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY") and not k.startswith("XDG_")}
        env.update(SDL_VIDEODRIVER="no-such-driver", HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, ".config"))
        for name, value in (case[5] if len(case) > 5 else {}).items():
            if value is None:
                env.pop(name, None)
            else:
                env[name] = value
        run = subprocess.run([binary] + arguments, cwd=folder, env=env, capture_output=True, timeout=20)
        errors = []
        if run.returncode != status:
            errors.append("status %d, expected %d" % (run.returncode, status))
        for name, text, start in (("stdout", run.stdout, out), ("stderr", run.stderr, err)):
            start = start.replace("{here}", folder)
            if not text.decode().startswith(start) or (not start and text):
                errors.append("%s %r, expected it to start with %r" % (name, text.decode(), start))
        for name, held in files.items():
            path = os.path.join(folder, name)
            if held is None and os.path.exists(path):
                errors.append("%s written" % name)
            elif held is not None and not (os.path.exists(path) and held in open(path, "rb").read()):
                errors.append("%s missing or without %r" % (name, held))
        return errors


def hp2xx_complaints(binary, options):
    """What hp2xx says against the HP-GL of a picture with many lines and points."""
    with tempfile.TemporaryDirectory() as folder:
        for name, record, fields in (("pixels1.txt", "%d %d \n", 2), ("lines1.txt", "%d %d %d %d \n", 4)):
            with open(os.path.join(folder, name), "w") as f:
                f.writelines(record % tuple((i * (37 + k * 16)) % 200 for k in range(fields)) for i in range(100))
        subprocess.run([binary, "--render", "1", "--hpgl", "p.hpgl"] + options, cwd=folder, check=True, timeout=20,
                       env=dict(os.environ, XDG_CONFIG_HOME=folder))
        run = subprocess.run(["hp2xx", "-m", "png", "-f", "p.png", "p.hpgl"], cwd=folder, capture_output=True,
                             text=True, timeout=60)
        errors = [] if run.returncode == 0 and os.path.exists(os.path.join(folder, "p.png")) else ["no p.png"]
        return errors + ["no %r" % text for text in ("HPGL command(s) ignored: 0", "Unexpected event(s):  0")
                         if text not in run.stdout + run.stderr]


def main(binary):
    failed = 0
    for case in CASES:
        errors = run_case(os.path.abspath(binary), case)
        name = " ".join(case[0] + ["%s=%s" % item for item in (case[5] if len(case) > 5 else {}).items()])
        print("%s %s%s" % ("FAIL" if errors else "PASS", name, "".join(": " + e for e in errors)))
        failed += bool(errors)
    for options in ([], ["--paper", "a4", "--margin", "10"]) if shutil.which("hp2xx") else ():
        errors = hp2xx_complaints(os.path.abspath(binary), options)
        print("%s hp2xx reads the HP-GL %s%s" % ("FAIL" if errors else "PASS", " ".join(options),
                                                "".join(": " + e for e in errors)))
        failed += bool(errors)
    if not shutil.which("hp2xx"):
        print("SKIP hp2xx reads the HP-GL: hp2xx not found (scripts/install-deps.sh test installs it)")
    print("%d failed" % failed)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
