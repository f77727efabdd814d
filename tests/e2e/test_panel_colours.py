"""End-to-end: the status panel read back from the screen, and the two colour
prompts.

Run: python3 tests/e2e/test_panel_colours.py path/to/tessary
"""
import sys

from harness import (BACKGROUND_PROMPT, BLACK, DRAW_GREEN, DRAWING_PROMPT, PANEL_VALUES, PRINTABLE, RED,
                     WHITE, check, check_bands, check_equal, overview, prompt_ink, prompt_text, read_text,
                     run_cases)

PALETTE_14 = (154, 210, 132)


def case_panel_at_start_shows_labels_bands_and_values(ctx):
    ed = ctx.start_editor()
    ed.park_pointer()  # beyond the canvas: the cursor cell is (255, 199)
    shot = ed.wait_panel({
        "X": "255", "Y": "199", "Scale": "1", "X_Start": "0", "Y_Start": "0", "Max_X": "256",
        "Max_Y": "200", "No. Pixels": "0", "L. Phase": "0", "No. lines": "0", "Separate": "0",
        "Lines on pixel": "0", "Used picture slot": "1"}, "the values at start")
    for name, (_, y) in PANEL_VALUES.items():
        label = name + ":"  # each row's label is its value's name and a colon
        check_equal(read_text(shot, 0, y, len(label), alphabet=PRINTABLE), label, "label of the %s row" % name)
    check_bands(shot, (0, 320, 639))
    check_equal(shot.pixel(316, 419), RED, "top-left corner of the overview's view frame")
    check_equal(shot.pixel(574, 621), RED, "bottom-right corner of the overview's view frame")


def case_panel_values_follow_edits(ctx):
    ed = ctx.start_editor()
    for cell in ((10, 10), (12, 10), (14, 10)):
        ed.click_point(cell)
    ed.type_keys("3", "p", "z", "z")
    ed.park_pointer(20, 10)  # scale 3: cell (6, 3)
    ed.wait_panel({"No. Pixels": "3", "Used picture slot": "3", "Separate": "1", "Scale": "3",
                   "Max_X": "213", "Max_Y": "133", "X": "6", "Y": "3"}, "the values after edits")
    # The overview's frame follows the view: right side at max_x + 318,
    # bottom at max_y + 421.
    shot = ed.screenshot()
    check_equal(shot.pixel(531, 500), RED, "right side of the view frame at scale 3")
    check_equal(shot.pixel(400, 554), RED, "bottom side of the view frame at scale 3")
    check_equal(shot.pixel(574, 500), BLACK, "the former right side of the view frame")

    ed.click_point((12, 10), scale=3, button=3)
    ed.press("x")
    ed.wait_panel({"No. Pixels": "2", "Scale": "2", "Max_X": "256", "Max_Y": "200"},
                  "the values after an erase and a zoom out")


def case_panel_follows_line_entry_and_selection(ctx):
    ed = ctx.start_editor()
    start, end = (30, 30), (70, 40)
    ed.press("w")
    ed.line_move(start, (30, 28))
    ed.line_click((30, 28))
    ed.wait_panel({"L. Phase": "1", "No. lines": "0"}, "the phase during line entry")
    ed.line_move(end, (70, 42))
    ed.line_click((70, 42))
    ed.wait_panel({"L. Phase": "0", "No. lines": "1"}, "the values after storing the line")
    ed.line_move(start, (30, 28))
    ed.line_click((30, 28), button=3)
    ed.wait_panel({"Lines on pixel": "1", "No. lines": "1"}, "the values after the search")
    ed.press("KP_Decimal")  # drops the selection, erases nothing
    ed.wait_panel({"Lines on pixel": "0", "No. lines": "1"}, "the values after keypad period")


def case_background_prompt_turns_the_window_white(ctx):
    ed = ctx.start_editor()
    ed.click_point((50, 50))
    ed.park_pointer()
    ed.press("c")
    ed.answer_prompt(BACKGROUND_PROMPT, "2")
    shot = ed.wait_pixel(600, 300, WHITE, what="the white background")
    for spot in ((5, 300), (300, 5), (600, 630 - 10), (630, 420)):
        check_equal(shot.pixel(*spot), WHITE, "background at %s" % (spot,))
    # The prompt line left of the overview's view frame (which starts at x 316).
    check_equal(prompt_ink(shot), 316 * 8, "white pixels on the cleared prompt line")
    check_equal(shot.pixel(50, 50), DRAW_GREEN, "the point on the new background")
    check_equal(shot.pixel(*overview((50, 50))), DRAW_GREEN, "the point in the overview")


def case_drawing_prompt_recolours_the_picture(ctx):
    ed = ctx.start_editor()
    ed.click_point((60, 40))
    ed.park_pointer()
    ed.press("v")
    ed.answer_prompt(DRAWING_PROMPT, "1", "4")
    shot = ed.wait_pixel(60, 40, PALETTE_14, what="the point in colour 14")
    check_equal(shot.pixel(*overview((60, 40))), PALETTE_14, "the point in the overview")
    check_equal(shot.pixel(600, 300), BLACK, "the background")


def case_colour_number_outside_the_palette_keeps_the_colour(ctx):
    ed = ctx.start_editor()
    ed.press("c")
    ed.answer_prompt(BACKGROUND_PROMPT, "1", "7")
    # The window is cleared after the prompt in any case, so its text goes.
    shot = ed.wait_for(lambda s: prompt_ink(s) == 0, what="the prompt line to clear")
    check_equal(shot.pixel(600, 300), BLACK, "the background after the answer 17")
    check(ed.process.poll() is None, "the editor ended after the answer 17")


def case_escape_inside_a_prompt_exits_with_status_1(ctx):
    ed = ctx.start_editor()
    ed.press("c")
    ed.wait_for(lambda s: prompt_text(s, 5) == "Wpisz", what="the prompt")
    ed.quit_with_escape()
    check_equal(ed.wait_exit(), 1, "exit status after Escape inside the prompt")


if __name__ == "__main__":
    sys.exit(run_cases([
        case_panel_at_start_shows_labels_bands_and_values,
        case_panel_values_follow_edits,
        case_panel_follows_line_entry_and_selection,
        case_background_prompt_turns_the_window_white,
        case_drawing_prompt_recolours_the_picture,
        case_colour_number_outside_the_palette_keeps_the_colour,
        case_escape_inside_a_prompt_exits_with_status_1,
    ], sys.argv[1]))
