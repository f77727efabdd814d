"""End-to-end: the window, and the ways the editor ends.

Run: python3 tests/e2e/test_foundation.py path/to/tessary
"""
import os
import subprocess
import sys

from harness import BLACK, WINDOW_TITLE, check, check_equal, run_cases


def case_window_is_640_square_with_title_and_black(ctx):
    ed = ctx.start_editor(wait_frame=False)
    check_equal(ed.size, (640, 640), "window size")
    check_equal(ed.title(), WINDOW_TITLE, "window title")
    shot = ed.wait_pixel(600, 300, BLACK, what="the window cleared to black")
    check_equal(shot.pixel(0, 0), BLACK, "top-left pixel")
    check_equal(shot.pixel(639, 639), BLACK, "bottom-right pixel")
    check(ed.process.poll() is None, "the editor ended on its own")


def case_escape_ends_with_status_0(ctx):
    ed = ctx.start_editor(wait_frame=False)
    ed.quit_with_escape()
    check_equal(ed.wait_exit(), 0, "exit status after Escape")
    check(not ed.window_exists(), "the window is still open after Escape")


def case_window_close_ends_with_status_0(ctx):
    ed = ctx.start_editor(wait_frame=False)
    ed.close_window()
    check_equal(ed.wait_exit(), 0, "exit status after closing the window")
    check(not ed.window_exists(), "the window is still open after the close")


def case_window_close_in_line_mode_ends_with_status_0(ctx):
    ed = ctx.start_editor()
    ed.press("w")  # line mode: every pass now waits for an event
    ed.close_window()
    check_equal(ed.wait_exit(), 0, "exit status after closing the window in line mode")


def case_escape_in_line_mode_ends_with_status_0(ctx):
    ed = ctx.start_editor()
    ed.press("w")
    ed.quit_with_escape()
    check_equal(ed.wait_exit(), 0, "exit status after Escape in line mode")


def case_video_failure_reports_and_exits_1(ctx):
    env = dict(os.environ, SDL_VIDEODRIVER="nonexistent")
    result = subprocess.run([ctx.binary], cwd=ctx.workdir, env=env, capture_output=True, timeout=10)
    check_equal(result.returncode, 1, "exit status with an unusable video driver")
    out = result.stdout.decode(errors="replace")
    check(out.startswith("Unable to init SDL: "), "stdout should start with the SDL message, got %r" % out)
    check(out.endswith("\n") and out.count("\n") == 1, "the message should be one line, got %r" % out)


if __name__ == "__main__":
    sys.exit(run_cases([
        case_window_is_640_square_with_title_and_black,
        case_escape_ends_with_status_0,
        case_window_close_ends_with_status_0,
        case_window_close_in_line_mode_ends_with_status_0,
        case_escape_in_line_mode_ends_with_status_0,
        case_video_failure_reports_and_exits_1,
    ], sys.argv[1]))
