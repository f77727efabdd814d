"""idle_bench.py - what the editor costs in a real X server: when left alone,
per mouse-motion event and while an arrow is held, and the pace of that arrow.

Run by `make bench` after the frame benchmark, or by hand:

    python3 bench/idle_bench.py BUILD/tessary BUILD/bench/libpass_probe.so \
        [--compat DIR] [--repeat N] [--idle-seconds S]

It starts its own Xvfb through tests/e2e/harness.py and runs the editor there,
N fresh runs per SDL 1.2 library: the system's, then sdl12-compat when --compat
names a folder holding its libSDL-1.2.so.0. Every run preloads the probe
(bench/pass_probe.cpp), which counts passes and presented pixels, and measures:

- idle: processor time of the editor and of the X server over S seconds with
  nothing happening in point mode, as a share of one core, and how often the
  editor wakes: its voluntary context switches, every thread counted, per second;
- motion: processor time of the editor and of the X server per mouse-motion
  event, while the pointer crosses the view area in one-pixel steps, one event
  about every 2 ms;
- drag: a left drag at about 1,000 motions a second along a row of the
  costliest picture (512 lines across the canvas) at scale 3, as a share of
  one core (goal, judged on the median: under 3 % on SDL 1.2, under 10 % on
  sdl12-compat), and the points it placed (one per cell);
- held arrow: passes per second and processor time while Left is held at the
  left bound (every step clears and redraws the window), and the steps Right
  pans when held for one second from column 0, read from the panel (the pace
  calls for 1 + 0.75 * 60 = 46).

Processor time is utime + stime from /proc/PID/stat, in 10 ms ticks, so the
motion run sends enough events to gather many ticks. Figures are printed as the
minimum and the median over the runs; the machine may be shared, so the
minimum is the one to compare.
"""
import argparse
import mmap
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from harness import Editor, HarnessError, XServer, panel_values, wait_until  # noqa: E402

TICK = os.sysconf("SC_CLK_TCK")
SETTLE = 1.0             # seconds after start-up and between measures
MOTION_EVENTS = 1500
MOTION_GAP = "0.002"     # seconds between two pointer moves (xdotool sleep)
HOLD_SECONDS = 2.0       # Left held at the bound, counted after SETTLE / 2
PANS = 3                 # one-second holds of Right
DRAG_EVENTS = 3000
DRAG_GAP = "0.0008"      # about 1,000 motions a second with xdotool's own time
# The drag's goal per library: the editor's share of a core, at most.
DRAG_GOALS = {"SDL 1.2": 3.0, "sdl12-compat": 10.0}
DRAG_FIGURE = "drag: editor, % of a core"


