"""End-to-end: finding one's way inside the window. The help page on h and F1
closes on any key or button without acting, the wheel zooms about the
pointer, Ctrl+Z undoes and Ctrl+Shift+Z redoes.

Run: python3 tests/e2e/test_findyourway.py path/to/tessary
"""
import sys
import time

from harness import BLACK, DRAW_GREEN, HOLD, PRINTABLE, WHITE, check, check_equal, overview, read_text, run_cases

HELP_KEYS_X = 8  # the help page's keys column
PALETTE_7 = (53, 40, 121)


def help_rows(shot):
    """The texts of the help page's keys column, one per text row found."""
    rows = []
    for y in range(0, 400 - 8 + 1):  # a row as low as the view area's last pixel row
        text = read_text(shot, HELP_KEYS_X, y, 16, ink=WHITE, alphabet=PRINTABLE).rstrip()
        if text and "?" not in text:
            rows.append(text)
    return rows


def case_help_lists_the_keys_and_closes_without_acting(ctx):
    ed = ctx.start_editor()
    cell = (40, 30)
    ed.click_point(cell)
    ed.park_pointer()
    ed.wait_pixel(*cell, DRAW_GREEN, what="the point")
    for opening, closing in (("h", "z"), ("F1", "button")):
        ed.press(opening)
        shot = ed.wait_for(lambda s: s.pixel(*cell) == BLACK and s.count(PALETTE_7, 0, 0, 639, 399) > 0,
                           what="the help page after %s" % opening)
        rows = help_rows(shot)
        for keys in ("q", "w", "z / x, wheel", "s / l", "c / v", "u, Ctrl+Z", "h, F1", "Escape"):
            check(keys in rows, "the help page lists %r: %s" % (keys, rows))
        if closing == "button":
            ed.move(60, 30)  # a left click in point mode would place a point here
            ed.button_down(1)
            time.sleep(HOLD)  # a click as long as a hand makes it, so a pass sees it held
            ed.button_up(1)
        else:
            ed.press(closing)
        ed.park_pointer()
        shot = ed.wait_pixel(*cell, DRAW_GREEN, what="the view back after %s" % closing)
        check_equal(shot.count(PALETTE_7, 0, 0, 639, 399), 0, "palette swatches left in the view")
        check_equal(shot.pixel(*overview((60, 30))), BLACK, "the overview where the click fell")
        ed.wait_panel({"Scale": "1", "No. Pixels": "1"}, "the panel after %s" % closing)


def case_wheel_keeps_the_cell_under_the_pointer(ctx):
    ed = ctx.start_editor()
    cell = (100, 80)
    ed.click_point(cell)  # the pointer stays on the cell
    ed._xdotool(["click", "--repeat", "2", "--delay", "60", "4"])  # two notches away: scale 3
    # The cell stays under the pointer: 100 = 67 + 100 // 3, 80 = 54 + 80 // 3.
    ed.wait_panel({"Scale": "3", "X_Start": "67", "Y_Start": "54", "X": "100", "Y": "80"}, "two notches in")
    ed._xdotool(["click", "5"])  # one towards the user: scale 2
    ed.wait_panel({"Scale": "2", "X_Start": "50", "Y_Start": "40", "X": "100", "Y": "80"}, "one notch out")
    ed.park_pointer()
    shot = ed.wait_pixel(100, 80, DRAW_GREEN, what="the point under where the pointer was")
    check_equal(shot.pixel(102, 80), BLACK, "the pixel right of the 2 x 2 cell")
    ed.wait_panel({"No. Pixels": "1"}, "the wheel placed nothing")


def case_ctrl_z_undoes_and_ctrl_shift_z_redoes(ctx):
    ed = ctx.start_editor()
    first, second = (30, 40), (33, 40)
    ed.place_points(first, second)
    ed.press("ctrl+z")
    shot = ed.wait_pixel(*second, BLACK, what="the second point undone")
    check_equal(shot.pixel(*first), DRAW_GREEN, "the first point")
    ed.wait_panel({"Scale": "1", "No. Pixels": "1"}, "Ctrl+Z undoes and does not zoom")
    ed.press("ctrl+shift+z")
    ed.wait_pixel(*second, DRAW_GREEN, what="the second point redone")
    ed.wait_panel({"Scale": "1", "No. Pixels": "2"}, "Ctrl+Shift+Z redoes")


if __name__ == "__main__":
    sys.exit(run_cases([case_help_lists_the_keys_and_closes_without_acting,
                        case_wheel_keeps_the_cell_under_the_pointer,
                        case_ctrl_z_undoes_and_ctrl_shift_z_redoes], sys.argv[1]))
