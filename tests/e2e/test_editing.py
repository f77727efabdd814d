"""End-to-end: placing and erasing points, zooming, entering, chaining, finding
and deleting lines with the mouse and the keypad; the mode in the title; the
mirror and a line snapped to the ends.

Run: python3 tests/e2e/test_editing.py path/to/tessary
"""
import sys

from harness import (BLACK, DRAW_GREEN, RED, WINDOW_TITLE, cells_show, check_cells, check_equal, line_cells, overview,
                     probe_beside, prompt_text, run_cases, wait_until)

MIRROR_AXIS = (255, 0, 255)


def case_point_placed_shown_zoomed_and_erased(ctx):
    ed = ctx.start_editor()
    cell = (40, 30)
    ed.click_point(cell)
    ed.park_pointer()
    shot = ed.wait_pixel(*cell, DRAW_GREEN, what="the point in the view area")
    check_equal(shot.pixel(*overview(cell)), DRAW_GREEN, "the point in the overview")
    for neighbour in ((39, 30), (41, 30), (40, 29), (40, 31)):
        check_equal(shot.pixel(*neighbour), BLACK, "view pixel %s beside the point" % (neighbour,))
    # The pointer parked beyond the canvas puts the cursor on the last cell.
    check_equal(shot.pixel(255, 199), RED, "the cursor cell clamped to (255, 199)")

    ed.press("z")  # scale 2: the cell becomes a 2 x 2 block at (80, 60)
    block = [(80, 60), (81, 60), (80, 61), (81, 61)]
    shot = ed.wait_for(lambda s: all(s.pixel(*p) == DRAW_GREEN for p in block), what="the 2 x 2 block")
    for outside in ((79, 60), (82, 60), (80, 59), (80, 62), (40, 30)):
        check_equal(shot.pixel(*outside), BLACK, "view pixel %s outside the block" % (outside,))
    check_equal(shot.pixel(*overview(cell)), DRAW_GREEN, "the overview stays at one pixel per cell")

    ed.click_point(cell, scale=2, button=3)  # the right button erases it
    ed.park_pointer()
    shot = ed.wait_for(lambda s: all(s.pixel(*p) == BLACK for p in block), what="the erased point to go")
    check_equal(shot.pixel(*overview(cell)), BLACK, "the erased point in the overview")


def case_point_placed_once_per_cell(ctx):
    ed = ctx.start_editor()
    cells = [(100, 50), (102, 50), (104, 50)]
    ed.click_point(cells[0])
    ed.click_point(cells[1])
    ed.click_point(cells[0])  # a second click on an occupied cell adds nothing
    ed.click_point(cells[2])
    ed.park_pointer()
    shot = ed.wait_pixel(*cells[2], DRAW_GREEN)
    check_cells(shot, cells, DRAW_GREEN, "view area")
    check_cells(shot, cells, DRAW_GREEN, "overview", overview)
    check_cells(shot, [(101, 50), (103, 50)], BLACK, "gaps of the view area")


