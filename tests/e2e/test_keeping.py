"""End-to-end: no picture is lost by quitting, a signal, a kill or a save over
another picture. Every way out (the window destroyed by another program too)
leaves the unsaved copy that the next start restores with its history (`u`
takes back the last point, then the others); `s` over a saved slot keeps the
old picture for `k`; a signal during a save slowed by strace (every fsync 2 s
late, as on a network or USB folder) waits for the save to end whole. Each case has its
own XDG_STATE_HOME (the harness sets it).

Run: python3 tests/e2e/test_keeping.py path/to/tessary
"""
import glob
import os
import signal
import sys
import time

from harness import (BACKGROUND_PROMPT, BLACK, DRAW_GREEN, WINDOW_TITLE, cells_show, check, check_equal,
                     prompt_text, run_cases, wait_until)

POINTS = [(10, 20), (30, 5), (3, 40)]


def draw(ed, cells):
    for cell in cells:
        ed.click_point(cell)
    ed.park_pointer()
    ed.wait_for(lambda s: cells_show(s, cells, DRAW_GREEN), what="the drawn points")


def wait_prompt(ed, text):
    ed.wait_for(lambda s: prompt_text(s, len(text)) == text, what="%r on the prompt line" % text)


def unsaved_copies(ctx):
    return glob.glob(os.path.join(ctx.state_home(), "tessary", "*", "unsaved-*.kept"))


def leave_colour_prompt(ed):
    ed.press("c")
    wait_prompt(ed, BACKGROUND_PROMPT)
    ed.press("Escape")


def close_in_prompt(key, prompt):
    """Closes the window while the prompt that `key` opens is asking."""
    def leave(ed):
        ed.press(key)
        wait_prompt(ed, prompt)
        ed.close_window()
    return leave


def kill_later(sig, delay=0.0):
    def leave(ed):
        time.sleep(delay)
        os.kill(ed.process.pid, sig)
    return leave


# How the editor is left after drawing, and the exit status that gives
# (negative: ended by that signal).
WAYS_OUT = [
    ("escape", lambda ed: ed.quit_with_escape(), 0),
    ("close_button", lambda ed: ed.close_window(), 0),
    ("window_destroyed_from_outside", lambda ed: ed.destroy_window(), 0),
    ("escape_in_colour_prompt", leave_colour_prompt, 1),
    ("close_in_colour_prompt", close_in_prompt("c", BACKGROUND_PROMPT), 0),
    ("close_in_export_prompt", close_in_prompt("r", "Export mode"), 0),
    ("close_in_trace_prompt", close_in_prompt("t", "Image to trace"), 0),
    ("close_in_speed_prompt", close_in_prompt("A", "Frames per second"), 0),
    ("sigterm", kill_later(signal.SIGTERM), -signal.SIGTERM),
    ("sighup", kill_later(signal.SIGHUP), -signal.SIGHUP),
    ("sigint", kill_later(signal.SIGINT), -signal.SIGINT),
    ("sigkill_3s_after_the_change", kill_later(signal.SIGKILL, 3.0), -signal.SIGKILL),
]


def restored_after(leave, status):
    def case(ctx):
        ed = ctx.start_editor()
        draw(ed, POINTS)
        leave(ed)
        check_equal(ed.wait_exit(), status, "exit status")

        ed = ctx.start_editor()
        wait_prompt(ed, "Restored unsaved picture")
        ed.wait_for(lambda s: cells_show(s, POINTS, DRAW_GREEN), what="the restored picture")
        check_equal(ed.title(), WINDOW_TITLE + " *", "title of the restored, unsaved picture")
        ed.press("u")
        ed.wait_for(lambda s: cells_show(s, POINTS[:-1], DRAW_GREEN) and cells_show(s, POINTS[-1:], BLACK),
                    what="the last point taken back by u")
        ed.press("u")
        ed.press("u")
        ed.wait_for(lambda s: cells_show(s, POINTS, BLACK), what="the empty start after two more")
        wait_until(lambda: not unsaved_copies(ctx), what="the copy gone with the empty picture")
        check_equal(ed.title(), WINDOW_TITLE, "title of the empty picture")
    return case


# The editor under strace, every fsync of every thread delayed by 2 s.
SLOW_FSYNC = ["strace", "-f", "-qq", "-o", os.devnull, "-e", "trace=fsync", "-e", "inject=fsync:delay_enter=2000000"]


def case_a_signal_during_a_slow_save_waits_for_it(ctx):
    old, new = (b"100 100 \n", b"1 1 2 2 \n\n"), (b"10 20 \n30 5 \n", b"\n")
    ctx.write_file("pixels1.txt", old[0])
    ctx.write_file("lines1.txt", old[1])
    ed = ctx.start_editor(wrapper=SLOW_FSYNC)
    draw(ed, POINTS[:2])
    ed.press("s")  # keeps the old slot, then writes the points file's temporary
    wait_until(lambda: glob.glob(ctx.path(".pixels1.txt.*")), timeout=30, what="the save under way")
    os.kill(ed.pid, signal.SIGTERM)
    check_equal(ed.wait_exit(timeout=60), -signal.SIGTERM, "exit status")
    slot = (ctx.read_file("pixels1.txt"), ctx.read_file("lines1.txt"))
    check(slot in (old, new), "the slot is wholly old or wholly new: %r" % (slot,))
    check_equal(sorted(os.listdir(ctx.workdir)), ["lines1.txt", "pixels1.txt"], "the working folder")
    gone = old if slot == new else new  # the picture the slot does not hold is kept
    kept = [open(path, "rb").read() for path in glob.glob(os.path.join(ctx.state_home(), "tessary", "*", "*.kept"))]
    check(any(gone[0] in text and gone[1] in text for text in kept), "%r kept" % (gone,))


def case_save_over_a_saved_slot_then_k_brings_it_back(ctx):
    old_points, old_lines = b"10 20 \n30 5 \n3 40 \n", b"20 60 50 70 \n\n"
    ctx.write_file("pixels1.txt", old_points)
    ctx.write_file("lines1.txt", old_lines)
    ed = ctx.start_editor()
    ed.press("s")  # the empty start over the saved picture
    ctx.wait_file("pixels1.txt", b"")
    wait_prompt(ed, "Saved; old slot 1 kept, k brings it")

    ed.press("k")
    wait_prompt(ed, "Kept 1 of 1: old slot 1, ")
    ed.wait_for(lambda s: cells_show(s, POINTS, DRAW_GREEN), what="the kept picture")
    wait_until(lambda: unsaved_copies(ctx), what="the unsaved copy of the kept picture")
    ed.press("s")
    ctx.wait_file("pixels1.txt", old_points)
    ctx.wait_file("lines1.txt", old_lines)
    wait_prompt(ed, "Saved slot 1")
    wait_until(lambda: not unsaved_copies(ctx), what="no copy of the saved picture")
    ed.quit_with_escape()
    check_equal(ed.wait_exit(), 0, "exit status")


def named(case, name):
    case.__name__ = "case_%s_then_restored" % name
    return case


CASES = [named(restored_after(leave, status), name) for name, leave, status in WAYS_OUT]
CASES += [case_save_over_a_saved_slot_then_k_brings_it_back, case_a_signal_during_a_slow_save_waits_for_it]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv[1]))
