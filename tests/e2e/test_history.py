"""End-to-end: points drawn and saved, the editor quit and started again, `l`
brings the slot back with its history: `u` takes back the last point, then the
one before, `y` puts it back. Nothing new appears in the picture folder.

Run: python3 tests/e2e/test_history.py path/to/tessary
"""
import os
import sys

from harness import BLACK, DRAW_GREEN, cells_show, check_equal, run_cases

POINTS = [(12, 30), (40, 8), (25, 44)]


def shows(drawn, gone):
    return lambda s: cells_show(s, drawn, DRAW_GREEN) and cells_show(s, gone, BLACK)


def case_draw_save_quit_restart_load_undo(ctx):
    ed = ctx.start_editor()
    for cell in POINTS:  # one step each
        ed.click_point(cell)
    ed.park_pointer()
    ed.wait_for(shows(POINTS, []), what="the drawn points")
    ed.press("s")
    ctx.wait_file("pixels1.txt", b"12 30 \n40 8 \n25 44 \n")
    ed.quit_with_escape()
    check_equal(ed.wait_exit(), 0, "exit status")

    ed = ctx.start_editor()
    ed.press("l")
    ed.wait_for(shows(POINTS, []), what="the loaded points")
    ed.press("u")
    ed.wait_for(shows(POINTS[:2], POINTS[2:]), what="the last point taken back")
    ed.press("u")
    ed.wait_for(shows(POINTS[:1], POINTS[1:]), what="the one before it taken back")
    ed.press("y")
    ed.wait_for(shows(POINTS[:2], POINTS[2:]), what="it back again after y")
    ed.quit_with_escape()
    check_equal(ed.wait_exit(), 0, "exit status")
    check_equal(sorted(os.listdir(ctx.workdir)), ["lines1.txt", "pixels1.txt"], "the picture folder")


if __name__ == "__main__":
    sys.exit(run_cases([case_draw_save_quit_restart_load_undo], sys.argv[1]))
