"""End-to-end: key i turns the image traced over into the outlines of its
dark parts, added as one undo step and told on the prompt line.

Run: python3 tests/e2e/test_vectorize.py path/to/tessary
With TESSARY_VECTORIZE_SCREENSHOT=path/to/file.png set, the window with the
outlines found round a traced badge at zoom 2 is written there; that is how
docs/vectorize.png is made (with the image hidden, so that the lines show).
"""
import math
import os
import re
import sys

from harness import DRAW_GREEN, check, check_equal, prompt_text, run_cases, view, wait_until, write_png

CENTRE = (128, 100)
# A dark disc with a white five-pointed star cut out of it, and a ring round it.
DISC, STAR, RING = 70, 50, (82, 88)
INK, PAPER = (30, 30, 40), (250, 250, 240)
SHOWN_PAPER = (125, 125, 120)  # the image is shown halfway to the black background


def in_star(x, y):
    """Inside the star of radius STAR, pointing up, about CENTRE (in cells)."""
    angle = math.atan2(y - CENTRE[1], x - CENTRE[0]) + math.pi / 2
    sector = ((angle + math.pi / 5) % (2 * math.pi / 5)) - math.pi / 5  # -36..36 degrees from a point
    inner = STAR * math.sin(math.radians(18)) / math.sin(math.radians(126))
    # The edge between a point and the next inner corner, in polar form.
    reach = STAR * inner * math.sin(math.radians(144)) / (
        STAR * math.sin(abs(sector)) + inner * math.sin(math.radians(144) - abs(sector)))
    return math.hypot(x - CENTRE[0], y - CENTRE[1]) < reach


def badge_png(path):
    """A 512 x 400 PNG, two pixels to a cell: the disc with the star cut out, and the ring."""
    rows = []
    for py in range(400):
        for px in range(512):
            x, y = (px + 0.5) / 2, (py + 0.5) / 2
            r = math.hypot(x - CENTRE[0], y - CENTRE[1])
            ink = (r < DISC and not in_star(x, y)) or RING[0] < r < RING[1]
            rows.append(bytes(INK if ink else PAPER))
    write_png(path, 512, 400, b"".join(rows))


def drawn_near(shot, cell, scale=2, reach=1):
    """The drawing colour within `reach` cells of `cell` in the view."""
    return any(shot.pixel(*view((cell[0] + dx, cell[1] + dy), scale)) == DRAW_GREEN
               for dx in range(-reach, reach + 1) for dy in range(-reach, reach + 1))


def on_circle(radius, degrees):
    return (round(CENTRE[0] + radius * math.cos(math.radians(degrees))),
            round(CENTRE[1] + radius * math.sin(math.radians(degrees))))


def added(shot):
    """The count of lines the prompt line says were added, or None."""
    found = re.match(r"Added (\d+) lines from the image *$", prompt_text(shot, 40))
    return int(found.group(1)) if found else None


def case_i_adds_outlines_as_one_step(ctx):
    badge_png(ctx.path("badge.png"))
    ed = ctx.start_editor(args=["--trace", "badge.png"])
    ed.wait_for(lambda s: s.pixel(*view(CENTRE)) == SHOWN_PAPER, what="the traced badge")
    ed.park_pointer()
    ed.press("z")
    ed.wait_for(lambda s: s.pixel(*view(CENTRE, 2)) == SHOWN_PAPER, what="the badge at zoom 2")
    ed.press("i")
    shot = ed.wait_for(lambda s: added(s) is not None, what="the report of the lines added")
    edges = [on_circle(r, a) for r in (DISC, RING[0], RING[1]) for a in range(0, 360, 30)]
    edges += [on_circle(STAR - 4, -90 + 72 * k) for k in range(5)]  # the star's points, just inside
    missing = [cell for cell in edges if not drawn_near(shot, cell)]
    check(not missing, "outline cells not drawn: %s" % missing)
    check(not drawn_near(shot, on_circle(60, 10), reach=0), "a line inside the disc's ink")
    if os.environ.get("TESSARY_VECTORIZE_SCREENSHOT"):  # the lines alone, the image hidden
        ed.key_down("Shift_L")
        ed.press("t")
        ed.key_up("Shift_L")
        hidden = ed.wait_for(lambda s: s.pixel(*view(CENTRE, 2)) == (0, 0, 0), what="the badge hidden")
        write_png(os.environ["TESSARY_VECTORIZE_SCREENSHOT"], 640, 640, hidden.rgb_bytes(640, 640))

    ed.press("s")  # each slot file appears whole, renamed into place
    wait_until(lambda: all(os.path.exists(ctx.path(n)) for n in ("pixels1.txt", "lines1.txt")), what="slot 1")
    lines = ctx.read_file("lines1.txt").decode().splitlines()
    check_equal(len([l for l in lines if l.strip()]), added(shot), "lines saved")
    ed.press("u")  # one step takes them all back
    ed.wait_for(lambda s: not any(drawn_near(s, cell) for cell in edges), what="the outlines undone")

    ed.quit_with_escape()
    check_equal(ed.wait_exit(), 0, "exit status")


if __name__ == "__main__":
    sys.exit(run_cases([case_i_adds_outlines_as_one_step], sys.argv[1]))
