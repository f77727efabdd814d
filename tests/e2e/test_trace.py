"""End-to-end: an image to trace over, named by --trace, under the picture in
the view and the overview; it never reaches a saved or exported file, comes
back at the next start in the folder, and key t and Shift+T choose, hide and
show it.

Run: python3 tests/e2e/test_trace.py path/to/tessary
With TESSARY_TRACE_SCREENSHOT=path/to/file.png set, the window with the
traced octagon at zoom 2 is written there; that is how docs/tracing.png is made.
"""
import math
import os
import subprocess
import sys

from harness import (BLACK, DRAW_GREEN, LINES_PROMPT, POINTS_PROMPT, PRINTABLE, PROMPT_LINE, RED, check, check_equal,
                     overview, prompt_text, read_png, read_text, run_cases, view, wait_until, write_png)

TRACE_PROMPT = "Image to trace (PNG or BMP): "

SUN = (240, 170, 40)
HALF_SUN = (120, 85, 20)  # halfway to the black background
CENTRE, RADIUS = (128, 100), 60  # in cells: the image is 128 x 100, shown at twice its size
SUN_CELLS = [CENTRE, (100, 90), (150, 130)]
# An octagon round the sun, each corner with a probe cell further out.
CORNERS = [(round(128 + 72 * math.cos(k * math.pi / 4)), round(100 + 72 * math.sin(k * math.pi / 4)))
           for k in range(8)]
PROBES = [(x + (x > 128) - (x < 128), y + 3 * ((y > 100) - (y < 100)) or y + 3) for x, y in CORNERS]
POINTS = [(20, 20), (235, 180)]


def sun_png(path):
    """A 128 x 100 PNG: an opaque disc on fully transparent pixels."""
    inside = lambda x, y: (x + 0.5 - 64) ** 2 + (y + 0.5 - 50) ** 2 < 30 ** 2
    pixels = b"".join(bytes(SUN + (255,) if inside(x, y) else 4) for y in range(100) for x in range(128))
    write_png(path, 128, 100, pixels, alpha=True)


def shows_sun(shot, scale=1, colour=HALF_SUN):
    return all(shot.pixel(*view(c, scale)) == colour and shot.pixel(*overview(c)) == colour for c in SUN_CELLS)


def draw_octagon_and_points(ed):
    for cell in POINTS:
        ed.click_point(cell)
    ed.press("w")
    for k in range(9):  # a click on each corner ends one line, another starts the next
        ed.line_move(CORNERS[k % 8], PROBES[k % 8])
        ed.line_click(PROBES[k % 8])
        if 0 < k < 8:
            ed.line_click(PROBES[k % 8])
    ed.press("q")


def open_prompt(ed):
    ed.press("t")
    ed.wait_for(lambda s: prompt_text(s, len(TRACE_PROMPT)) == TRACE_PROMPT, what="the prompt")


def choose_image(ed, name):
    """Key t, then `name` (letters and dots) typed and Return."""
    open_prompt(ed)
    ed.type_keys(*["period" if c == "." else c for c in name])
    full = TRACE_PROMPT + name
    ed.wait_for(lambda s: prompt_text(s, len(full)) == full, what="the echo of %r" % name)
    ed.press("Return")


def check_files_hold_no_image(ctx):
    for name in sorted(set(os.listdir(ctx.workdir)) - {"sun.png"}):
        data = ctx.read_file(name)
        check(b"sun" not in data, "%s names the traced image" % name)
        if name.endswith(".png"):
            _, _, rows = read_png(ctx.path(name))
            colours = {pixel for row in rows for pixel in row}
            check(colours <= {BLACK, DRAW_GREEN}, "%s holds colours of the image: %s" % (name, colours))