def case_line_entered_found_and_deleted(ctx):
    ed = ctx.start_editor()
    start, end = (20, 30), (60, 50)
    cells = line_cells(start, end)
    ed.press("w")
    # Probe cells lie off the line, one row above its start and two rows
    # below its end, where neither the line nor the rubber band passes.
    ed.enter_line(start, end, start_probe=(20, 28), end_probe=(60, 52))
    shot = ed.wait_for(lambda s: s.pixel(*overview(cells[len(cells) // 2])) == DRAW_GREEN,
                       what="the stored line in the overview")
    check_cells(shot, cells, DRAW_GREEN, "overview", overview)
    check_cells(shot, cells[1:], DRAW_GREEN, "view area")

    # A right click on the start cell finds the line and selects it (red).
    ed.line_move(start, probe=(20, 28))
    ed.line_click(probe=(20, 28), button=3)
    shot = ed.wait_for(lambda s: s.pixel(*cells[len(cells) // 2]) == RED, what="the selected line in red")
    check_cells(shot, cells, RED, "view area (highlight)")
    check_cells(shot, cells, DRAW_GREEN, "overview", overview)

    ed.press("KP_Enter")  # deletes the selected line
    shot = ed.wait_for(lambda s: s.pixel(*overview(cells[len(cells) // 2])) == BLACK,
                       what="the deleted line to leave the overview")
    check_cells(shot, cells, BLACK, "overview", overview)
    # The start cell is under the pointer; every other cell is background again.
    check_cells(shot, cells[1:], BLACK, "view area")


def case_keypad_steps_through_the_lines_found(ctx):
    ed = ctx.start_editor()
    start, start_probe = (100, 100), (98, 98)
    # Three lines from one cell, with probe cells beside their ends that no
    # line or rubber band crosses.
    ends = [((140, 100), (140, 102)), ((140, 120), (140, 123)), ((100, 140), (102, 140))]
    ed.press("w")
    for end, end_probe in ends:
        ed.enter_line(start, end, start_probe, end_probe)
    lines = [line_cells(start, end) for end, _ in ends]
    middles = [cells[len(cells) // 2] for cells in lines]
    ed.wait_for(lambda s: all(s.pixel(*overview(m)) == DRAW_GREEN for m in middles), what="three lines")

    ed.line_move(start, start_probe)
    ed.line_click(start_probe, button=3)  # finds all three; the first is selected
    ed.wait_for(lambda s: [s.pixel(*m) for m in middles] == [RED, DRAW_GREEN, DRAW_GREEN],
                what="the first line selected")
    ed.press("KP_Add")
    ed.wait_for(lambda s: [s.pixel(*m) for m in middles] == [DRAW_GREEN, RED, DRAW_GREEN],
                what="the second line selected")
    ed.type_keys("KP_Add", "KP_Add")  # the selection stops at the last line
    ed.wait_for(lambda s: [s.pixel(*m) for m in middles] == [DRAW_GREEN, DRAW_GREEN, RED],
                what="the third line selected")
    ed.press("KP_Subtract")
    ed.press("KP_Enter")
    shot = ed.wait_for(lambda s: s.pixel(*overview(middles[1])) == BLACK, what="the second line deleted")
    check_cells(shot, lines[0][1:], DRAW_GREEN, "overview (first line)", overview)
    check_cells(shot, lines[2][1:], DRAW_GREEN, "overview (third line)", overview)
    check_cells(shot, lines[1][1:], BLACK, "overview (deleted line)", overview)


def case_right_click_in_line_mode_drops_the_line_in_progress(ctx):
    ed = ctx.start_editor()
    start, end, probe = (30, 100), (70, 110), (70, 112)
    ed.press("w")
    ed.line_move(start, probe=(30, 98))
    ed.line_click(probe=(30, 98))
    ed.line_move(end, probe=probe)
    # The frame shown last has the rubber band ending on the cursor cell.
    band = line_cells(start, end)
    shot = ed.screenshot()
    check_cells(shot, band, DRAW_GREEN, "view area (rubber band)")
    check_cells(shot, band, BLACK, "overview (the band is not part of the picture)", overview)
    # The press of the right button drops the line and erases the band; its
    # release searches the cell, where no line lies, so nothing is selected.
    ed.line_click(probe=probe, button=3)
    ed.line_move((90, 150), probe=(90, 152))
    shot = ed.screenshot()
    check_cells(shot, band + line_cells(start, end), BLACK, "view area after the right click")
    check_cells(shot, line_cells(start, end), BLACK, "overview", overview)


def case_shift_clicks_chain_a_closed_square_and_the_title_names_each_mode(ctx):
    ed = ctx.start_editor()
    check_equal(ed.title(), WINDOW_TITLE, "title at start")

    def wait_title(mode):
        wait_until(lambda: ed.title() == "Tessary v.0.3 - slot 1 - " + mode, what="the title naming " + mode)

    corners = [(40, 40), (80, 40), (80, 80), (40, 80), (40, 40)]
    square = [c for start, end in zip(corners, corners[1:]) for c in line_cells(start, end)]
    ed.press("w")
    wait_title("lines")
    ed.key_down("Shift_L")
    for corner in corners:  # one click per corner, the last back on the first
        probe = probe_beside(corner, square)
        ed.line_move(corner, probe)
        ed.line_click(probe)
    ed.key_up("Shift_L")
    ed.line_click(probe, button=3)  # drops the chain's next line, then finds the lines at the corner
    shot = ed.wait_panel({"No. lines": "4", "L. Phase": "0"}, "four lines stored")
    check_cells(shot, square, DRAW_GREEN, "overview", overview)
    wait_title("selection *")
    ed.press("w")
    wait_title("lines *")
    ed.press("q")
    wait_title("points *")


def case_clear_undone_and_redone(ctx):
    ed = ctx.start_editor()
    first, second = (30, 40), (33, 40)
    ed.place_points(first, second)
    both = [first, second]

    def shows(cells, colour):
        return lambda shot: cells_show(shot, cells, colour)

    ed.press("grave")  # the clear
    ed.wait_for(shows(both, BLACK), what="the cleared picture")
    ed.press("u")
    ed.wait_for(shows(both, DRAW_GREEN), what="the picture back after u")
    ed.press("y")
    ed.wait_for(shows(both, BLACK), what="the picture cleared again after y")
    ed.press("u")
    ed.press("u")  # one step further back: the second point alone goes
    shot = ed.wait_for(shows([second], BLACK), what="the second point undone")
    check_cells(shot, [first], DRAW_GREEN, "view area")
    check_cells(shot, [first], DRAW_GREEN, "overview", overview)


def case_mirror_draws_both_halves_and_a_snapped_line_joins_the_points(ctx):
    ed = ctx.start_editor()
    ed.press("m")
    ed.wait_for(lambda s: prompt_text(s, 18) == "Mirror: left-right", what="the mirror's message")
    point, image = (40, 30), (215, 30)
    ed.click_point(point)
    ed.park_pointer()
    shot = ed.wait_for(lambda s: cells_show(s, [point, image], DRAW_GREEN), what="the point and its mirror image")
    check_equal([shot.pixel(128, y) for y in (150, 151)], [MIRROR_AXIS, BLACK], "the dotted axis in the view")
    ed.type_keys("b", "w")
    wait_until(lambda: ed.title() == "Tessary v.0.3 - slot 1 - lines - mirror - snap *", what="the aids in the title")
    # Both clicks fall a few pixels beside the points, and the line joins them;
    # its own mirror image, it is stored once.
    ed.enter_line((44, 31), (211, 33), start_probe=(44, 45), end_probe=(211, 45))
    shot = ed.wait_panel({"No. lines": "1", "No. Pixels": "2"}, "one line between the points")
    check_cells(shot, line_cells(point, image), DRAW_GREEN, "overview", overview)
    check_equal(shot.pixel(*image), RED, "the cursor shown on the end it snapped to")


if __name__ == "__main__":
    sys.exit(run_cases([
        case_point_placed_shown_zoomed_and_erased,
        case_point_placed_once_per_cell,
        case_line_entered_found_and_deleted,
        case_keypad_steps_through_the_lines_found,
        case_right_click_in_line_mode_drops_the_line_in_progress,
        case_shift_clicks_chain_a_closed_square_and_the_title_names_each_mode,
        case_clear_undone_and_redone,
        case_mirror_draws_both_halves_and_a_snapped_line_joins_the_points,
    ], sys.argv[1]))
