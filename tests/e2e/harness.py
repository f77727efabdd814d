"""End-to-end harness: runs the real editor binary in a private X server.

Each test script creates one `XServer` (a fresh Xvfb on a free display), then
starts the editor once per case with `Editor`, in a fresh temporary working
directory where its slot files land. Input goes through XTEST with xdotool
(pointer events without --window, which SDL 1.2 would ignore); the screen is
read back with xwd and parsed here. A window close is sent as the
WM_DELETE_WINDOW client message over a minimal X protocol connection written
in this module, so nothing beyond Python's standard library and the Debian
packages xvfb, xdotool and x11-apps is needed.

Usage from a test script (run as `python3 test_X.py path/to/tessary`):

    from harness import check_equal, run_cases
    def case_something(ctx):                # ctx: a CaseContext
        ed = ctx.start_editor()             # a running Editor, first frame shown
        ed.click_point((10, 20))
        check_equal(ed.screenshot().pixel(10, 20), (88, 141, 67), "the point")
    sys.exit(run_cases([case_something], sys.argv[1]))

A tour of several stages through one run of the editor uses `run_stages`
instead: every stage gets the same context, and `ctx.editor()` is the editor
that an earlier stage started.

Every wait polls with a deadline; every path kills the editor and the server.
"""
import ctypes
import os
import re
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time
import traceback
import zlib

# The title of a fresh editor, in point mode; every title starts with the
# program's name, which is what the window is found by.
WINDOW_TITLE = "Tessary v.0.3 - slot 1 - points"
WINDOW_NAME_PATTERN = r"^Tessary v\.0\.3( |$)"
DEFAULT_TIMEOUT = 5.0
POLL_INTERVAL = 0.02
# How long a key or button stays down: long enough for several passes of the
# editor's loop to see it, since its commands read the key state, not events.
HOLD = 0.12
# Gap between two input events that must reach the editor's loop separately.
EVENT_GAP = 0.05

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (255, 0, 0)
DRAW_GREEN = (88, 141, 67)
OVERVIEW_ORIGIN = (317, 420)

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_SOURCE = os.path.join(HERE, "..", "..", "src", "gfx", "font.cpp")

PRINTABLE = "".join(chr(c) for c in range(32, 127))
PROMPT_LINE = (0, 620)
BACKGROUND_PROMPT = "Wpisz numer koloru dla tla: "
DRAWING_PROMPT = "Wpisz numer koloru dla pikseli: "
POINTS_PROMPT = "Export mode, enter pixels sort order( 0-x, 1-y): "
LINES_PROMPT = "Export mode, enter pixels sort order( 0-x1, 1-y1, 2-x2, 3-y2): "

# The seven rows of the band above the status panel from the top down; the
# band below it repeats them from the bottom up.
BAND_COLOURS = [(67, 57, 0), (104, 55, 43), (111, 79, 37), (154, 103, 89), (149, 149, 149),
                (184, 199, 111), (255, 255, 255)]


def overview(cell):
    """The window pixel of canvas cell `cell` in the overview."""
    return (OVERVIEW_ORIGIN[0] + cell[0], OVERVIEW_ORIGIN[1] + cell[1])


