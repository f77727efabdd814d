"""End-to-end: input as automation, touchpads and remote desktops send it.
A click or a key press sent back to back with its release still acts, a drag
sent as fast as xdotool goes keeps every cell, and a held arrow pans at its own
pace in every mode, whatever the machine.

Run: python3 tests/e2e/test_input.py path/to/tessary
"""
import sys
import time

from harness import BLACK, check, overview, panel_values, run_cases, view

SETTLE = 0.3


def settled_value(ed, name):
    time.sleep(SETTLE)  # every queued event taken
    return int(panel_values(ed.screenshot())[name])


def case_clicks_and_key_presses_without_a_hold(ctx):
    ed = ctx.start_editor()
    cell = (40, 50)
    ed.move(*view(cell))
    ed.click(1)
    ed.wait_for(lambda s: s.pixel(*overview(cell)) != BLACK, what="the clicked point in the overview")
    ed.taps("z", 20)
    ed.wait_panel({"Scale": "21"}, "twenty presses of z")


def case_a_drag_as_fast_as_xdotool_goes_keeps_every_cell(ctx):
    # The costliest picture: 512 lines across the whole canvas.
    lines = b"".join(b"0 %d 255 %d \n" % ((i * 7) % 200, 199 - (i * 7) % 200) for i in range(512))
    ctx.write_file("pixels1.txt", b"")
    ctx.write_file("lines1.txt", lines + b"\n")
    ed = ctx.start_editor()
    ed.press("l")
    ed.press("z")
    ed.press("z")
    ed.wait_panel({"No. lines": "512", "Scale": "3"}, "the picture loaded at scale 3")
    cells = 200
    row = 3 * 120 + 1
    args = ["mousemove", str(ed.origin[0] + 1), str(ed.origin[1] + row), "mousedown", "1"]
    for cell in range(1, cells):
        args += ["mousemove", str(ed.origin[0] + 3 * cell + 1), str(ed.origin[1] + row)]
    ed._xdotool(args + ["mouseup", "1"])
    ed.wait_panel({"No. Pixels": str(cells)}, "a point on each of the %d cells dragged over" % cells)


def held_for(ed, key, seconds, name):
    """Holds `key` for `seconds` and returns how far the panel value `name` moved."""
    before = settled_value(ed, name)
    ed.key_down(key)
    time.sleep(seconds)
    ed.key_up(key)
    return settled_value(ed, name) - before


def case_arrows_pan_at_a_steady_pace(ctx):
    ed = ctx.start_editor()
    ed.park_pointer()
    tap = held_for(ed, "Right", 0.05, "X_Start")
    check(tap == 1, "a 50 ms tap of Right panned %d steps, not one" % tap)
    second = held_for(ed, "Right", 1.0, "X_Start")
    check(30 <= second <= 60, "Right held one second in point mode panned %d steps" % second)
    ed.press("w")  # line mode, with the mouse still
    second = held_for(ed, "Down", 1.0, "Y_Start")
    check(30 <= second <= 60, "Down held one second in line mode panned %d steps" % second)


if __name__ == "__main__":
    sys.exit(run_cases([case_clicks_and_key_presses_without_a_hold,
                                case_a_drag_as_fast_as_xdotool_goes_keeps_every_cell,
                                case_arrows_pan_at_a_steady_pace], sys.argv[1]))
