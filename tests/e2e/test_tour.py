"""End-to-end: one tour through a single run of the editor, started in an
empty folder. It places points, draws a house and a star with lines, zooms
and pans, changes both colours, saves, clears, loads, exports and quits with
Escape, checking the screen and the status panel at each stage, then the
files written and the exit status.

Run: python3 tests/e2e/test_tour.py path/to/tessary
With TESSARY_TOUR_SCREENSHOT=path/to/file.png set, the finished picture
(the 640 x 640 window, taken before the quit) is written there as PNG; that
is how docs/screenshot.png is made. With TESSARY_TOUR_SVG=path/to/file.svg
set, the saved slot is rendered there afterwards by `tessary --render` in the
tour's colours; that is how docs/screenshot.svg is made.
"""
import os
import subprocess
import sys
import time

from harness import (BACKGROUND_PROMPT, BLACK, DRAW_GREEN, DRAWING_PROMPT, LINES_PROMPT, POINTS_PROMPT, RED,
                     cells_show, check, check_bands, check_cells, check_equal, line_cells, overview,
                     panel_values, probe_beside, prompt_ink, prompt_text, run_stages, view, write_png)

# Stars in the sky: placed as points, in this order.
POINTS = [(24, 22), (58, 44), (96, 16), (150, 30), (28, 84), (244, 118), (170, 104)]

HOUSE = [
    ((70, 110), (150, 110)), ((150, 110), (150, 170)), ((150, 170), (70, 170)), ((70, 170), (70, 110)),
    ((62, 114), (110, 70)), ((110, 70), (158, 114)),                                # roof
    ((128, 86), (128, 76)), ((128, 76), (138, 76)), ((138, 76), (138, 95)),         # chimney
    ((100, 170), (100, 140)), ((100, 140), (120, 140)), ((120, 140), (120, 170)),   # door
    ((80, 122), (92, 122)), ((92, 122), (92, 134)), ((92, 134), (80, 134)), ((80, 134), (80, 122)),
]
STAR_CORNERS = [(205, 25), (223, 79), (176, 46), (234, 46), (187, 79)]
STAR = [(STAR_CORNERS[k], STAR_CORNERS[(k + 1) % 5]) for k in range(5)]
GROUND = [((8, 178), (248, 178))]
LINES = HOUSE + STAR + GROUND

POINT_CELLS = set(POINTS)
LINE_CELLS = {cell for start, end in LINES for cell in line_cells(start, end)}
PICTURE_CELLS = sorted(POINT_CELLS | LINE_CELLS)
# One cell of the picture that stays in the view at scale 3: the roof's top.
ROOF_TOP = (110, 70)

BACKGROUND_NUMBER, BACKGROUND = "7", (0x35, 0x28, 0x79)
DRAWING_NUMBER, DRAWING = "8", (0xB8, 0xC7, 0x6F)

SLOT = "2"
POINTS_KEY, LINES_KEY = 0, 1  # points on x, lines on y1

SCREENSHOT_VARIABLE = "TESSARY_TOUR_SCREENSHOT"
SVG_VARIABLE = "TESSARY_TOUR_SVG"
WINDOW_SIZE = 640
COUNTS = {"No. Pixels": str(len(POINTS)), "No. lines": str(len(LINES))}
EMPTY = {"No. Pixels": "0", "No. lines": "0"}


def records(rows, separator):
    return b"".join(("".join("%d%s" % (v, separator) for v in row) + "\n").encode() for row in rows)


def slot_files():
    points = records(POINTS, " ")
    lines = records([start + end for start, end in LINES], " ") + b"\n"
    return {"pixels%s.txt" % SLOT: points, "lines%s.txt" % SLOT: lines}


def export_files():
    # Python's sort is stable, as the export's is: equal keys keep table order.
    points = sorted(POINTS, key=lambda p: p[POINTS_KEY])
    lines = sorted((start + end for start, end in LINES), key=lambda l: l[LINES_KEY])
    return {"epixels%s.txt" % SLOT: records(points, ","), "elines%s.txt" % SLOT: records(lines, ",") + b"\n"}


def picture_in(colour, scale):
    """A screen predicate: the whole picture in `colour`, in the view area at
    `scale` and in the overview. The cursor is parked off the picture."""
    return lambda s: cells_show(s, PICTURE_CELLS, colour, scale)


def hold_until_panel(ed, key, expected, what):
    """Holds `key` down until the panel shows `expected`."""
    ed.key_down(key)
    try:
        ed.wait_panel(expected, what, timeout=10)
    finally:
        ed.key_up(key)
    time.sleep(0.1)


