"""lag_bench.py - how long the screen takes to show where the pointer went, as
a user sees it: input through XTEST, the window read back with XGetImage on a
second X connection, about every 0.2 to 0.3 ms.

Run by `make bench` after idle_bench.py, or by hand:

    python3 bench/lag_bench.py BUILD/tessary [--compat DIR] [--repeat N]

It starts its own Xvfb through tests/e2e/harness.py and runs the editor there,
N fresh runs per SDL 1.2 library: the system's, then sdl12-compat when --compat
names a folder holding its libSDL-1.2.so.0. In each run the editor shows the
costliest picture (512 lines across the canvas) at scale 3 in point mode, and
the pointer moves along the top row of the view, one cell per motion, back
and forth, without a button held (the cursor shows on cells the picture leaves
empty, as that row's are):

- moving: a motion every 8 ms, then a motion every 1 ms; the lag of a motion
  is the time from sending it to the first read that shows the red cursor on
  its cell or on the cell of a later motion already sent (a frame may show the
  last of several motions only);
- isolated: single moves of one cell with 100 ms of stillness before each.

Each run gives the median and the 90th percentile of its lags; the figures
printed are the medians over the runs of those, with the smallest and largest
beside them, and the goals with whether they are met. The machine may be
shared: compare figures taken under the same load (printed with them).
"""
import argparse
import ctypes
import os
import random
import statistics
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from harness import Editor, HarnessError, XServer  # noqa: E402
from idle_bench import libraries_to_measure  # noqa: E402

SCALE = 3
# The pointer moves along cells 1 .. CELLS of canvas row 0, where the picture
# covers none of them: the cursor shows on cells no line covers.
ROW = 0
CELLS = 200
SETTLE = 1.0            # seconds after start-up and between measures
CURSOR = 0xFF0000       # the cursor's red as the window's 24-bit pixel
SEEN_TIMEOUT = 2.0      # seconds to wait for a motion to show
MOVING = ((0.008, 250), (0.001, 1000))  # seconds between motions, motions sent
ISOLATED_MOVES = 40
ISOLATED_PAUSE = 0.1

# Goals in ms: (median, 90th percentile) while moving; the median of an isolated move.
GOALS = {"SDL 1.2": {"moving": (8, 16), "isolated": 1},
         "sdl12-compat": {"moving": (16, 24), "isolated": 5}}

ZPIXMAP = 2
ALL_PLANES = ctypes.c_ulong(0xFFFFFFFF)


class XImageHead(ctypes.Structure):
    """The leading fields of Xlib's XImage: enough to find its pixels."""
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


