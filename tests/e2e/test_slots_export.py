"""End-to-end: saving to and loading from the slot files, exporting sorted
tables, a save that cannot be written, and the image files of key e.

Run: python3 tests/e2e/test_slots_export.py path/to/tessary
"""
import os
import shutil
import subprocess
import sys

from harness import (BLACK, DRAW_GREEN, LINES_PROMPT, POINTS_PROMPT, cells_show, check, check_equal,
                     line_cells, overview, prompt_ink, read_png, run_cases, wait_until)

DARK_GREEN = (0, 128, 0)


def picture_shown(shot, cells):
    return cells_show(shot, cells, DRAW_GREEN)


def picture_gone(shot, cells):
    return cells_show(shot, cells, BLACK)


LINE_START, LINE_END = (20, 60), (50, 70)


def draw_points_and_line(ed, points):
    """Places `points` in point mode, then enters the line from LINE_START to
    LINE_END in line mode, and goes back to point mode."""
    for cell in points:
        ed.click_point(cell)
    ed.press("w")
    ed.enter_line(LINE_START, LINE_END, (20, 58), (50, 72))
    ed.press("q")


def case_save_clear_and_load_a_slot(ctx):
    ed = ctx.start_editor()
    points = [(10, 20), (30, 5), (3, 40)]
    start, end = LINE_START, LINE_END
    draw_points_and_line(ed, points)
    ed.park_pointer()
    cells = points + line_cells(start, end)
    ed.wait_for(lambda s: picture_shown(s, cells), what="the drawn picture")

    ed.press("s")
    ctx.wait_file("pixels1.txt", b"10 20 \n30 5 \n3 40 \n")
    ctx.wait_file("lines1.txt", b"20 60 50 70 \n\n")

    ed.press("grave")  # clears the picture
    ed.wait_for(lambda s: picture_gone(s, cells), what="the cleared picture")
    ed.press("l")
    ed.wait_for(lambda s: picture_shown(s, cells), what="the loaded picture")

    # Slot 3 gets its own pair of files; slot 1 keeps its own.
    ed.press("3")
    ed.click_point((100, 100))
    ed.press("s")
    ctx.wait_file("pixels3.txt", b"10 20 \n30 5 \n3 40 \n100 100 \n")
    ctx.wait_file("lines3.txt", b"20 60 50 70 \n\n")
    check_equal(ctx.read_file("pixels1.txt"), b"10 20 \n30 5 \n3 40 \n", "slot 1 after saving slot 3")


def case_load_replaces_the_picture_with_the_slot(ctx):
    ctx.write_file("pixels2.txt", b"7 8 \r\n9 10 \r\n")
    ctx.write_file("lines2.txt", b"40 10 60 10 \n\n")
    ed = ctx.start_editor()
    ed.click_point((120, 120))
    ed.press("2")
    ed.press("l")
    loaded = [(7, 8), (9, 10)] + line_cells((40, 10), (60, 10))
    ed.park_pointer()
    shot = ed.wait_for(lambda s: picture_shown(s, loaded), what="the picture of slot 2")
    check(picture_gone(shot, [(120, 120)]), "the point drawn before the load is still shown")


def case_export_writes_sorted_tables(ctx):
    ctx.write_file("pixels1.txt", b"5 1 \n2 9 \n5 0 \n")
    ctx.write_file("lines1.txt", b"3 4 10 4 \n1 2 3 9 \n7 4 0 0 \n\n")
    ed = ctx.start_editor()
    ed.press("l")
    ed.wait_for(lambda s: picture_shown(s, [(5, 1), (2, 9), (5, 0)]), what="the loaded picture")
    ed.press("r")
    ed.answer_prompt(POINTS_PROMPT, "0")  # points on x
    ed.answer_prompt(LINES_PROMPT, "1")  # lines on y1
    # Equal keys keep their table order: (5, 1) stays before (5, 0).
    ctx.wait_file("elines1.txt", b"1,2,3,9,\n3,4,10,4,\n7,4,0,0,\n\n")
    ctx.wait_file("epixels1.txt", b"2,9,\n5,1,\n5,0,\n")
    # The sorted order stays in the picture: the next save writes it.
    ed.press("s")
    ctx.wait_file("pixels1.txt", b"2 9 \n5 1 \n5 0 \n")
    ctx.wait_file("lines1.txt", b"1 2 3 9 \n3 4 10 4 \n7 4 0 0 \n\n")


