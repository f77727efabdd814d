"""End-to-end: the slots as an animation. Key n shows the slot before under
the picture, dimmed, in the view and the overview; key a plays the slots in
the window with "playing" in the title until a key stops it, which then does
nothing else; Ctrl+E writes the show and the GIF.

Run: python3 tests/e2e/test_animation.py path/to/tessary
With TESSARY_ANIMATION_GIF=path/to/file.gif set, the GIF that Ctrl+E wrote
(a wheel rolling over four slots) is copied there; that is how
docs/animation.gif is made.
"""
import math
import os
import shutil
import sys

from harness import (BLACK, DRAW_GREEN, check, check_equal, line_cells, overview, panel_values, prompt_text,
                     run_cases, view, wait_until)

DIMMED_GREEN = tuple(c // 2 for c in DRAW_GREEN)  # halfway to the black background
FRAMES = 4


def wheel(frame):
    """The lines of a wheel rolling right, a quarter of a spoke's turn a frame: an
    octagon, two spokes and the ground."""
    cx, cy, r = 70 + 30 * frame, 110, 30
    corner = lambda k, turn=0.0: (round(cx + r * math.cos(k * math.pi / 4 + turn)),
                                  round(cy + r * math.sin(k * math.pi / 4 + turn)))
    lines = [(corner(k), corner(k + 1)) for k in range(8)]
    turn = frame * math.pi / 8
    lines += [(corner(0, turn), corner(4, turn)), (corner(2, turn), corner(6, turn)), ((20, 141), (235, 141))]
    return lines


def cells_of(frame):
    return {cell for start, end in wheel(frame) for cell in line_cells(start, end)}


def write_slots(ctx):
    for frame in range(FRAMES):
        text = "".join("%d %d %d %d \n" % (a + b) for a, b in wheel(frame)) + "\n"
        ctx.write_file("lines%d.txt" % (frame + 1), text.encode())
        ctx.write_file("pixels%d.txt" % (frame + 1), b"")


def shows(shot, cells, colour):
    return all(shot.pixel(*view(c)) == colour and shot.pixel(*overview(c)) == colour for c in cells)


def case_onion_skin_and_playback(ctx):
    write_slots(ctx)
    ed = ctx.start_editor()
    ed.park_pointer()
    ed.press("2")
    ed.press("l")
    second, first, third = cells_of(1), cells_of(0), cells_of(2)
    ed.wait_for(lambda s: shows(s, second, DRAW_GREEN), what="slot 2's wheel")

    ed.press("n")
    ed.wait_for(lambda s: shows(s, first - second, DIMMED_GREEN) and shows(s, second, DRAW_GREEN),
                what="slot 1's wheel dimmed under slot 2's")
    check_equal(prompt_text(ed.screenshot(), 18), "Onion skin: slot 1", "the prompt line")
    ed.press("3")  # the onion skin follows the slot
    ed.press("l")
    ed.wait_for(lambda s: shows(s, second - third, DIMMED_GREEN) and shows(s, first - second - third, BLACK),
                what="slot 2's wheel under slot 3's")
    ed.press("2")
    ed.press("l")
    ed.wait_for(lambda s: shows(s, first - second, DIMMED_GREEN), what="slot 1's wheel again")

    ed.press("a")
    wait_until(lambda: ed.title().endswith(" - playing"), what="the title while playing")
    ed.wait_for(lambda s: shows(s, third, DRAW_GREEN) and shows(s, first - third, BLACK),
                what="slot 3's frame alone")
    wait_until(lambda: ed.title() == "Tessary v.0.3 - slot 4 - playing", what="slot 4's frame in the title")
    ed.press("z")  # stops playback, and zooms nothing
    wait_until(lambda: ed.title() == "Tessary v.0.3 - slot 2 - points", what="the title after playback")
    ed.wait_for(lambda s: shows(s, second, DRAW_GREEN) and shows(s, first - second, DIMMED_GREEN),
                what="the editor as before playback")
    check_equal(panel_values(ed.screenshot())["Scale"].strip(), "1", "the scale after the key that stopped playback")

    ed.key_down("Control_L")
    ed.press("e")
    ed.key_up("Control_L")
    wait_until(lambda: all(os.path.exists(ctx.path(n)) for n in ("animation.ild", "animation.gif")),
               what="the animation's files")
    ed.wait_for(lambda s: prompt_text(s, 36) == "Wrote animation.ild, .gif (4 frames)", what="the report")
    check(ctx.read_file("animation.gif").startswith(b"GIF89a"), "animation.gif is a GIF")
    check(not any(n.startswith("picture") for n in os.listdir(ctx.workdir)), "single exports were written")
    if os.environ.get("TESSARY_ANIMATION_GIF"):
        shutil.copyfile(ctx.path("animation.gif"), os.environ["TESSARY_ANIMATION_GIF"])


if __name__ == "__main__":
    sys.exit(run_cases([case_onion_skin_and_playback], sys.argv[1]))