def view(cell, scale=1):
    """The window pixel at the middle of canvas cell `cell` in the view area,
    with the view at origin (0, 0)."""
    return (cell[0] * scale + scale // 2, cell[1] * scale + scale // 2)


def cells_show(shot, cells, colour, scale=1):
    """True when every cell of `cells` shows `colour` both in the view area at
    `scale` (view at origin 0, 0) and in the overview."""
    return all(shot.pixel(*view(c, scale)) == colour and shot.pixel(*overview(c)) == colour for c in cells)


def line_cells(start, end):
    """The cells of a line from `start` to `end`, both included, in the
    editor's Bresenham walk (a tie counts as x-major)."""
    (x, y), (x2, y2) = start, end
    dx, dy = abs(x2 - x), abs(y2 - y)
    sx = 1 if x2 >= x else -1
    sy = 1 if y2 >= y else -1
    if dx >= dy:
        major, minor, step_major, step_minor = dx, dy, (sx, 0), (0, sy)
    else:
        major, minor, step_major, step_minor = dy, dx, (0, sy), (sx, 0)
    cells, num = [], major // 2
    for _ in range(major + 1):
        cells.append((x, y))
        num += minor
        if num >= major:
            num -= major
            x, y = x + step_minor[0], y + step_minor[1]
        x, y = x + step_major[0], y + step_major[1]
    return cells


class HarnessError(Exception):
    """A wait timed out or the environment misbehaved."""


PROBE_OFFSETS = ((0, -2), (0, 2), (-2, 0), (2, 0), (-2, -2), (2, 2), (2, -2), (-2, 2))


def probe_beside(cell, occupied):
    """A cell two steps from `cell` that is on the canvas and not in
    `occupied`, for Editor.line_move; `occupied` holds every cell drawn so far
    and the cells of the rubber band that will end on `cell`."""
    for dx, dy in PROBE_OFFSETS:
        probe = (cell[0] + dx, cell[1] + dy)
        if 0 <= probe[0] < 256 and 0 <= probe[1] < 200 and probe not in occupied:
            return probe
    raise HarnessError("no free probe cell beside %s" % (cell,))


def _die_with_parent():
    """Runs in each child before exec: the kernel ends the child (Xvfb, the
    editor) if the test script dies, even by SIGKILL from a test timeout."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


# Set to a directory, the SDL 1.2 library that every editor run loads must lie
# there (the second run of the suite, on sdl12-compat, sets it).
EXPECTED_SDL_DIR = os.environ.get("TESSARY_E2E_SDL_DIR")
_sdl_libraries_seen = set()


def loaded_sdl_library(pid):
    """The real path of the SDL 1.2 library mapped into process `pid`."""
    with open("/proc/%d/maps" % pid) as maps:
        for line in maps:
            fields = line.split(None, 5)
            if len(fields) == 6 and "/libSDL-1.2.so" in fields[5]:
                return os.path.realpath(fields[5].strip())
    raise HarnessError("process %d has no SDL 1.2 library mapped" % pid)


def check_sdl_library(pid):
    """Names the SDL 1.2 library of process `pid` once per script, and fails
    unless it lies in EXPECTED_SDL_DIR, when that is set."""
    library = loaded_sdl_library(pid)
    if library not in _sdl_libraries_seen:
        _sdl_libraries_seen.add(library)
        print("SDL 1.2 library: %s" % library, flush=True)
    if EXPECTED_SDL_DIR and os.path.dirname(library) != os.path.realpath(EXPECTED_SDL_DIR):
        raise HarnessError("the editor loaded %s, not the SDL 1.2 in %s" % (library, EXPECTED_SDL_DIR))


def wait_until(predicate, timeout=DEFAULT_TIMEOUT, what="condition"):
    """Polls `predicate` until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise HarnessError("timed out waiting for " + what)
        time.sleep(POLL_INTERVAL)


# ---------------------------------------------------------------------------
# A minimal X11 protocol client (only what closing a window needs)
# ---------------------------------------------------------------------------

class XConnection:
    """Speaks just enough X11 over the server's Unix socket to intern atoms
    and send a ClientMessage, as a window manager's close button does."""

    OPCODE_INTERN_ATOM = 16
    OPCODE_SEND_EVENT = 25
    OPCODE_GET_INPUT_FOCUS = 43
    CLIENT_MESSAGE = 33

    def __init__(self, display_number, timeout=2.0):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.settimeout(timeout)
        try:
            self.sock.connect("/tmp/.X11-unix/X%d" % display_number)
            # Little-endian client, protocol 11.0, no authorisation.
            self.sock.sendall(struct.pack("<BxHHHHxx", 0x6C, 11, 0, 0, 0))
            head = self._read(8)
            extra = struct.unpack("<H", head[6:8])[0] * 4
            self._read(extra)
            if head[0] != 1:
                raise HarnessError("X server refused the connection")
        except Exception:
            self.sock.close()
            raise

    def close(self):
        self.sock.close()

    def _read(self, count):
        data = b""
        while len(data) < count:
            chunk = self.sock.recv(count - len(data))
            if not chunk:
                raise HarnessError("X connection closed")
            data += chunk
        return data

    def _reply(self):
        reply = self._read(32)
        if reply[0] == 0:
            raise HarnessError("X error code %d" % reply[1])
        extra = struct.unpack("<I", reply[4:8])[0] * 4
        return reply + self._read(extra)

    def intern_atom(self, name):
        raw = name.encode()
        padded = raw + b"\0" * (-len(raw) % 4)
        length = 2 + len(padded) // 4
        self.sock.sendall(struct.pack("<BBHHxx", self.OPCODE_INTERN_ATOM, 0, length, len(raw)) + padded)
        return struct.unpack("<I", self._reply()[8:12])[0]

    def send_delete_window(self, window):
        """Sends WM_PROTOCOLS / WM_DELETE_WINDOW to the client owning `window`."""
        protocols = self.intern_atom("WM_PROTOCOLS")
        delete = self.intern_atom("WM_DELETE_WINDOW")
        event = struct.pack("<BBHII5I", self.CLIENT_MESSAGE, 32, 0, window, protocols, delete, 0, 0, 0, 0)
        self.sock.sendall(struct.pack("<BBHII", self.OPCODE_SEND_EVENT, 0, 11, window, 0) + event)
        self.round_trip()

    def round_trip(self):
        """Waits until the server has handled every request sent so far."""
        self.sock.sendall(struct.pack("<BxH", self.OPCODE_GET_INPUT_FOCUS, 1))
        self._reply()


# ---------------------------------------------------------------------------
# The X server
# ---------------------------------------------------------------------------

def free_display_number():
    for number in range(90, 400):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number) and not os.path.exists("/tmp/.X%d-lock" % number):
            return number
    raise HarnessError("no free X display number")