def load_xlib():
    x11 = ctypes.CDLL("libX11.so.6")
    xtst = ctypes.CDLL("libXtst.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XGetImage.restype = ctypes.POINTER(XImageHead)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                              ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XDestroyImage.argtypes = [ctypes.POINTER(XImageHead)]
    xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
    return x11, xtst


class Screen:
    """Two connections to the X server: one sends pointer motions through
    XTEST, the other reads the pointer's row of the editor's window back."""

    def __init__(self, display, editor):
        self.x11, self.xtst = load_xlib()
        self.input = self.x11.XOpenDisplay(display.encode())
        self.output = self.x11.XOpenDisplay(display.encode())
        if not self.input or not self.output:
            raise HarnessError("cannot open display %s" % display)
        self.window = editor.window
        self.origin = editor.origin
        self.y = ROW * SCALE + SCALE // 2

    def close(self):
        self.x11.XCloseDisplay(self.input)
        self.x11.XCloseDisplay(self.output)

    def move_to(self, cell):
        """Sends a motion to the middle of `cell` of the row; returns when it left."""
        ox, oy = self.origin
        self.xtst.XTestFakeMotionEvent(self.input, 0, ox + cell * SCALE + SCALE // 2, oy + self.y, 0)
        self.x11.XFlush(self.input)
        return time.perf_counter()

    def cursor_cell(self):
        """(time, the cell the row shows the cursor on, or None): the time is the
        middle of the read's round trip."""
        before = time.perf_counter()
        image = self.x11.XGetImage(self.output, self.window, 0, self.y, (CELLS + 1) * SCALE, 1, ALL_PLANES, ZPIXMAP)
        after = time.perf_counter()
        if not image:
            raise HarnessError("XGetImage failed")
        head = image.contents
        row = (ctypes.c_uint32 * head.width).from_address(head.data)
        cell = None
        for x, pixel in enumerate(row):
            if pixel & 0xFFFFFF == CURSOR:
                cell = x // SCALE
                break
        self.x11.XDestroyImage(image)
        return (before + after) / 2, cell

    def wait_shown(self, cell, timeout=SEEN_TIMEOUT):
        """The time the row first shows the cursor on `cell`, or None."""
        deadline = time.perf_counter() + timeout
        while time.perf_counter() < deadline:
            when, shown = self.cursor_cell()
            if shown == cell:
                return when
        return None


def sweep(count):
    """The cells of `count` motions back and forth along the row, one cell apart."""
    period = 2 * (CELLS - 1)
    return [1 + (step if step < CELLS else period - step) for step in (i % period for i in range(count))]


def lags_of(cells, sent, reads):
    """The lag of each motion: from its sending to the first read showing its
    cell or that of a later motion sent by then. `reads` holds (time, cell)."""
    lags = [None] * len(cells)
    covered = -1   # motions up to this one have shown
    last_sent = -1
    for when, cell in reads:
        while last_sent + 1 < len(sent) and sent[last_sent + 1] <= when:
            last_sent += 1
        # The latest motion sent by then whose cell is shown; a sweep visits a
        # cell at most once, so looking back one sweep is enough.
        for j in range(last_sent, max(covered, last_sent - 2 * CELLS), -1):
            if cells[j] == cell:
                for i in range(covered + 1, j + 1):
                    lags[i] = when - sent[i]
                covered = j
                break
    return lags


def moving_lags(screen, gap, count):
    cells = sweep(count)
    screen.move_to(cells[0])
    screen.wait_shown(cells[0])
    time.sleep(0.2)
    sent, reads = [], []
    start = time.perf_counter()
    while len(sent) < count:
        if time.perf_counter() >= start + gap * len(sent):
            sent.append(screen.move_to(cells[len(sent)]))
        reads.append(screen.cursor_cell())
    deadline = time.perf_counter() + SEEN_TIMEOUT
    while time.perf_counter() < deadline and reads[-1][1] != cells[-1]:
        reads.append(screen.cursor_cell())
    # The first motion went to the cell shown already: it is not counted.
    lags = lags_of(cells, sent, reads)[1:]
    missing = sum(lag is None for lag in lags)
    if missing:
        raise HarnessError("%d of %d motions never showed" % (missing, len(lags)))
    return lags


def isolated_lags(screen):
    lags = []
    cell = CELLS // 2
    for i in range(ISOLATED_MOVES):
        time.sleep(ISOLATED_PAUSE * random.uniform(1.0, 1.5))  # off any beat of the editor's
        cell += 1 if i % 2 == 0 else -1
        sent = screen.move_to(cell)
        shown = screen.wait_shown(cell)
        if shown is None:
            raise HarnessError("an isolated move never showed")
        lags.append(shown - sent)
    return lags


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def costliest_picture(folder):
    lines = b"".join(b"0 %d 255 %d \n" % ((i * 7) % 200, 199 - (i * 7) % 200) for i in range(512))
    with open(os.path.join(folder, "lines1.txt"), "wb") as f:
        f.write(lines + b"\n")
    open(os.path.join(folder, "pixels1.txt"), "wb").close()


def measure_run(binary, server, library_dir):
    """The figures of one run of the editor, in ms: name -> value."""
    scratch = tempfile.mkdtemp(prefix="tessary-lag-")
    costliest_picture(scratch)
    editor = Editor(binary, server, scratch, scratch, os.path.join(scratch, "state"))
    if library_dir:
        editor.env["LD_LIBRARY_PATH"] = library_dir
    editor.start()
    screen = None
    try:
        for key in ("l", "z", "z"):  # load the picture, then scale 3
            editor.press(key)
        editor.wait_panel({"No. lines": "512", "Scale": str(SCALE)}, "the costliest picture at scale %d" % SCALE)
        time.sleep(SETTLE)
        screen = Screen(server.display, editor)
        figures = {}
        for gap, count in MOVING:
            lags = moving_lags(screen, gap, count)
            name = "moving every %g ms" % (gap * 1000)
            figures[name + ": median"] = 1000 * statistics.median(lags)
            figures[name + ": 90th percentile"] = 1000 * percentile(lags, 0.9)
            time.sleep(SETTLE / 2)
        lags = isolated_lags(screen)
        figures["isolated move: median"] = 1000 * statistics.median(lags)
        figures["isolated move: 90th percentile"] = 1000 * percentile(lags, 0.9)
        return figures
    finally:
        if screen:
            screen.close()
        editor.kill()


def goal_of(library, figure):
    """The goal for `figure` in ms, or None."""
    goals = GOALS[library]
    if figure.startswith("moving"):
        return goals["moving"][0 if figure.endswith("median") else 1]
    return goals["isolated"] if figure.endswith("median") else None


def report(library, runs):
    print("\n%s: lag from a motion to the screen, ms; %d runs (median of the runs [min - max]); "
          "load average %.1f" % (library, len(runs), os.getloadavg()[0]))
    met = True
    for figure in runs[0]:
        values = [run[figure] for run in runs]
        middle = statistics.median(values)
        goal = goal_of(library, figure)
        verdict = "" if goal is None else "goal <= %g: %s" % (goal, "met" if middle <= goal else "NOT MET")
        met = met and (goal is None or middle <= goal)
        print("  %-36s %7.2f  [%6.2f - %6.2f]  %s" % (figure, middle, min(values), max(values), verdict), flush=True)
    return met


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("binary")
    parser.add_argument("--compat", help="folder holding sdl12-compat's libSDL-1.2.so.0")
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()
    binary = os.path.abspath(args.binary)

    libraries = libraries_to_measure(args.compat)
    for library, library_dir in libraries:
        # A server of its own per library: SDL 1.2 does not take the keyboard's
        # focus, which an sdl12-compat window closed before may have left nowhere.
        server = XServer().start()
        try:
            report(library, [measure_run(binary, server, library_dir) for _ in range(args.repeat)])
        except HarnessError as error:
            print("lag benchmark failed: %s" % error)
            return 1
        finally:
            server.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
