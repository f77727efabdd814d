// The drawing aids in the editor: m and b with their messages and the title,
// points and lines drawn at their mirror images as one step of the history,
// line ends snapping within 8 screen pixels at several scales, Ctrl keeping the
// rubber band straight, and what the frame draws for them.
#include "aids.h"
#include "colorunder.h"
#include "editor_fixture.h"
#include "file_fixture.h"
#include "mouse.h"
#include "title.h"

namespace {

class Aids : public EditorTest {
protected:
    const Uint32 axis = packed(ColorRGB(255, 0, 255));

    void at(int x, int y) {
        e.rmouseX = x;
        e.rmouseY = y;
    }
    // The pointer at window pixel (x, y), mapped to its cell and aimed as the cursor step does.
    void pointer(int x, int y) {
        e.mouseX = x;
        e.mouseY = y;
        const ViewBounds bounds = viewBounds(e);
        at(cursorCell(x, e.scale, e.X_Start, bounds.max_x), cursorCell(y, e.scale, e.Y_Start, bounds.max_y));
        aimCursor(e);
    }
    Cell cursor() const { return {e.rmouseX, e.rmouseY}; }
    void press(int key) { pressKey(key, [&] { aidKeys(e); }); }
    void ctrl(bool down) {
        setKey(SDLK_LCTRL, down);
        readKeys();
    }
};

TEST_F(Aids, KeysCycleTheMirrorAndSwitchSnappingSayingSo) {
    const struct {
        int key;
        Mirror mirror;
        bool snap;
        const char* said;
        const char* title;
    } presses[] = {
        {SDLK_m, Mirror::leftRight, false, "Mirror: left-right", "Tessary v.0.3 - slot 1 - points - mirror"},
        {SDLK_b, Mirror::leftRight, true, "Snap to ends: on", "Tessary v.0.3 - slot 1 - points - mirror - snap"},
        {SDLK_m, Mirror::topBottom, true, "Mirror: top-bottom", "Tessary v.0.3 - slot 1 - points - mirror - snap"},
        {SDLK_m, Mirror::both, true, "Mirror: both", "Tessary v.0.3 - slot 1 - points - mirror - snap"},
        {SDLK_b, Mirror::both, false, "Snap to ends: off", "Tessary v.0.3 - slot 1 - points - mirror"},
        {SDLK_m, Mirror::off, false, "Mirror: off", "Tessary v.0.3 - slot 1 - points"},
    };
    for (const auto& p : presses) {
        press(p.key);
        EXPECT_EQ(e.mirror, p.mirror) << p.said;
        EXPECT_EQ(e.snap, p.snap) << p.said;
        EXPECT_TRUE(promptLineShows(p.said, black));
        EXPECT_EQ(windowTitle(e.nr, e.mode, false, aidsInTitle(e)), p.title);
    }
}

TEST_F(Aids, PointsPlacedAndErasedAtTheirImagesAreOneStepEach) {
    e.mirror = Mirror::both;
    e.LMB = true;
    at(10, 20);
    editStep(e);
    at(11, 20);  // dragged on: the same stroke
    editStep(e);
    e.LMB = false;
    editStep(e);
    EXPECT_EQ(tables().pixels_Amount, 8);
    for (const Cell c : {Cell{245, 20}, Cell{10, 179}, Cell{244, 179}}) EXPECT_GE(tables().pointAt(c.x, c.y), 0);
    e.RMB = true;
    at(245, 179);  // an image erases the point that made it, and the rest
    editStep(e);
    e.RMB = false;
    editStep(e);
    EXPECT_EQ(tables().pixels_Amount, 4);
    EXPECT_LT(tables().pointAt(10, 20), 0);
    ASSERT_TRUE(e.picture.undo());
    EXPECT_EQ(tables().pixels_Amount, 8);
    ASSERT_TRUE(e.picture.undo());
    EXPECT_EQ(tables().pixels_Amount, 0);
}

TEST_F(Aids, ImagesWithoutRoomAreLeftOutAndCounted) {
    for (int i = 0; i < p_number - 2; ++i) addPoint(i % 100, 150 + i / 100);
    e.mirror = Mirror::both;
    e.LMB = true;
    at(10, 20);
    editStep(e);
    EXPECT_EQ(tables().pixels_Amount, p_number);
    EXPECT_GE(tables().pointAt(245, 20), 0);
    EXPECT_TRUE(promptLineShows("2 mirror images did not fit: table full", black));
}

TEST_F(Aids, ALineAndItsImagesAreOneStep) {
    e.mode = lineMode;
    const struct {
        Mirror mirror;
        Segment line;
        int stored;
    } cases[] = {
        {Mirror::both, {{10, 10}, {40, 20}}, 4},
        {Mirror::leftRight, {{100, 50}, {155, 50}}, 1},  // its own image
        {Mirror::off, {{10, 10}, {40, 20}}, 1},
    };
    for (const auto& c : cases) {
        e.mirror = c.mirror;
        e.line_sx = c.line.a.x, e.line_sy = c.line.a.y, e.line_ex = c.line.b.x, e.line_ey = c.line.b.y;
        e.line_phase = 2;
        linePhaseStep(e);
        EXPECT_EQ(tables().lines_amount, c.stored);
        ASSERT_TRUE(e.picture.undo());
        EXPECT_EQ(tables().lines_amount, 0);
    }
}

// A line from (60, 50) and a point at (90, 52); the pointer at window pixels
// about them, at several scales and views.
TEST_F(Aids, LineEndsSnapToTheNearestEndWithinEightScreenPixels) {
    addLine(60, 50, 60, 90);
    addPoint(90, 52);
    e.mode = lineMode;
    const struct {
        int scale, xStart, yStart, x, y;
        bool snap;
        Cell cell;
    } cases[] = {
        {1, 0, 0, 67, 50, true, {60, 50}},  // 7 pixels from the end's centre
        {1, 0, 0, 68, 50, true, {60, 50}},  // 8
        {1, 0, 0, 69, 50, true, {69, 50}},  // 9: too far
        {1, 0, 0, 65, 55, true, {60, 50}},  // 7.1 diagonally
        {1, 0, 0, 66, 56, true, {66, 56}},  // 8.5
        {1, 0, 0, 84, 51, true, {90, 52}},  // a point
        {1, 0, 0, 67, 50, false, {67, 50}},
        {1, 61, 0, 0, 50, true, {61, 50}},  // the end is not shown
        {2, 0, 0, 128, 100, true, {60, 50}},
        {2, 0, 0, 129, 100, true, {64, 50}},
        {5, 0, 0, 310, 252, true, {60, 50}},
        {5, 0, 0, 311, 252, true, {62, 50}},
        {20, 40, 40, 419, 210, true, {60, 50}},  // within the cell itself
        {20, 40, 40, 421, 210, true, {61, 50}},  // the next cell is too far
    };
    for (const auto& c : cases) {
        for (int phase : {0, 1}) {  // a line's start, then its end (a chained line's too)
            e.scale = c.scale, e.X_Start = c.xStart, e.Y_Start = c.yStart, e.snap = c.snap;
            e.line_phase = phase;
            pointer(c.x, c.y);
            EXPECT_EQ(cursor(), c.cell) << "scale " << c.scale << " at " << c.x << "," << c.y << " phase " << phase;
        }
    }
}

TEST_F(Aids, CtrlKeepsTheRubberBandStraightOverSnapping) {
    addPoint(52, 33);
    e.mode = lineMode;
    e.snap = true;
    e.line_phase = 1;
    e.line_sx = e.line_ex = 20;
    e.line_sy = e.line_ey = 20;
    ctrl(true);
    pointer(50, 31);
    EXPECT_EQ(cursor(), (Cell{50, 20}));
    linePhaseStep(e);
    EXPECT_EQ(pixelsOf(20, 20, 50, 21, packed(e.Draw_Color)).size(), 31u);
    pointer(45, 32);
    EXPECT_EQ(cursor(), (Cell{38, 38}));
    e.line_phase = 0;  // choosing a start, Ctrl keeps nothing straight
    pointer(50, 31);
    EXPECT_EQ(cursor(), (Cell{52, 33}));
    ctrl(false);
    e.line_phase = 1;
    pointer(50, 31);
    EXPECT_EQ(cursor(), (Cell{52, 33}));
}

TEST_F(Aids, TheFrameDrawsTheAxesDottedAndTheSnappedCursorOverTheEnd) {
    e.mirror = Mirror::both;
    e.scale = 2;
    renderFrame(e);
    EXPECT_EQ(countPixels(256, 0, 256, 399, axis), 200);  // column 128 starts at pixel 256
    EXPECT_EQ(countPixels(0, 200, 639, 200, axis), 256);  // the canvas is 512 pixels wide
    EXPECT_EQ(countPixels(317 + 128, 420, 317 + 128, 619, axis), 100);
    EXPECT_EQ(countPixels(317, 520, 572, 520, axis), 128);
    e.mirror = Mirror::off;
    clearWindow(e);
    renderFrame(e);
    EXPECT_EQ(countPixels(axis), 0);

    addPoint(30, 30);
    e.mode = lineMode;
    e.snap = true;
    e.scale = 4;
    at(30, 30);
    renderFrame(e);
    EXPECT_EQ(countPixels(120, 120, 123, 123, red), 12);  // the cell's edge; the point in its middle
    EXPECT_EQ(countPixels(121, 121, 122, 122, packed(e.Draw_Color)), 4);
}

}  // namespace