def case_export_of_an_empty_picture(ctx):
    ed = ctx.start_editor()
    ed.press("4")
    ed.press("r")
    ed.answer_prompt(POINTS_PROMPT, "1")
    ed.answer_prompt(LINES_PROMPT, "3")
    ctx.wait_file("elines4.txt", b"\n")
    ctx.wait_file("epixels4.txt", b"")


def case_failed_save_reports_and_keeps_the_old_files(ctx):
    os.mkdir(ctx.path("pixels1.txt"))
    ctx.write_file("lines1.txt", b"1 2 3 4 \n\n")
    ed = ctx.start_editor()
    ed.click_point((10, 10))
    ed.park_pointer()
    ed.press("s")
    shot = ed.wait_for(lambda s: prompt_ink(s) > 0, what="a message on the prompt line")
    check(os.path.isdir(ctx.path("pixels1.txt")), "pixels1.txt is no longer a directory")
    check_equal(ctx.read_file("lines1.txt"), b"1 2 3 4 \n\n", "lines1.txt after the failed save")
    check("pixels1.txt" in ed.stderr(), "standard error should name pixels1.txt, got %r" % ed.stderr())
    check(ed.process.poll() is None, "the editor ended after the failed save")
    check_equal(shot.pixel(10, 10), DRAW_GREEN, "the picture after the failed save")
    leftovers = sorted(set(os.listdir(ctx.workdir)) - {"pixels1.txt", "lines1.txt"})
    check_equal(leftovers, [], "files left in the working directory")


def check_image_shows(path, cells, what):
    """Fails unless the PNG at `path` is 256 x 200 and holds `cells` (rows of colours)."""
    width, height, rows = read_png(path)
    check_equal((width, height), (256, 200), "size of " + what)
    wrong = [(x, y) for y in range(height) for x in range(width) if rows[y][x] != cells[y][x]]
    check(not wrong, "%s: %d pixels differ from the overview, first %s" % (what, len(wrong), wrong[:3]))


def case_image_export_matches_the_overview(ctx):
    ed = ctx.start_editor()
    points = [(10, 20), (30, 5), (50, 70)]  # the line covers (50, 70)
    start, end = LINE_START, LINE_END
    draw_points_and_line(ed, points)
    ed.press("p")  # lines in dark green
    ed.park_pointer()
    ed.wait_for(lambda s: cells_show(s, points[:2], DRAW_GREEN) and cells_show(s, line_cells(start, end), DARK_GREEN),
                what="the picture with dark green lines")
    ed.press("e")
    wait_until(lambda: os.path.exists(ctx.path("picture1.png")), what="picture1.png")
    shot = ed.screenshot()
    on_screen = [[shot.pixel(*overview((x, y))) for x in range(256)] for y in range(200)]
    check_image_shows(ctx.path("picture1.png"), on_screen, "picture1.png")
    if shutil.which("rsvg-convert"):
        subprocess.run(["rsvg-convert", "-o", ctx.path("svg.png"), ctx.path("picture1.svg")], check=True)
        check_image_shows(ctx.path("svg.png"), on_screen, "picture1.svg as rendered")
    else:
        print("rsvg-convert not found: picture1.svg is not rendered", flush=True)

    # The headless render of the saved slot writes the same files.
    ed.press("s")
    ctx.wait_file("lines1.txt", b"20 60 50 70 \n\n")
    subprocess.run([ctx.binary, "--render", "1", "--dir", ctx.workdir, "--separate", "--svg", ctx.path("r.svg"),
                    "--png", ctx.path("r.png")], check=True, timeout=20)
    check(ctx.read_file("r.svg") == ctx.read_file("picture1.svg"), "the rendered SVG differs from key e's")
    check(ctx.read_file("r.png") == ctx.read_file("picture1.png"), "the rendered PNG differs from key e's")


if __name__ == "__main__":
    sys.exit(run_cases([
        case_save_clear_and_load_a_slot,
        case_load_replaces_the_picture_with_the_slot,
        case_export_writes_sorted_tables,
        case_export_of_an_empty_picture,
        case_failed_save_reports_and_keeps_the_old_files,
        case_image_export_matches_the_overview,
    ], sys.argv[1]))