def cpu_seconds(pid):
    """Processor time used so far by process `pid`, user and system."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    # fields[0] is field 3 of the file (state); utime and stime are fields 14 and 15.
    return (int(fields[11]) + int(fields[12])) / TICK


def wakeups(pid):
    """Voluntary context switches so far, summed over the threads of process `pid`:
    each is a sleep that something ended."""
    total = 0
    task = "/proc/%d/task" % pid
    for tid in os.listdir(task):
        try:
            with open(os.path.join(task, tid, "status")) as f:
                total += sum(int(line.split()[1]) for line in f if line.startswith("voluntary_ctxt_switches:"))
        except FileNotFoundError:
            pass  # the thread ended meanwhile
    return total


class Probe:
    """The counts that pass_probe.cpp keeps in /tmp/tessary-probe.PID."""
    HEADER = struct.Struct("<4Q")

    def __init__(self, pid):
        self.path = "/tmp/tessary-probe.%d" % pid
        size = self.HEADER.size
        wait_until(lambda: os.path.exists(self.path) and os.path.getsize(self.path) == size,
                   what="the probe's counts file")
        with open(self.path, "rb") as f:
            self.map = mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ)

    def close(self):
        self.map.close()
        os.unlink(self.path)

    def counts(self):
        """(passes, presents, pixels presented) so far."""
        return self.HEADER.unpack_from(self.map, 0)[:3]


class Run:
    """One run of the editor with the probe preloaded, in a scratch directory."""

    def __init__(self, binary, probe_library, server, library_dir):
        self.scratch = tempfile.mkdtemp(prefix="tessary-bench-")
        self.server = server
        self.editor = Editor(binary, server, self.scratch, self.scratch, os.path.join(self.scratch, "state"))
        self.editor.env["LD_PRELOAD"] = probe_library
        if library_dir:
            self.editor.env["LD_LIBRARY_PATH"] = library_dir
        self.probe = None

    def __enter__(self):
        self.editor.start()
        self.probe = Probe(self.editor.process.pid)
        self.editor.park_pointer()
        time.sleep(SETTLE)
        return self

    def __exit__(self, *_):
        self.editor.kill()
        if self.probe:
            self.probe.close()
        shutil.rmtree(self.scratch, ignore_errors=True)

    def cpu_during(self, action):
        """Runs action(); returns (editor seconds, X server seconds, wall seconds,
        probe counts before, probe counts after)."""
        pids = (self.editor.process.pid, self.server.process.pid)
        before = [cpu_seconds(p) for p in pids]
        counts = self.probe.counts()
        start = time.monotonic()
        action()
        wall = time.monotonic() - start
        after = [cpu_seconds(p) for p in pids]
        return after[0] - before[0], after[1] - before[1], wall, counts, self.probe.counts()

    def idle(self, seconds):
        woken = wakeups(self.editor.process.pid)
        editor, server, wall, before, after = self.cpu_during(lambda: time.sleep(seconds))
        woken = wakeups(self.editor.process.pid) - woken
        return {"idle: editor, % of a core": 100 * editor / wall,
                "idle: editor wake-ups per second": woken / wall,
                "idle: X server, % of a core": 100 * server / wall,
                "idle: passes per second": (after[0] - before[0]) / wall}

    def motion(self):
        ox, oy = self.editor.origin
        args = []
        for i in range(MOTION_EVENTS):
            # Back and forth across 200 columns of the view area: every move is
            # one pixel, so every one is a motion event and a new cursor cell.
            step = i % 398
            x = 20 + (step if step < 200 else 398 - step)
            args += ["mousemove", str(ox + x), str(oy + 100), "sleep", MOTION_GAP]

        def move():
            subprocess.run(["xdotool"] + args, env=self.editor.env, check=True, timeout=60)
            time.sleep(0.3)  # the last events reach the editor
        editor, server, wall, before, after = self.cpu_during(move)
        return {"motion: events per second": MOTION_EVENTS / wall,
                "motion: editor, ms per event": 1000 * editor / MOTION_EVENTS,
                "motion: X server, ms per event": 1000 * server / MOTION_EVENTS,
                "motion: passes per event": (after[0] - before[0]) / MOTION_EVENTS,
                "motion: pixels presented per event": (after[2] - before[2]) / MOTION_EVENTS}

    def drag(self):
        """A left drag at about 1,000 motions a second, back and forth along a
        row of the costliest picture (512 lines across the canvas) at scale 3:
        processor time as a share of one core, and the points it placed."""
        lines = b"".join(b"0 %d 255 %d \n" % ((i * 7) % 200, 199 - (i * 7) % 200) for i in range(512))
        with open(os.path.join(self.scratch, "lines1.txt"), "wb") as f:
            f.write(lines + b"\n")
        open(os.path.join(self.scratch, "pixels1.txt"), "wb").close()
        for key in ("l", "z", "z"):
            self.editor.press(key)
        time.sleep(SETTLE)
        ox, oy = self.editor.origin
        args = ["mousemove", str(ox + 1), str(oy + 301), "mousedown", "1"]
        for i in range(DRAG_EVENTS):
            step = i % 398
            cell = step if step < 200 else 398 - step
            args += ["mousemove", str(ox + 3 * cell + 1), str(oy + 301), "sleep", DRAG_GAP]

        def move():
            subprocess.run(["xdotool"] + args + ["mouseup", "1"], env=self.editor.env, check=True, timeout=60)
            time.sleep(0.3)
        editor, server, wall, before, after = self.cpu_during(move)
        points = int(panel_values(self.editor.screenshot())["No. Pixels"])
        self.editor.press("`")  # the picture cleared again for what follows
        return {"drag: motions per second": DRAG_EVENTS / wall,
                DRAG_FIGURE: 100 * editor / wall,
                "drag: X server, % of a core": 100 * server / wall,
                "drag: points placed (of 200 cells)": points}

    def held_at_bound(self):
        self.editor.key_down("Left")  # the view starts at column 0: Left moves nothing
        try:
            time.sleep(SETTLE / 2)
            editor, server, wall, before, after = self.cpu_during(lambda: time.sleep(HOLD_SECONDS))
        finally:
            self.editor.key_up("Left")
        time.sleep(SETTLE / 2)
        return {"held Left at the bound: passes per second": (after[0] - before[0]) / wall,
                "held Left at the bound: editor, % of a core": 100 * editor / wall,
                "held Left at the bound: X server, % of a core": 100 * server / wall}

    def x_start(self):
        return int(panel_values(self.editor.screenshot())["X_Start"])

    def paced_pan(self):
        """The mean of the steps Right pans when held for one second from column 0."""
        steps = []
        for _ in range(PANS):
            self.editor.press("8")
            time.sleep(0.2)
            start = self.x_start()
            self.editor.key_down("Right")
            time.sleep(1.0)
            self.editor.key_up("Right")
            time.sleep(0.3)
            steps.append(self.x_start() - start)
        return {"held Right 1 s: steps panned (pace: 46)": statistics.mean(steps)}

    def idle_unsaved(self, seconds):
        """Idle again with an unsaved picture, once its kept copy is written:
        the thread that writes it sleeps as well."""
        self.editor.press("8")  # the view back at the origin, where click_point clicks
        time.sleep(0.2)
        self.editor.click_point((60, 60))
        self.editor.park_pointer()
        time.sleep(SETTLE + 1.0)
        return {key.replace("idle:", "idle, picture unsaved:"): value for key, value in self.idle(seconds).items()}

    def measure(self, idle_seconds, only=None):
        if only:
            return getattr(self, only)()
        figures = self.idle(idle_seconds)
        figures.update(self.motion())
        time.sleep(SETTLE)
        figures.update(self.held_at_bound())
        figures.update(self.paced_pan())
        figures.update(self.idle_unsaved(idle_seconds))
        figures.update(self.drag())
        return figures


def measure_library(name, args, server, library_dir):
    runs = []
    for _ in range(args.repeat):
        with Run(args.binary, args.probe, server, library_dir) as run:
            runs.append(run.measure(args.idle_seconds, args.only))
    print("\n%s: %d runs, %g s idle each (min / median)" % (name, args.repeat, args.idle_seconds))
    for figure in runs[0]:
        values = [r[figure] for r in runs]
        goal = ""
        if figure == DRAG_FIGURE:
            met = statistics.median(values) < DRAG_GOALS[name]
            goal = "  goal < %g: %s" % (DRAG_GOALS[name], "met" if met else "NOT MET")
        print("  %-52s %10.3f %10.3f%s" % (figure, min(values), statistics.median(values), goal), flush=True)


def libraries_to_measure(compat):
    """(name, folder for LD_LIBRARY_PATH) of each SDL 1.2 library to run on:
    the system's, and sdl12-compat when `compat` holds it."""
    libraries = [("SDL 1.2", None)]
    if compat:
        if os.path.exists(os.path.join(compat, "libSDL-1.2.so.0")):
            libraries.append(("sdl12-compat", os.path.abspath(compat)))
        else:
            print("sdl12-compat: no libSDL-1.2.so.0 in %s, skipped" % compat)
    return libraries


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("binary")
    parser.add_argument("probe", help="the built pass_probe shared library")
    parser.add_argument("--compat", help="folder holding sdl12-compat's libSDL-1.2.so.0")
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--idle-seconds", type=float, default=10.0)
    parser.add_argument("--only", choices=["drag", "motion", "idle_unsaved"], help="one measure alone")
    args = parser.parse_args()
    args.binary, args.probe = os.path.abspath(args.binary), os.path.abspath(args.probe)

    libraries = libraries_to_measure(args.compat)
    server = XServer().start()
    try:
        for name, library_dir in libraries:
            measure_library(name, args, server, library_dir)
    except HarnessError as error:
        print("idle benchmark failed: %s" % error)
        return 1
    finally:
        server.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
