"""End-to-end: key i draws the outlines of the traced image's dark parts; u takes them back.
Run: python3 tests/e2e/test_vectorize.py path/to/tessary; with TESSARY_VECTORIZE_SCREENSHOT=docs/vectorize.png
it saves the outlines at zoom 2, the image hidden."""
import math
import os
import re
import sys

from harness import DRAW_GREEN, check, check_equal, prompt_text, run_cases, view, write_png

CENTRE = (128, 100)
DISC, STAR, RING = 70, 50, (82, 88)  # a dark disc with a white star cut out, and a ring round it
SHOWN_PAPER = (125, 125, 120)  # the paper shown halfway to the black background


def badge_ink(x, y):
    """Dark in the badge, in polar form: the disc less the star pointing up, and the ring."""
    r = math.hypot(x - CENTRE[0], y - CENTRE[1])
    sector = abs(((math.atan2(y - CENTRE[1], x - CENTRE[0]) + math.pi / 2 + math.pi / 5) % (2 * math.pi / 5)) - math.pi / 5)
    inner = STAR * math.sin(math.radians(18)) / math.sin(math.radians(126))
    star = STAR * inner * math.sin(math.radians(144)) / (STAR * math.sin(sector) + inner * math.sin(math.radians(144) - sector))
    return star <= r < DISC or RING[0] < r < RING[1]


def drawn_near(shot, cell, reach=1):
    """The drawing colour within `reach` cells of `cell` in the view at zoom 2."""
    return any(shot.pixel(*view((cell[0] + dx, cell[1] + dy), 2)) == DRAW_GREEN
               for dx in range(-reach, reach + 1) for dy in range(-reach, reach + 1))


def on_circle(radius, degrees):
    return tuple(round(c + radius * f(math.radians(degrees))) for c, f in zip(CENTRE, (math.cos, math.sin)))


def case_i_adds_outlines_as_one_step(ctx):
    write_png(ctx.path("badge.png"), 512, 400, b"".join(  # two pixels to a cell
        bytes((30, 30, 40) if badge_ink((px + 0.5) / 2, (py + 0.5) / 2) else (250, 250, 240))
        for py in range(400) for px in range(512)))
    ed = ctx.start_editor(args=["--trace", "badge.png"])
    ed.park_pointer()
    ed.press("z")
    ed.wait_for(lambda s: s.pixel(*view(CENTRE, 2)) == SHOWN_PAPER, what="the badge at zoom 2")
    ed.press("i")
    shot = ed.wait_for(lambda s: re.match(r"Added \d+ lines from the image *$", prompt_text(s, 40)), what="the report")
    edges = [on_circle(r, a) for r in (DISC, *RING) for a in range(0, 360, 30)]
    edges += [on_circle(STAR - 4, -90 + 72 * k) for k in range(5)]  # the star's points, just inside
    missing = [cell for cell in edges if not drawn_near(shot, cell)]
    check(not missing, "outline cells not drawn: %s" % missing)
    check(not drawn_near(shot, on_circle(60, 10), reach=0), "a line inside the disc's ink")
    if os.environ.get("TESSARY_VECTORIZE_SCREENSHOT"):
        ed.key_down("Shift_L")
        ed.press("t")  # hides the image, so that the lines show
        ed.key_up("Shift_L")
        hidden = ed.wait_for(lambda s: s.pixel(*view(CENTRE, 2)) == (0, 0, 0), what="the badge hidden")
        write_png(os.environ["TESSARY_VECTORIZE_SCREENSHOT"], 640, 640, hidden.rgb_bytes(640, 640))
    ed.press("u")
    ed.wait_for(lambda s: not any(drawn_near(s, cell) for cell in edges), what="the outlines undone")
    ed.quit_with_escape()
    check_equal(ed.wait_exit(), 0, "exit status")


if __name__ == "__main__":
    sys.exit(run_cases([case_i_adds_outlines_as_one_step], sys.argv[1]))
