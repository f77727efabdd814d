"""End-to-end: key n shows the slot before dimmed under the picture, in the
view and the overview, following the slot; key a plays the slots, "playing"
in the title, until a key that then does nothing else; Ctrl+E writes the GIF.

Run: python3 tests/e2e/test_animation.py path/to/tessary
With TESSARY_ANIMATION_GIF=path/to/file.gif set, the GIF of a wheel rolling
over four slots is copied there; that is how docs/animation.gif is made.
"""
import math
import os
import shutil
import sys

from harness import BLACK, DRAW_GREEN, check_equal, line_cells, overview, panel_values, prompt_text, run_cases, view, wait_until

DIMMED_GREEN = tuple(c // 2 for c in DRAW_GREEN)  # halfway to the black background


def wheel(frame):
    """An octagon rolling right, two spokes turning an eighth of a turn a frame, and the ground."""
    corner = lambda k, turn=0.0: (round(70 + 30 * frame + 30 * math.cos(k * math.pi / 4 + turn)),
                                  round(110 + 30 * math.sin(k * math.pi / 4 + turn)))
    spokes = [(corner(k, frame * math.pi / 8), corner(k + 4, frame * math.pi / 8)) for k in (0, 2)]
    return [(corner(k), corner(k + 1)) for k in range(8)] + spokes + [((20, 141), (235, 141))]


def cells(frame):
    return {cell for start, end in wheel(frame) for cell in line_cells(start, end)}


def shows(shot, cells_, colour):
    return all(shot.pixel(*view(c)) == colour and shot.pixel(*overview(c)) == colour for c in cells_)


def case_onion_skin_and_playback(ctx):
    for frame in range(4):
        ctx.write_file("lines%d.txt" % (frame + 1), ("".join("%d %d %d %d \n" % (a + b) for a, b in wheel(frame)) + "\n").encode())
        ctx.write_file("pixels%d.txt" % (frame + 1), b"")
    first, second, third = cells(0), cells(1), cells(2)
    ed = ctx.start_editor()
    ed.park_pointer()
    for key in ("2", "l", "n"):
        ed.press(key)
    ed.wait_for(lambda s: shows(s, first - second, DIMMED_GREEN) and shows(s, second, DRAW_GREEN), what="slot 1 under 2")
    check_equal(prompt_text(ed.screenshot(), 18), "Onion skin: slot 1", "the prompt line")
    for key in ("3", "l"):  # the onion skin follows the slot
        ed.press(key)
    ed.wait_for(lambda s: shows(s, second - third, DIMMED_GREEN) and shows(s, first - second - third, BLACK),
                what="slot 2 under 3")

    ed.press("a")
    ed.wait_for(lambda s: shows(s, first, DRAW_GREEN) and shows(s, third - first, BLACK), what="slot 1's frame alone")
    wait_until(lambda: ed.title() == "Tessary v.0.3 - slot 4 - playing", what="slot 4's frame in the title")
    ed.press("z")  # stops playback, and zooms nothing
    wait_until(lambda: ed.title() == "Tessary v.0.3 - slot 3 - points", what="the title after playback")
    ed.wait_for(lambda s: shows(s, third, DRAW_GREEN) and shows(s, second - third, DIMMED_GREEN), what="the editor as before")
    check_equal(panel_values(ed.screenshot())["Scale"].strip(), "1", "the scale")

    ed.key_down("Control_L")
    ed.press("e")
    ed.key_up("Control_L")
    ed.wait_for(lambda s: prompt_text(s, 36) == "Wrote animation.ild, .gif (4 frames)", what="the report")
    if os.environ.get("TESSARY_ANIMATION_GIF"):
        shutil.copyfile(ctx.path("animation.gif"), os.environ["TESSARY_ANIMATION_GIF"])


if __name__ == "__main__":
    sys.exit(run_cases([case_onion_skin_and_playback], sys.argv[1]))