# ---------------------------------------------------------------------------
# Stages, in the order of the tour
# ---------------------------------------------------------------------------

def stage_start_in_an_empty_folder(ctx):
    ed = ctx.start_editor()
    check_equal(ed.size, (WINDOW_SIZE, WINDOW_SIZE), "window size")
    ed.park_pointer()  # beyond the canvas: the cursor cell is (255, 199)
    shot = ed.wait_panel({"X": "255", "Y": "199", "Scale": "1", "X_Start": "0", "Y_Start": "0",
                          "Max_X": "256", "Max_Y": "200", "L. Phase": "0", "Used picture slot": "1",
                          **EMPTY}, "the panel at start")
    check_equal(shot.pixel(255, 199), RED, "the cursor cell")
    check_equal(shot.pixel(574, 621), RED, "bottom-right corner of the overview's view frame")
    check_equal(shot.pixel(100, 100), BLACK, "the empty view area")
    check_equal(os.listdir(ctx.workdir), [], "files in the working directory at start")


def stage_place_points(ctx):
    ed = ctx.editor()
    for cell in POINTS:
        ed.click_point(cell)
    ed.park_pointer()
    shot = ed.wait_panel({"No. Pixels": str(len(POINTS)), "No. lines": "0"}, "the count of points")
    check_cells(shot, POINTS, DRAW_GREEN, "view area")
    check_cells(shot, POINTS, DRAW_GREEN, "overview", overview)
    check_equal(shot.pixel(25, 22), BLACK, "the cell beside the first point")


def stage_draw_lines(ctx):
    ed = ctx.editor()
    ed.press("w")
    drawn = set(POINT_CELLS)
    for start, end in LINES:
        band = set(line_cells(start, end))
        ed.enter_line(start, end, probe_beside(start, drawn), probe_beside(end, drawn | band))
        drawn |= band
    ed.press("q")  # back to point mode, where the loop runs without waiting
    ed.park_pointer()
    shot = ed.wait_panel({**COUNTS, "L. Phase": "0", "Lines on pixel": "0"}, "the counts after the lines")
    check_cells(shot, PICTURE_CELLS, DRAW_GREEN, "view area")
    check_cells(shot, PICTURE_CELLS, DRAW_GREEN, "overview", overview)
    check_equal(shot.pixel(110, 100), BLACK, "inside the house")


def stage_zoom_and_pan(ctx):
    ed = ctx.editor()
    ed.type_keys("z", "z")
    shot = ed.wait_panel({"Scale": "3", "Max_X": "213", "Max_Y": "133"}, "the view at scale 3")
    check_equal(shot.pixel(*view(ROOF_TOP, 3)), DRAW_GREEN, "the roof's top at scale 3")
    check_equal(shot.pixel(531, 500), RED, "right side of the view frame at scale 3")

    # Held arrows pan on every pass: Right up to the last column, Down on past
    # the last row for as long as it is held.
    hold_until_panel(ed, "Right", {"X_Start": "255", "Max_X": "256"}, "panning right to the last column")
    ed.key_down("Down")
    try:
        ed.wait_for(lambda s: int(panel_values(s)["Y_Start"]) >= 200, 10, "panning down past the last row")
    finally:
        ed.key_up("Down")
    time.sleep(0.1)
    shot = ed.wait_panel({"X_Start": "255", "Max_Y": "200", "X": "255", "Y": "199"}, "the view panned")
    y_start = int(panel_values(shot)["Y_Start"])
    check_equal(shot.pixel(*view(ROOF_TOP, 3)), BLACK, "the roof's top panned out of the view")
    if 419 + y_start < 630:  # the panel's bottom band, drawn after the frame, covers rows 630 to 636
        check_equal(shot.pixel(571, 419 + y_start), RED, "top-left corner of the panned view frame")
    check_equal(shot.pixel(316, 419), BLACK, "the former corner of the view frame")

    ed.press("8")
    shot = ed.wait_panel({"X_Start": "0", "Y_Start": "0", "Max_X": "213"}, "the view back at (0, 0)")
    check_equal(shot.pixel(*view(ROOF_TOP, 3)), DRAW_GREEN, "the roof's top back in the view")
    check_equal(shot.pixel(316, 419), RED, "top-left corner of the view frame at (0, 0)")

    ed.press("x")
    ed.park_pointer()
    shot = ed.wait_panel({"Scale": "2", "Max_X": "256", "Max_Y": "200"}, "the view at scale 2")
    check(picture_in(DRAW_GREEN, 2)(shot), "the picture at scale 2")


