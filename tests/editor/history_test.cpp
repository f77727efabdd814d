// Undo and redo over every kind of step, each made through the editor's own
// steps: a step is undone and redone exactly (entries, order, gaps, counts and
// the saved bytes), commands that change nothing make no step, and the keys
// leave nothing stale on screen or in the state.
#include <functional>

#include "export.h"
#include "file_fixture.h"
#include "keys.h"
#include "mouse.h"
#include "selection.h"
#include "slotcommands.h"

namespace {

class Undo : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        releaseAllKeys();
        readKeys();
        keypressed.clear();
    }
    void TearDown() override {
        releaseAllKeys();
        FileTest::TearDown();
    }
    // Point mode's editing step with the cursor at `cell` and the given buttons.
    void pointPass(Point cell, bool left, bool right) {
        e.mode = pointMode;
        e.rmouseX = cell[0];
        e.rmouseY = cell[1];
        e.LMB = left;
        e.RMB = right;
        editStep(e);
    }
    // One button held over the cells, then let go.
    void drag(std::vector<Point> cells, bool left) {
        for (const Point& cell : cells) pointPass(cell, left, !left);
        pointPass(cells.back(), false, false);
    }
    void commandKey(int key) { pressKey(key, [&] { runKeyCommands(e); }); }
    std::string savedBytes() {
        EXPECT_TRUE(savePicture(e));
        return readFile("pixels1.txt") + "|" + readFile("lines1.txt");
    }
    // Three points and two lines, with a gap at point entry 1.
    void buildPicture() {
        for (Point p : {Point{5, 5}, Point{6, 6}, Point{1, 1}, Point{9, 9}}) e.picture.addPoint(p[0], p[1]);
        e.picture.erasePoint(1);
        e.picture.addLine(1, 2, 3, 4);
        e.picture.addLine(0, 0, 9, 9);
    }
};

TEST_F(Undo, EveryKindOfStepUndoesAndRedoesExactly) {
    struct Row {
        const char* name;
        std::function<void()> edit;
        int steps;  // steps the edit records
    };
    const Row rows[] = {
        {"points placed in one drag", [&] { drag({{20, 20}, {21, 20}, {21, 20}, {22, 21}}, true); }, 1},
        {"points erased in one drag", [&] { drag({{5, 5}, {7, 7}, {9, 9}}, false); }, 1},
        {"two drags", [&] { drag({{30, 1}}, true), drag({{31, 1}}, true); }, 2},
        {"an erase on an empty cell", [&] { drag({{100, 100}}, false); }, 0},
        {"both buttons on an empty cell", [&] { pointPass({9, 99}, true, true), pointPass({9, 99}, false, false); }, 0},
        {"a line stored",
         [&] {
             e.line_sx = 4, e.line_sy = 5, e.line_ex = 40, e.line_ey = 50, e.line_phase = 2;
             linePhaseStep(e);
         },
         1},
        {"a line deleted on the keypad",
         [&] {
             e.mode = selectionMode, e.lop = 1, e.lopp[0] = 0, e.forerase = 0;
             pressKey(SDLK_KP_ENTER, [&] { selectionKeys(e); });
         },
         1},
        {"the clear, twice", [&] { commandKey(SDLK_BACKQUOTE), commandKey(SDLK_BACKQUOTE); }, 1},
        {"the same load twice",
         [&] {
             writeFile("pixels2.txt", "3 3 \n");
             writeFile("lines2.txt", "1 1 2 2 \n\n");
             e.nr = 2;
             loadPicture(e);
             loadPicture(e);
         },
         1},
        {"a sorting export", [&] { exportPicture(e.picture, 1, 0, 2); }, 1},
        {"an export in table order", [&] { exportPicture(e.picture, 1, -1, 9); }, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        e = Editor();
        buildPicture();
        const PictureTables before = e.picture.tables();
        const std::string bytesBefore = savedBytes();
        const int stepsBefore = e.picture.history().undoSteps();
        row.edit();
        const PictureTables after = e.picture.tables();
        ASSERT_EQ(e.picture.history().undoSteps(), stepsBefore + row.steps);
        EXPECT_EQ(after == before, row.steps == 0);
        for (int i = 0; i < row.steps; ++i) commandKey(SDLK_u);
        EXPECT_TRUE(e.picture.tables() == before);
        EXPECT_EQ(savedBytes(), bytesBefore);
        for (int i = 0; i < row.steps; ++i) commandKey(SDLK_y);
        EXPECT_TRUE(e.picture.tables() == after);
    }
}

TEST_F(Undo, KeysClearTheWindowAndDropWhatReferredToTheOldPicture) {
    const Uint32 white = packed(ColorRGB(255, 255, 255));
    commandKey(SDLK_u);  // nothing to undo: nothing happens, not even a clear
    fillSurface(white);
    commandKey(SDLK_y);
    EXPECT_EQ(countPixels(white), 640 * 640);

    buildPicture();
    e.mode = selectionMode;
    e.lop = 2;
    e.line_phase = 1;
    e.Background_Color = Colors[6];
    commandKey(SDLK_u);
    EXPECT_EQ(countPixels(packed(Colors[6])), 640 * 640);
    EXPECT_EQ(e.mode, lineMode);
    EXPECT_EQ(e.lop, 0);
    EXPECT_EQ(e.line_phase, 0);
    e.mode = pointMode;
    commandKey(SDLK_y);
    EXPECT_EQ(e.mode, pointMode);  // only selection mode falls back
}

TEST_F(Undo, NewStepForgetsTheRedoAndTheOldestStepsGo) {
    buildPicture();
    e.picture.undo();
    e.picture.addPoint(50, 50);
    EXPECT_FALSE(e.picture.redo());
    EXPECT_EQ(e.picture.tables().pointAt(50, 50), 1);  // into the gap at entry 1

    e = Editor();
    for (int i = 0; i <= History::depth; ++i) {  // a point put down and taken up again
        if (i % 2 == 0) e.picture.addPoint(7, 7);
        if (i % 2 == 1) e.picture.erasePoint(e.picture.tables().pointAt(7, 7));
    }
    EXPECT_EQ(e.picture.history().undoSteps(), History::depth);
    while (e.picture.undo()) {
    }
    EXPECT_EQ(e.picture.tables().pixels_Amount, 1);  // the first step is beyond the depth
    EXPECT_EQ(e.picture.history().redoSteps(), History::depth);
}

}  // namespace