class XServer:
    """A private Xvfb, 800 x 700 x 24, without a window manager."""

    def __init__(self):
        self.process = None
        self.number = None

    def start(self):
        for _ in range(5):  # another process may grab the same number meanwhile
            self.number = free_display_number()
            self.process = subprocess.Popen(
                # -noreset: the server would otherwise reset, refusing clients for
                # a moment, each time the editor (its last client) exits.
                ["Xvfb", ":%d" % self.number, "-screen", "0", "800x700x24", "-nolisten", "tcp", "-noreset"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, preexec_fn=_die_with_parent)
            try:
                wait_until(self._answers, timeout=10, what="Xvfb on :%d" % self.number)
                return self
            except HarnessError:
                self.stop()
        raise HarnessError("could not start Xvfb")

    def _answers(self):
        if self.process.poll() is not None:
            raise HarnessError("Xvfb exited with status %d" % self.process.returncode)
        try:
            XConnection(self.number, timeout=0.5).close()
            return True
        except (OSError, HarnessError):
            return False

    @property
    def display(self):
        return ":%d" % self.number

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process = None


# ---------------------------------------------------------------------------
# Screenshots
# ---------------------------------------------------------------------------

XWD_HEADER_FIELDS = 25


class Screenshot:
    """A parsed XWD dump of the root window; pixels are read in window
    coordinates, relative to the window's top-left corner."""

    def __init__(self, data, origin=(0, 0)):
        fields = struct.unpack(">%dI" % XWD_HEADER_FIELDS, data[:4 * XWD_HEADER_FIELDS])
        (header_size, _version, _format, _depth, self.width, self.height, _xoffset, byte_order,
         _unit, _bit_order, _pad, bits_per_pixel, self.bytes_per_line, _visual, red_mask,
         green_mask, blue_mask, _bits_per_rgb, _entries, ncolors) = fields[:20]
        self.pixels_start = header_size + ncolors * 12
        self.data = data
        # Lines may carry padding beyond width * bytes_per_pixel.
        self.bytes_per_pixel = bits_per_pixel // 8
        if self.bytes_per_pixel not in (3, 4):
            raise HarnessError("unsupported XWD pixel size %d" % self.bytes_per_pixel)
        self.byte_order = "little" if byte_order == 0 else "big"
        self.masks = (red_mask, green_mask, blue_mask)
        self.shifts = tuple((m & -m).bit_length() - 1 for m in self.masks)
        self.origin = origin

    def pixel(self, x, y):
        """(r, g, b) at window pixel (x, y)."""
        sx, sy = x + self.origin[0], y + self.origin[1]
        if not (0 <= sx < self.width and 0 <= sy < self.height):
            raise HarnessError("pixel (%d, %d) is off the screen" % (x, y))
        at = self.pixels_start + sy * self.bytes_per_line + sx * self.bytes_per_pixel
        value = int.from_bytes(self.data[at:at + self.bytes_per_pixel], self.byte_order)
        return tuple((value & m) >> s for m, s in zip(self.masks, self.shifts))

    def count(self, colour, x0, y0, x1, y1):
        """Number of pixels of `colour` in the rectangle from (x0, y0) to (x1, y1) inclusive."""
        return sum(1 for y in range(y0, y1 + 1) for x in range(x0, x1 + 1) if self.pixel(x, y) == colour)

    def rgb_bytes(self, width, height):
        """The window's top-left `width` x `height` pixels, row by row, three
        bytes (r, g, b) each."""
        return bytes(channel for y in range(height) for x in range(width) for channel in self.pixel(x, y))


def write_png(path, width, height, rgb, alpha=False):
    """Writes `rgb` (rows of r, g, b bytes, as Screenshot.rgb_bytes gives; with
    `alpha`, r, g, b, a) as an 8-bit truecolour PNG, with the standard library alone."""
    def chunk(kind, payload):
        crc = zlib.crc32(kind + payload) & 0xFFFFFFFF
        return struct.pack(">I", len(payload)) + kind + payload + struct.pack(">I", crc)
    stride = width * (4 if alpha else 3)
    # Each row starts with its filter type, 0: stored unfiltered.
    raw = b"".join(b"\0" + rgb[y * stride:(y + 1) * stride] for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


def _unfilter(kind, line, previous, step):
    """Undoes PNG filter `kind` on one row in place; `step` is bytes per pixel."""
    for i in range(len(line)):
        left = line[i - step] if i >= step else 0
        up = previous[i]
        up_left = previous[i - step] if i >= step else 0
        if kind == 1:
            line[i] = (line[i] + left) & 255
        elif kind == 2:
            line[i] = (line[i] + up) & 255
        elif kind == 3:
            line[i] = (line[i] + (left + up) // 2) & 255
        elif kind == 4:
            guess = left + up - up_left
            nearest = min((abs(guess - left), 0, left), (abs(guess - up), 1, up), (abs(guess - up_left), 2, up_left))
            line[i] = (line[i] + nearest[2]) & 255


def read_png(path):
    """Reads an 8-bit RGB or RGBA PNG without interlacing, as any encoder may
    filter it, with the standard library alone. Returns (width, height, rows),
    each row a list of (r, g, b); alpha is dropped."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise HarnessError("%s is not a PNG file" % path)
    at, compressed = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        payload = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", payload)
        elif kind == b"IDAT":
            compressed += payload
    if depth != 8 or colour_type not in (2, 6) or interlace:
        raise HarnessError("%s: unsupported PNG layout" % path)
    step = 3 if colour_type == 2 else 4
    raw, stride = zlib.decompress(compressed), width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        line = bytearray(raw[start + 1:start + 1 + stride])
        _unfilter(raw[start], line, previous, step)
        rows.append([tuple(line[x * step:x * step + 3]) for x in range(width)])
        previous = line
    return width, height, rows


# ---------------------------------------------------------------------------
# The built-in font, read from the layer's source to decode panel text
# ---------------------------------------------------------------------------

_GLYPH_LINE = re.compile(r"^\s*\{(\{[01,\s]*\}(?:,\s*\{[01,\s]*\}){7})\},?\s*//\s*(\d+)\s*$")


def load_font(path=FONT_SOURCE):
    """Maps each character code to its glyph: a tuple of 8 rows of 8 bools."""
    glyphs = {}
    with open(path) as source:
        for line in source:
            match = _GLYPH_LINE.match(line)
            if match:
                bits = [c == "1" for c in re.findall(r"[01]", match.group(1))]
                glyphs[int(match.group(2))] = tuple(tuple(bits[r * 8:r * 8 + 8]) for r in range(8))
    if len(glyphs) != 256:
        raise HarnessError("expected 256 glyphs in %s, found %d" % (path, len(glyphs)))
    return glyphs


_FONT = None


def read_text(shot, x, y, length, ink=WHITE, alphabet="0123456789- "):
    """Decodes `length` character cells at window pixel (x, y), ink on any other
    colour; a cell that matches no glyph of `alphabet` gives '?'."""
    global _FONT
    if _FONT is None:
        _FONT = load_font()
    wanted = {_FONT[ord(c)]: c for c in reversed(alphabet)}
    text = ""
    for k in range(length):
        cell = tuple(tuple(shot.pixel(x + 8 * k + u, y + v) == ink for u in range(8)) for v in range(8))
        text += wanted.get(cell, "?")
    return text


def read_number(shot, x, y, length=6):
    """The decimal number printed at (x, y), trailing blank cells dropped."""
    return read_text(shot, x, y, length).rstrip()


def prompt_text(shot, length):
    """The first `length` characters shown on the prompt line."""
    return read_text(shot, PROMPT_LINE[0], PROMPT_LINE[1], length, alphabet=PRINTABLE)


def prompt_ink(shot):
    """How many white pixels the prompt line holds left of the overview's view
    frame (x 0 to 315, where text shows on any background)."""
    return shot.count(WHITE, PROMPT_LINE[0], PROMPT_LINE[1], 315, PROMPT_LINE[1] + 7)


# Where each labelled value of the status panel stands: (x, y) of its first
# character cell.
PANEL_VALUES = {
    "X": (24, 413), "Y": (24, 429), "Scale": (56, 445), "X_Start": (72, 461), "Y_Start": (72, 477),
    "Max_X": (56, 493), "Max_Y": (56, 509), "No. Pixels": (94, 525), "L. Phase": (80, 541),
    "No. lines": (88, 557), "Separate": (80, 573), "Lines on pixel": (128, 589),
    "Used picture slot": (152, 605),
}


def panel_values(shot):
    """Every labelled value of the status panel, by name, as the text shown."""
    return {name: read_number(shot, x, y) for name, (x, y) in PANEL_VALUES.items()}


# ---------------------------------------------------------------------------
# The editor under test
# ---------------------------------------------------------------------------

class Editor:
    """One run of the editor binary inside `server`, in working directory `workdir`,
    under the command `wrapper` when one is given (strace, say); `pid` is the
    editor's own process either way."""

    def __init__(self, binary, server, workdir, logdir, state_home, wrapper=(), args=()):
        self.binary = binary
        self.wrapper = list(wrapper)
        self.args = list(args)
        self.server = server
        self.workdir = workdir
        # Kept pictures go to the case's own state folder, never the user's.
        self.env = dict(os.environ, DISPLAY=server.display, XDG_STATE_HOME=state_home)
        self.env.pop("SDL_VIDEODRIVER", None)
        self.stdout_path = os.path.join(logdir, "stdout")
        self.stderr_path = os.path.join(logdir, "stderr")
        self.process = None
        self.pid = None
        self.window = None
        self.origin = (0, 0)
        self.size = None

    # -- life cycle ---------------------------------------------------------

    def start(self, wait_frame=True):
        with open(self.stdout_path, "wb") as out, open(self.stderr_path, "wb") as err:
            self.process = subprocess.Popen(self.wrapper + [self.binary] + self.args, cwd=self.workdir, env=self.env,
                                            stdout=out, stderr=err, stdin=subprocess.DEVNULL,
                                            preexec_fn=_die_with_parent)
        # Only a mapped window has its final place: the original SDL 1.2 opens
        # it at the top left, sdl12-compat centred on the screen. Pointer
        # positions and screenshot pixels are offset by that place.
        self.window = int(self._xdotool(["search", "--sync", "--onlyvisible", "--name",
                                         WINDOW_NAME_PATTERN], timeout=10).split()[0])
        self.pid = self._editor_pid()
        check_sdl_library(self.pid)
        geometry = self._xdotool(["getwindowgeometry", str(self.window)])
        position = re.search(r"Position:\s*(-?\d+),(-?\d+)", geometry)
        size = re.search(r"Geometry:\s*(\d+)x(\d+)", geometry)
        self.origin = (int(position.group(1)), int(position.group(2)))
        self.size = (int(size.group(1)), int(size.group(2)))
        if wait_frame:
            # The overview's red view frame is drawn on every pass, so it shows
            # once the loop has presented its first frame.
            self.wait_pixel(316, 419, RED, what="the first frame")
        return self

    def _editor_pid(self):
        """The editor's process: the one started, or the wrapper's child."""
        pid = self.process.pid
        if not self.wrapper:
            return pid
        with open("/proc/%d/task/%d/children" % (pid, pid)) as children:
            return int(children.read().split()[0])

    def title(self):
        return self._xdotool(["getwindowname", str(self.window)]).rstrip("\n")

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        """The exit status, once the process has ended."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError("the editor did not exit")

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def stdout(self):
        with open(self.stdout_path, "rb") as f:
            return f.read().decode(errors="replace")

    def stderr(self):
        with open(self.stderr_path, "rb") as f:
            return f.read().decode(errors="replace")

    def window_exists(self):
        result = subprocess.run(["xdotool", "search", "--name", WINDOW_NAME_PATTERN],
                                env=self.env, capture_output=True, text=True, timeout=10)
        return result.stdout.strip() != ""

    def close_window(self):
        """Asks the window to close, as a window manager's close button does."""
        connection = XConnection(self.server.number)
        try:
            connection.send_delete_window(self.window)
        finally:
            connection.close()

    def destroy_window(self):
        """Destroys the window from another program, as `xdotool windowclose` does."""
        self._xdotool(["windowclose", str(self.window)])

    # -- input --------------------------------------------------------------

    def _xdotool(self, args, timeout=DEFAULT_TIMEOUT):
        try:
            result = subprocess.run(["xdotool"] + args, env=self.env, capture_output=True, text=True,
                                    timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError("xdotool %s timed out" % " ".join(args))
        if result.returncode != 0:
            raise HarnessError("xdotool %s failed: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout

    def move(self, x, y):
        """Moves the pointer to window pixel (x, y)."""
        self._xdotool(["mousemove", str(self.origin[0] + x), str(self.origin[1] + y)])

    def move_burst(self, points):
        """Moves the pointer through window pixels `points` in one go, so that
        several motion events are queued at once."""
        args = []
        for x, y in points:
            args += ["mousemove", str(self.origin[0] + x), str(self.origin[1] + y)]
        self._xdotool(args)

    def button_down(self, button=1):
        self._xdotool(["mousedown", str(button)])

    def button_up(self, button=1):
        self._xdotool(["mouseup", str(button)])

    def click(self, button=1):
        """One click as xdotool makes it: the press and the release sent back
        to back, without a hold."""
        self._xdotool(["click", str(button)])

    def taps(self, key, count):
        """`count` presses of `key` in one xdotool command, each let go at once."""
        self._xdotool(["key"] + [key] * count)

    def key_down(self, key):
        self._xdotool(["keydown", key])

    def key_up(self, key):
        self._xdotool(["keyup", key])

    def press(self, key):
        """Presses and releases one key, held long enough for the loop to see it."""
        self.key_down(key)
        time.sleep(HOLD)
        self.key_up(key)
        time.sleep(EVENT_GAP)

    def quit_with_escape(self):
        """Holds Escape while the pointer makes motions queued at once. The loop
        test ends the editor when it takes an event while Escape is down."""
        self.key_down("Escape")
        try:
            time.sleep(EVENT_GAP)
            self.move_burst([(100, 100), (101, 100), (102, 100)])
            time.sleep(EVENT_GAP)
        finally:
            self.key_up("Escape")

    def type_keys(self, *keys):
        for key in keys:
            self.press(key)

    def answer_prompt(self, message, *keys):
        """Waits for the prompt `message` on the prompt line, types `keys`,
        waits for their echo after the message, then presses Return."""
        self.wait_for(lambda s: prompt_text(s, len(message)) == message, what="the prompt %r" % message)
        self.type_keys(*keys)
        echo = "".join(keys)
        self.wait_for(lambda s: read_text(s, PROMPT_LINE[0] + 8 * len(message), PROMPT_LINE[1], len(echo)) == echo,
                      what="the echo %r" % echo)
        self.press("Return")

    # -- screen -------------------------------------------------------------

    def screenshot(self):
        result = subprocess.run(["xwd", "-root", "-silent"], env=self.env, capture_output=True,
                                timeout=DEFAULT_TIMEOUT)
        if result.returncode != 0:
            raise HarnessError("xwd failed: %s" % result.stderr.decode(errors="replace"))
        return Screenshot(result.stdout, self.origin)

    def wait_for(self, predicate, timeout=DEFAULT_TIMEOUT, what="the screen"):
        """Polls screenshots until predicate(shot) holds; returns that shot."""
        def attempt():
            if self.process.poll() is not None:
                raise HarnessError("the editor exited with status %d while waiting for %s"
                                   % (self.process.returncode, what))
            shot = self.screenshot()
            return shot if predicate(shot) else None
        return wait_until(attempt, timeout, what)

    def wait_pixel(self, x, y, colour, timeout=DEFAULT_TIMEOUT, what=None):
        return self.wait_for(lambda s: s.pixel(x, y) == colour, timeout,
                             what or "pixel (%d, %d) to become %s" % (x, y, colour))

    def wait_panel(self, expected, what, timeout=DEFAULT_TIMEOUT):
        """Waits until every panel value named in `expected` reads as given
        (texts, as panel_values returns them); returns that shot. A timeout
        names the values that differ."""
        last = {}

        def matches(shot):
            last.update(panel_values(shot))
            return all(last[name] == value for name, value in expected.items())
        try:
            return self.wait_for(matches, timeout, what)
        except HarnessError:
            wrong = {n: last.get(n) for n, v in expected.items() if last.get(n) != v}
            raise HarnessError("%s: panel shows %s, expected %s" % (what, wrong, {n: expected[n] for n in wrong}))

    # -- editing in point mode ---------------------------------------------

    def click_point(self, cell, scale=1, button=1):
        """Point mode: holds `button` on canvas cell `cell` (view at origin 0, 0)
        until the overview shows the point placed (left) or erased (right),
        then releases it. The pointer stays on the cell, whose red cursor
        hides it in the view area until the pointer moves on."""
        in_overview = overview(cell)
        placed = button == 1
        self.move(*view(cell, scale))
        self.button_down(button)
        try:
            self.wait_for(lambda s: (s.pixel(*in_overview) != BLACK) == placed,
                          what="the overview to show the edit at cell %s" % (cell,))
        finally:
            self.button_up(button)
        time.sleep(EVENT_GAP)

    def place_points(self, *cells):
        """Point mode: places a point at each cell in turn, then parks the
        pointer and waits until the view shows the last one."""
        for cell in cells:
            self.click_point(cell)
        self.park_pointer()
        self.wait_pixel(*cells[-1], DRAW_GREEN, what="the point at %s" % (cells[-1],))

    def park_pointer(self, x=630, y=390):
        """Moves the pointer to a spot whose cursor cell hides nothing under test."""
        self.move(x, y)
        time.sleep(EVENT_GAP)

    # -- editing in line mode -----------------------------------------------
    # Every event reaches its own pass, which sees the pointer as of that event
    # and presents at once. To be sure that the pass holding the cursor cell
    # wanted has run, the pointer is moved to a probe cell first, which must
    # show up (cursor or rubber band) on the black background, then to the
    # target, which must clear the probe again.

    def line_move(self, target, probe, scale=1, attempts=4):
        """Line mode: leaves the loop with `target` as its cursor cell.
        `probe` is a cell next to it that holds nothing and that the rubber
        band, if any, does not cross."""
        shows_probe = lambda s: s.pixel(*view(probe, scale)) != BLACK
        for _ in range(attempts):
            self.move(*view(probe, scale))
            try:
                self.wait_for(shows_probe, timeout=1.0, what="the probe cell %s" % (probe,))
                self.move(*view(target, scale))
                self.wait_for(lambda s: not shows_probe(s), timeout=1.0, what="the cursor to leave the probe")
                return
            except HarnessError:
                continue
        raise HarnessError("could not bring the cursor to %s" % (target,))

    def line_click(self, probe, scale=1, button=1):
        """Line mode, after line_move: one click, press and release in their
        own passes. `probe` is kept for the callers; the click needs no wait."""
        self.button_down(button)
        time.sleep(EVENT_GAP)
        self.button_up(button)
        time.sleep(EVENT_GAP)

    def enter_line(self, start, end, start_probe, end_probe, scale=1):
        """Line mode, with no line in progress: stores the line from `start`
        to `end` by two clicks, each after line_move with its probe."""
        self.line_move(start, start_probe, scale)
        self.line_click(start_probe, scale)
        self.line_move(end, end_probe, scale)
        self.line_click(end_probe, scale)


# ---------------------------------------------------------------------------
# Running cases
# ---------------------------------------------------------------------------

class CaseFailure(Exception):
    pass


def check(condition, message):
    """Fails the current case with `message` unless `condition` holds."""
    if not condition:
        raise CaseFailure(message)


def check_equal(actual, expected, what):
    if actual != expected:
        raise CaseFailure("%s: expected %r, got %r" % (what, expected, actual))


def check_cells(shot, cells, colour, where, to_pixel=lambda c: c):
    """Fails unless every cell of `cells`, mapped to a window pixel by
    `to_pixel`, shows `colour`; the message names the first wrong ones."""
    wrong = [c for c in cells if shot.pixel(*to_pixel(c)) != colour]
    check(not wrong, "%d of %d cells are not %s in the %s, first %s"
          % (len(wrong), len(cells), colour, where, wrong[:3]))


def check_bands(shot, columns):
    """Fails unless both bands around the status panel show their colours in
    every window column of `columns`."""
    for k, colour in enumerate(BAND_COLOURS):
        for x in columns:
            check_equal(shot.pixel(x, 401 + k), colour, "top band row %d" % (401 + k))
            check_equal(shot.pixel(x, 636 - k), colour, "bottom band row %d" % (636 - k))


def run_cases(cases, binary):
    """Runs each case as case(context) with a fresh temporary working directory;
    prints one line per case and a closing "N passed, M failed". Returns the
    exit status for the script: 0 when every case passed."""
    def run_all(binary, server):
        results = []
        for case in cases:
            context = CaseContext.fresh(binary, server)
            try:
                results.append(_attempt(case, context))
            finally:
                context.discard()
        return results
    return _run_script(binary, run_all)


def run_stages(stages, binary):
    """Runs each stage as stage(context) in order, all with one context and so
    with one working directory and whatever editor an earlier stage started.
    A stage that fails leaves the editor in an unknown state, so the stages
    after it are not run and count as failed. Prints one line per stage and
    the closing "N passed, M failed"; returns the script's exit status."""
    def run_all(binary, server):
        results = []
        context = CaseContext.fresh(binary, server)
        try:
            for stage in stages:
                if all(results):
                    results.append(_attempt(stage, context))
                else:
                    print("SKIP %s: an earlier stage failed" % stage.__name__, flush=True)
                    results.append(False)
        finally:
            context.discard()
        return results
    return _run_script(binary, run_all)


def _run_script(binary, run_all):
    """Starts the X server, calls run_all(binary, server) for a list of
    results (True for each case that passed), stops the server and prints the
    closing "N passed, M failed". Returns the script's exit status."""
    binary = os.path.abspath(binary)
    # A terminated script still runs its clean-up.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    server = XServer().start()
    try:
        results = run_all(binary, server)
    finally:
        server.stop()
    passed = results.count(True)
    failed = len(results) - passed
    print("%d passed, %d failed" % (passed, failed), flush=True)
    return 0 if failed == 0 else 1


def _attempt(case, context):
    """Runs case(context); prints PASS or FAIL with the reason, and the
    editor's output on a failure. True when it passed."""
    name = case.__name__
    try:
        case(context)
        print("PASS %s" % name, flush=True)
        return True
    except (CaseFailure, HarnessError, OSError, subprocess.SubprocessError) as error:
        print("FAIL %s: %s" % (name, error), flush=True)
    except Exception:
        print("FAIL %s: unexpected error" % name, flush=True)
        traceback.print_exc(file=sys.stdout)
    context.report()
    return False


class CaseContext:
    """What a case gets: the binary, the X server and its working directory;
    `start_editor` runs the editor there and it is killed after the case."""

    def __init__(self, binary, server, workdir, scratch):
        self.binary = binary
        self.server = server
        self.workdir = workdir
        self.scratch = scratch
        self.editors = []

    @classmethod
    def fresh(cls, binary, server):
        """A context with a new, empty working directory in a scratch directory
        of its own; `discard` removes both."""
        scratch = tempfile.mkdtemp(prefix="tessary-e2e-")
        workdir = os.path.join(scratch, "work")
        os.mkdir(workdir)
        return cls(binary, server, workdir, scratch)

    def discard(self):
        """Kills the editors and removes the scratch directory."""
        self.stop()
        shutil.rmtree(self.scratch, ignore_errors=True)

    def editor(self):
        """The editor started last in this context."""
        if not self.editors:
            raise HarnessError("no editor has been started")
        return self.editors[-1]

    def start_editor(self, wait_frame=True, wrapper=(), args=()):
        logdir = os.path.join(self.scratch, "run%d" % len(self.editors))
        os.mkdir(logdir)
        editor = Editor(self.binary, self.server, self.workdir, logdir, self.state_home(), wrapper, args)
        self.editors.append(editor)
        return editor.start(wait_frame)

    def path(self, name):
        return os.path.join(self.workdir, name)

    def state_home(self):
        """The XDG_STATE_HOME of every editor of this context, in its scratch directory."""
        return os.path.join(self.scratch, "state")

    def read_file(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def write_file(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)

    def wait_file(self, name, expected, timeout=DEFAULT_TIMEOUT):
        """Waits until file `name` holds exactly the bytes `expected`."""
        def holds():
            try:
                return self.read_file(name) == expected
            except OSError:
                return False
        try:
            wait_until(holds, timeout, name)
        except HarnessError:
            if not os.path.isfile(self.path(name)):
                raise CaseFailure("%s was not written" % name)
            raise CaseFailure("contents of %s: expected %r, got %r" % (name, expected, self.read_file(name)))

    def report(self):
        for editor in self.editors:
            if editor.process is not None and os.path.exists(editor.stdout_path):
                for label, text in (("stdout", editor.stdout()), ("stderr", editor.stderr())):
                    if text.strip():
                        print("  editor %s: %s" % (label, text.strip()[:500]), flush=True)

    def stop(self):
        for editor in self.editors:
            editor.kill()