def stage_change_both_colours(ctx):
    ed = ctx.editor()
    ed.press("c")
    ed.answer_prompt(BACKGROUND_PROMPT, BACKGROUND_NUMBER)
    ed.press("v")
    ed.answer_prompt(DRAWING_PROMPT, DRAWING_NUMBER)
    shot = ed.wait_for(picture_in(DRAWING, 2), what="the picture in the new drawing colour")
    for spot in ((600, 300), (110 * 2, 100 * 2), (630, 630 - 10), overview((110, 100))):
        check_equal(shot.pixel(*spot), BACKGROUND, "background at %s" % (spot,))
    check_equal(prompt_ink(shot), 0, "white pixels left on the prompt line")
    ed.wait_panel({**COUNTS, "Scale": "2", "Used picture slot": "1"}, "the panel after the colours")


def stage_save_to_slot_2(ctx):
    ed = ctx.editor()
    ed.press(SLOT)
    ed.wait_panel({"Used picture slot": SLOT}, "the slot chosen")
    ed.press("s")
    for name, data in slot_files().items():
        ctx.wait_file(name, data)
    saved = "Saved slot %s" % SLOT
    ed.wait_for(lambda s: prompt_text(s, len(saved)) == saved, what="%r on the prompt line" % saved)


def stage_clear(ctx):
    ed = ctx.editor()
    ed.press("grave")
    shot = ed.wait_panel(EMPTY, "the counts after the clear")
    check_cells(shot, PICTURE_CELLS, BACKGROUND, "view area", lambda c: view(c, 2))
    check_cells(shot, PICTURE_CELLS, BACKGROUND, "overview", overview)
    ed.wait_panel({"Scale": "2", "Used picture slot": SLOT}, "the view and slot kept by the clear")


def stage_load(ctx):
    ed = ctx.editor()
    ed.press("l")
    ed.wait_panel(COUNTS, "the counts after the load")
    ed.wait_for(picture_in(DRAWING, 2), what="the loaded picture")


def stage_export(ctx):
    ed = ctx.editor()
    ed.press("r")
    ed.answer_prompt(POINTS_PROMPT, str(POINTS_KEY))
    ed.answer_prompt(LINES_PROMPT, str(LINES_KEY))
    for name, data in export_files().items():
        ctx.wait_file(name, data)
    # The second prompt's text stays left of the overview until a clear.
    ed.press("8")
    shot = ed.wait_for(lambda s: prompt_ink(s) == 0, what="the prompt line cleared by 8")
    check(picture_in(DRAWING, 2)(shot), "the sorted picture looks as before")


def stage_finished_picture(ctx):
    ed = ctx.editor()
    ed.park_pointer()
    shot = ed.wait_panel({**COUNTS, "Scale": "2", "X": "255", "Y": "195", "L. Phase": "0",
                          "Used picture slot": SLOT}, "the panel of the finished picture")
    check(picture_in(DRAWING, 2)(shot), "the finished picture")
    check_equal(shot.pixel(255 * 2, 195 * 2), RED, "the cursor cell")
    check_bands(shot, (320,))
    check_equal(shot.pixel(316, 419), RED, "the overview's view frame")
    target = os.environ.get(SCREENSHOT_VARIABLE)
    if target:
        write_png(target, WINDOW_SIZE, WINDOW_SIZE, shot.rgb_bytes(WINDOW_SIZE, WINDOW_SIZE))


def stage_quit_and_check_the_files(ctx):
    ed = ctx.editor()
    ed.quit_with_escape()
    check_equal(ed.wait_exit(), 0, "exit status after Escape")
    check(not ed.window_exists(), "the window is still open after Escape")
    check_equal(ed.stderr(), "", "standard error")
    expected = {**slot_files(), **export_files()}
    check_equal(sorted(os.listdir(ctx.workdir)), sorted(expected), "files in the working directory")
    for name, data in expected.items():
        check_equal(ctx.read_file(name), data, "contents of %s" % name)
    target = os.environ.get(SVG_VARIABLE)
    if target:
        subprocess.run([ctx.binary, "--render", SLOT, "--dir", ctx.workdir, "--background", BACKGROUND_NUMBER,
                        "--color", DRAWING_NUMBER, "--svg", os.path.abspath(target)], check=True, timeout=20)


if __name__ == "__main__":
    sys.exit(run_stages([
        stage_start_in_an_empty_folder,
        stage_place_points,
        stage_draw_lines,
        stage_zoom_and_pan,
        stage_change_both_colours,
        stage_save_to_slot_2,
        stage_clear,
        stage_load,
        stage_export,
        stage_finished_picture,
        stage_quit_and_check_the_files,
    ], sys.argv[1]))