def case_traced_image_stays_out_of_the_files(ctx):
    sun_png(ctx.path("sun.png"))
    ed = ctx.start_editor(args=["--trace", "sun.png"])
    ed.wait_for(shows_sun, what="the traced sun in the view and the overview")
    # The cursor, moved off a cell of the image, leaves the image's colour there.
    ed.move(*view(CENTRE))
    ed.wait_pixel(*view(CENTRE), RED, what="the cursor on the sun")
    ed.park_pointer()
    ed.wait_pixel(*view(CENTRE), HALF_SUN, what="the sun under the cursor's old cell")
    draw_octagon_and_points(ed)
    ed.park_pointer()
    ed.press("z")  # zoom 2 repaints the image under the picture
    ed.wait_for(lambda s: shows_sun(s, 2) and s.pixel(*view(CORNERS[0], 2)) == DRAW_GREEN, what="the sun at zoom 2")
    if os.environ.get("TESSARY_TRACE_SCREENSHOT"):
        shot = ed.screenshot()
        write_png(os.environ["TESSARY_TRACE_SCREENSHOT"], 640, 640, shot.rgb_bytes(640, 640))

    ed.press("s")
    ctx.wait_file("pixels1.txt", b"20 20 \n235 180 \n")
    ed.press("r")
    ed.answer_prompt(POINTS_PROMPT, "0")
    ed.answer_prompt(LINES_PROMPT, "0")
    ed.press("e")
    wait_until(lambda: all(os.path.exists(ctx.path(n)) for n in ("elines1.txt", "picture1.png", "picture1.svg")),
               what="the exported files")
    check_files_hold_no_image(ctx)

    # The next start in the folder shows the image again.
    ed.quit_with_escape()
    check_equal(ed.wait_exit(), 0, "exit status")
    ed = ctx.start_editor()
    ed.wait_for(shows_sun, what="the remembered sun")


def case_t_and_shift_t_choose_hide_and_show(ctx):
    sun_png(ctx.path("sun.png"))
    ed = ctx.start_editor()
    choose_image(ed, "sun.png")
    ed.wait_for(shows_sun, what="the chosen sun")
    open_prompt(ed)
    ed.press("Escape")  # leaves the prompt, not the editor
    choose_image(ed, "x.png")
    ed.wait_for(lambda s: prompt_text(s, 40).rstrip() == "Cannot trace x.png: No such file", what="the failure")
    check("Cannot trace %s: No such file or directory" % ctx.path("x.png") in ed.stderr(),
          "standard error: %r" % ed.stderr())
    check(shows_sun(ed.screenshot()), "the sun after the failed choice")
    open_prompt(ed)
    ed.press("Return")  # an empty answer hides the image
    ed.wait_for(lambda s: shows_sun(s, colour=BLACK), what="the hidden sun")
    ed.key_down("Shift_L")
    ed.press("t")
    ed.key_up("Shift_L")
    ed.wait_for(shows_sun, what="the sun shown again")


def keyboard_layout(ctx, layout):
    subprocess.run(["setxkbmap", "-display", ":%d" % ctx.server.number, layout], check=True, timeout=30)


def case_the_prompt_takes_any_character(ctx):
    """A German keyboard types ß (the font's 225, code page 437's) and, with
    AltGr, ø, which the font lacks: it shows as ? but stays in the path."""
    sun_png(ctx.path("Straßeø.png"))
    keyboard_layout(ctx, "de")  # before the editor starts, so that SDL knows the keys from the start
    try:
        ed = ctx.start_editor()
        open_prompt(ed)
        ed.type_keys("S", "t", "r", "a", "ssharp", "e", "oslash", "period", "p", "n", "g")
        shown = TRACE_PROMPT + "Stra\xe1e?.png"
        alphabet = PRINTABLE + "\xe1"
        ed.wait_for(lambda s: read_text(s, PROMPT_LINE[0], PROMPT_LINE[1], len(shown), alphabet=alphabet) == shown,
                    what="the echo of Straßeø.png")
        ed.press("Return")
        ed.wait_for(shows_sun, what="the sun read from Straßeø.png")
        said = "Tracing Stra\xe1e?.png (128 x 100)"
        ed.wait_for(lambda s: read_text(s, PROMPT_LINE[0], PROMPT_LINE[1], len(said), alphabet=alphabet) == said,
                    what="the news naming Straßeø.png")
    finally:
        keyboard_layout(ctx, "us")


if __name__ == "__main__":
    sys.exit(run_cases([case_traced_image_stays_out_of_the_files, case_t_and_shift_t_choose_hide_and_show,
                        case_the_prompt_takes_any_character], sys.argv[1]))
