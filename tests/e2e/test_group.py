# End-to-end: group mode selects with a band, moves the group by a drag, copies
# it and pastes it into another slot's picture, each edit one step of undo.
# Run: python3 tests/e2e/test_group.py path/to/tessary
import sys
import time

from harness import BLACK, DRAW_GREEN, EVENT_GAP, RED, check_cells, overview, prompt_text, run_cases


def drag(ed, start, end):
    # The left button held from window pixel `start` to `end`, with a pass for each step.
    for step in (lambda: ed.move(*start), ed.button_down, lambda: ed.move(*end), ed.button_up):
        step()
        time.sleep(EVENT_GAP)


def wait_message(ed, text):
    ed.wait_for(lambda s: prompt_text(s, len(text)) == text, what="the message %r" % text)


def case_group_selected_moved_copied_pasted_and_undone(ctx):
    ed = ctx.start_editor()
    first, second = (10, 10), (14, 12)
    ed.place_points(first, second, (40, 10))
    ed.press("g")
    ed.wait_for(lambda s: "- group" in ed.title(), what="the title naming group mode")

    drag(ed, (8, 8), (16, 14))  # the band holds the first two points only
    wait_message(ed, "Selected 2 points, 0 lines")
    shot = ed.wait_pixel(*second, RED, what="the selected point in red")
    check_cells(shot, [first, second], RED, "overview", overview)

    drag(ed, first, (20, 10))  # picked up at a selected point, ten cells right
    shot = ed.wait_pixel(24, 12, RED, what="the moved group")
    check_cells(shot, [(20, 10), (24, 12)], RED, "overview", overview)
    check_cells(shot, [first, second], BLACK, "view area, where the group was")

    ed.press("ctrl+c")
    ed.press("2")
    ed.press("grave")  # slot 2 starts from an empty picture
    ed.wait_panel({"Used picture slot": "2", "No. Pixels": "0"}, "slot 2, empty")
    ed.park_pointer(50, 40)  # the cursor cell, where the paste's top-left cell goes
    ed.press("ctrl+v")
    wait_message(ed, "Pasted 2 points, 0 lines")
    shot = ed.wait_panel({"No. Pixels": "2"}, "the pasted points")
    check_cells(shot, [(50, 40), (54, 42)], RED, "overview", overview)

    ed.press("u")  # the paste
    ed.wait_panel({"No. Pixels": "0"}, "the paste undone")
    ed.press("u")  # the clear
    ed.wait_panel({"No. Pixels": "3"}, "the clear undone")
    ed.press("u")  # the whole drag at once
    shot = ed.wait_pixel(*first, DRAW_GREEN, what="the drag undone in one step")
    check_cells(shot, [first, second, (40, 10)], DRAW_GREEN, "view area")


if __name__ == "__main__":
    sys.exit(run_cases([case_group_selected_moved_copied_pasted_and_undone], sys.argv[1]))
