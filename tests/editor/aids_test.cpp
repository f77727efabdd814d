// The drawing aids as the editor wires them: m and b with their messages and
// the title, a mirrored stroke and line as one step each, and line ends
// snapping within 8 screen pixels at several scales, or kept straight on Ctrl.
#include "aids.h"
#include "editor_fixture.h"
#include "file_fixture.h"
#include "mouse.h"
#include "title.h"

namespace {

class Aids : public EditorTest {
protected:
    void at(int x, int y) { e.rmouseX = x, e.rmouseY = y; }
    // The cursor step's cell for the pointer at window pixel (x, y).
    Cell aimedAt(int x, int y) {
        SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
        moveCursor(e);
        return {e.rmouseX, e.rmouseY};
    }
};

TEST_F(Aids, KeysSayWhatIsOnAndTheTitleNamesIt) {
    const struct { int key; const char *said, *title; } presses[] = {
        {SDLK_m, "Mirror: left-right", " - mirror"}, {SDLK_b, "Snap to ends: on", " - mirror - snap"},
        {SDLK_m, "Mirror: top-bottom", " - mirror - snap"}, {SDLK_m, "Mirror: both", " - mirror - snap"},
        {SDLK_m, "Mirror: off", " - snap"}, {SDLK_b, "Snap to ends: off", ""}};
    for (const auto& p : presses) {
        pressKey(p.key, [&] { aidKeys(e); });
        EXPECT_TRUE(promptLineShows(p.said, black));
        EXPECT_EQ(windowTitle(1, lineMode, false, aidsInTitle(e)), std::string("Tessary v.0.3 - slot 1 - lines") + p.title);
    }
}

TEST_F(Aids, AMirroredStrokeAndAMirroredLineAreOneStepEach) {
    for (int i = 0; i < p_number - 6; ++i) addPoint(i % 100, 150 + i / 100);
    e.mirror = Mirror::both;
    for (int x : {10, 11, -1}) {  // room for all four images, then for two; let go
        at(x, 20);
        e.LMB = x >= 0;
        editStep(e);
    }
    EXPECT_TRUE(promptLineShows("2 mirror images did not fit: table full", black));
    e.mode = lineMode;
    e.line_sx = 10, e.line_sy = 10, e.line_ex = 40, e.line_ey = 20, e.line_phase = 2;
    linePhaseStep(e);
    EXPECT_EQ(tables().lines_amount, 4);
    ASSERT_TRUE(e.picture.undo());
    EXPECT_EQ(tables().lines_amount, 0);
    ASSERT_TRUE(e.picture.undo());
    EXPECT_EQ(tables().pixels_Amount, p_number - 6);
}

// The end (60, 50) of a line and a point at (90, 52); the pointer at window
// pixels about them, at several scales and views, choosing a line's start or end.
TEST_F(Aids, LineEndsSnapWithinEightScreenPixelsAndCtrlKeepsThemStraight) {
    addLine(60, 50, 60, 90);
    addPoint(90, 52);
    e.mode = lineMode;
    const struct { int scale, xStart, yStart, x, y; bool snap; Cell cell; } cases[] = {
        {1, 0, 0, 68, 50, true, {60, 50}},   {1, 0, 0, 69, 50, true, {69, 50}},    // 8 pixels away, 9
        {1, 0, 0, 65, 55, true, {60, 50}},   {1, 0, 0, 84, 51, true, {90, 52}},    // 7.1 diagonally; a point
        {1, 0, 0, 67, 50, false, {67, 50}},  {1, 61, 0, 0, 50, true, {61, 50}},    // snapping off; the end not shown
        {5, 0, 0, 310, 252, true, {60, 50}}, {5, 0, 0, 311, 252, true, {62, 50}},  // 8 pixels, 8.5
        {20, 40, 40, 421, 210, true, {61, 50}},  // at high zoom only the end's own cell
    };
    for (const auto& c : cases) {
        for (int phase : {0, 1}) {
            e.scale = c.scale, e.X_Start = c.xStart, e.Y_Start = c.yStart, e.snap = c.snap, e.line_phase = phase;
            EXPECT_EQ(aimedAt(c.x, c.y), c.cell) << "scale " << c.scale << " at " << c.x << "," << c.y;
        }
    }
    e.scale = 1, e.X_Start = e.Y_Start = 0, e.line_sx = e.line_ex = 70, e.line_sy = e.line_ey = 40;
    setKey(SDLK_LCTRL, true);
    readKeys();
    EXPECT_EQ(aimedAt(87, 50), (Cell{83, 53}));  // with Ctrl the line stays at 45 degrees, over snapping
}

}  // namespace
