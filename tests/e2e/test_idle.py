"""End-to-end: what the window shows once the editor has been left alone, after
a held arrow and after mouse motion. Between inputs the editor waits for the
next event and presents only what changed, so every stale pixel would stay:
the whole view area is compared with the frame its state calls for.

Run: python3 tests/e2e/test_idle.py path/to/tessary
"""
import sys
import time

from harness import BLACK, DRAW_GREEN, RED, cells_show, check, run_cases, view

# Long enough for the loop to have run out of work and be waiting.
IDLE = 0.5
VIEW_WIDTH, VIEW_HEIGHT = 640, 400


def check_view_area(shot, coloured, what):
    """Fails unless every pixel of the view area shows its colour in
    `coloured` (window pixel -> colour), and every other one is black."""
    wrong = [(x, y) for y in range(VIEW_HEIGHT) for x in range(VIEW_WIDTH)
             if shot.pixel(x, y) != coloured.get((x, y), BLACK)]
    check(not wrong, "%s: %d view pixels differ from the expected frame, first %s"
          % (what, len(wrong), [(p, shot.pixel(*p)) for p in wrong[:3]]))


def drawn(points, cursor):
    """View pixels of `points` in the drawing colour and of `cursor` in red."""
    coloured = {p: DRAW_GREEN for p in points}
    coloured[cursor] = RED
    return coloured


def case_screen_after_idling_a_held_arrow_and_mouse_motion(ctx):
    ed = ctx.start_editor()
    points = [(255, 10), (100, 50), (20, 120)]
    for cell in points:
        ed.click_point(cell)
    ed.park_pointer()  # beyond the canvas: the cursor on its last cell
    time.sleep(IDLE)
    shot = ed.wait_panel({"X": "255", "Y": "199", "X_Start": "0", "No. Pixels": "3"}, "after idling")
    check_view_area(shot, drawn([view(c) for c in points], (255, 199)), "after idling")
    check(cells_show(shot, points, DRAW_GREEN), "the points in the overview after idling")

    # Held Right pans one column a pass up to the last column, which then
    # stands at the left edge of the view area with the clamped cursor.
    ed.key_down("Right")
    try:
        ed.wait_panel({"X_Start": "255"}, "the pan to its bound")
        time.sleep(IDLE)
    finally:
        ed.key_up("Right")
    time.sleep(IDLE)
    shot = ed.wait_panel({"X": "255", "Y": "199", "X_Start": "255"}, "after the held arrow")
    check_view_area(shot, drawn([(0, 10)], (0, 199)), "after the held arrow")

    ed.press("8")  # back to the origin
    trail = [(30 + k, 30 + k // 2) for k in range(12)] + [(60, 70)]
    ed.move_burst([view(c) for c in trail])
    time.sleep(IDLE)
    shot = ed.wait_panel({"X": "60", "Y": "70", "X_Start": "0"}, "after the mouse motion")
    check_view_area(shot, drawn([view(c) for c in points], view((60, 70))), "after the mouse motion")


if __name__ == "__main__":
    sys.exit(run_cases([case_screen_after_idling_a_held_arrow_and_mouse_motion], sys.argv[1]))
