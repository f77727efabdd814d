// Mouse editing: the cursor cell, the point step, the line phase machine driven
// by real button events, the line search, the keypad selection keys, and the
// refusal of cells off the canvas and of stale selections.
#include "editor_fixture.h"
#include "mouse.h"
#include "selection.h"

namespace {

class Mouse : public EditorTest {
protected:
    void at(int x, int y) {
        e.rmouseX = x;
        e.rmouseY = y;
    }
    static void pushButton(Uint8 type, Uint8 button) {
        SDL_Event event = {};
        event.type = type;
        event.button.type = type;
        event.button.button = button;
        SDL_PushEvent(&event);
    }
    // One line-mode editing step on a waited event: a left or right click half,
    // or a plain motion.
    void lineStepOn(Uint8 type, Uint8 button = 0) {
        if (type == SDL_MOUSEMOTION) {
            pushEvent(SDL_MOUSEMOTION);
        } else {
            pushButton(type, button);
        }
        ASSERT_EQ(editStep(e), PassResult::Continue);
    }
    void leftRelease() { lineStepOn(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT); }
    void rightPress() { lineStepOn(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT); }
    void rightRelease() { lineStepOn(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT); }
    void motion() { lineStepOn(SDL_MOUSEMOTION); }

    // A press and a release of a keypad key, each seen by the selection keys.
    void keypad(int key, int times = 1) {
        for (int i = 0; i < times; ++i) pressKey(key, [&] { selectionKeys(e); });
    }
    // Three lines starting at cell (10, 10), in entries 1, 2 and 4, found by a search.
    void findThreeLines() {
        addLine(0, 0, 5, 5);
        addLine(10, 10, 20, 10);
        addLine(10, 10, 10, 20);
        addLine(1, 1, 2, 2);
        addLine(10, 10, 30, 30);
        e.mode = lineMode;
        at(10, 10);
        e.line_phase = -1;
        linePhaseStep(e);
        selectionKeys(e);
    }
    // How many events wait in SDL's queue.
    static int queued() {
        SDL_Event events[8];
        return SDL_PeepEvents(events, 8, SDL_PEEKEVENT, SDL_ALLEVENTS);
    }
};

TEST_F(Mouse, CursorFollowsTheMouseAndErasesItsOldCell) {
    // The dummy driver has no window-system cursor, so SDL would paint its own
    // arrow into the surface on every warp.
    SDL_ShowCursor(SDL_DISABLE);
    e.scale = 2;
    calcMax(e.scale, e.X_Start, e.Y_Start);
    fillSurface(white);
    at(1, 1);  // the first pass has no old cursor to erase
    SDL_WarpMouse(21, 41);
    moveCursor(e);
    EXPECT_EQ(e.mouseX, 21);
    EXPECT_EQ(e.mouseY, 41);
    EXPECT_EQ(e.rmouseX, 10);
    EXPECT_EQ(e.rmouseY, 20);
    EXPECT_EQ(rawPixel(2, 2), white);
    EXPECT_EQ(countPixels(red), 4);
    EXPECT_EQ(rawPixel(20, 40), red);

    SDL_WarpMouse(600, 500);  // beyond the canvas and over the panel
    moveCursor(e);
    EXPECT_EQ(e.rmouseX, 255);
    EXPECT_EQ(e.rmouseY, 199);
    EXPECT_EQ(countPixels(20, 40, 21, 41, black), 4);
    EXPECT_EQ(countPixels(510, 398, 511, 399, red), 4);
}

TEST_F(Mouse, LeftButtonPlacesOnePointPerCell) {
    e.LMB = true;
    at(4, 5);
    pointStep(e);
    pointStep(e);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 1);
    EXPECT_EQ(tables().pixel[0][0], 4);
    EXPECT_EQ(tables().pixel[1][0], 5);
    EXPECT_FALSE(tables().pixel_oc[1]);
    at(5, 5);
    pointStep(e);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 2);
}

TEST_F(Mouse, BothButtonsPlaceThenEraseInOnePass) {
    e.LMB = e.RMB = true;
    at(7, 7);
    pointStep(e);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 0);
    EXPECT_FALSE(tables().pixel_oc[0]);
    EXPECT_EQ(tables().pixel[0][0], -1);

    addPoint(8, 8);
    at(8, 8);
    pointStep(e);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 0);
}

TEST_F(Mouse, FullTableIgnoresBothButtons) {
    for (int i = 0; i < p_number; ++i) addPoint(i % 256, i / 256);
    e.LMB = e.RMB = true;
    at(3, 0);
    pointStep(e);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 512);
    EXPECT_TRUE(tables().pixel_oc[3]);
    e.LMB = false;  // once the left button is let go the right one erases
    pointStep(e);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 511);
    EXPECT_FALSE(tables().pixel_oc[3]);
}

TEST_F(Mouse, TwoPointsAtOneCellGoLowerEntryFirst) {
    addPoint(2, 2);
    addPoint(9, 9);
    addPoint(2, 2);
    e.RMB = true;
    at(2, 2);
    pointStep(e);
    EXPECT_FALSE(tables().pixel_oc[0]);
    EXPECT_TRUE(tables().pixel_oc[2]);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 2);
    pointStep(e);
    EXPECT_FALSE(tables().pixel_oc[2]);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 1);
}

TEST_F(Mouse, CellsOffTheCanvasAreRefused) {
    e.LMB = true;
    at(-1, 0);
    pointStep(e);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 0);
    e.LMB = false;
    e.RMB = true;
    at(-1, -1);  // the coordinates of every empty entry
    pointStep(e);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 0);

    e.mode = lineMode;
    e.line_phase = -1;
    linePhaseStep(e);
    EXPECT_EQ(e.lop, 0);
    EXPECT_EQ(e.mode, lineMode);
    at(3, 4);
    linePhaseStep(e);  // idle on the canvas sets the start
    at(-1, 4);
    linePhaseStep(e);  // idle off the canvas keeps it
    EXPECT_EQ(e.line_sx, 3);
    e.line_phase = 1;
    linePhaseStep(e);
    EXPECT_EQ(e.line_ex, 3);
}

TEST_F(Mouse, LeftClicksEnterALineEndingWhereTheBandLastEnded) {
    e.mode = lineMode;
    at(2, 3);
    motion();  // idle: the start follows the cursor
    at(10, 3);
    leftRelease();
    EXPECT_EQ(e.line_phase, 1);
    EXPECT_EQ(countPixels(2, 3, 10, 3, packed(e.Draw_Color)), 9);
    at(20, 3);
    motion();
    EXPECT_EQ(countPixels(2, 3, 20, 3, packed(e.Draw_Color)), 19);
    at(30, 3);
    leftRelease();  // stores the band as last drawn, to (20, 3)
    EXPECT_EQ(e.line_phase, 0);
    EXPECT_EQ(e.picture.tables().lines_amount, 1);
    ASSERT_TRUE(tables().line_oc[0]);
    EXPECT_EQ(tables().lines[0][0], 2);
    EXPECT_EQ(tables().lines[1][0], 3);
    EXPECT_EQ(tables().lines[2][0], 20);
    EXPECT_EQ(tables().lines[3][0], 3);
}

TEST_F(Mouse, LeftPressAloneDoesNotAdvance) {
    e.mode = lineMode;
    lineStepOn(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    EXPECT_EQ(e.line_phase, 0);
}

TEST_F(Mouse, RightClickCancelsThenSearches) {
    addLine(5, 5, 40, 5);
    e.mode = lineMode;
    at(5, 5);
    motion();
    leftRelease();
    at(12, 5);
    motion();
    rightPress();  // the line in progress is dropped and its band erased
    EXPECT_EQ(e.line_phase, 0);
    EXPECT_EQ(countPixels(6, 5, 12, 5, packed(e.Draw_Color)), 0);
    EXPECT_EQ(e.picture.tables().lines_amount, 1);
    at(5, 5);
    fillSurface(white);
    rightRelease();  // the second step back searches at the cursor cell
    EXPECT_EQ(e.line_phase, 0);
    EXPECT_EQ(e.lop, 1);
    EXPECT_EQ(e.lopp[0], 0);
    EXPECT_EQ(e.mode, selectionMode);
    EXPECT_EQ(e.forerase, 0);
    EXPECT_EQ(countPixels(white), 0);  // the search clears the window
}

TEST_F(Mouse, SearchPrefersStartPoints) {
    addLine(0, 0, 9, 9);  // ends at (9, 9)
    addLine(9, 9, 20, 0);  // starts there
    at(9, 9);
    searchLines(e);
    ASSERT_EQ(e.lop, 1);
    EXPECT_EQ(e.lopp[0], 1);
    at(20, 0);  // only an end lies here
    searchLines(e);
    ASSERT_EQ(e.lop, 1);
    EXPECT_EQ(e.lopp[0], 1);
    at(50, 50);
    e.mode = lineMode;
    searchLines(e);
    EXPECT_EQ(e.lop, 0);
    EXPECT_EQ(e.mode, lineMode);
}

TEST_F(Mouse, SearchAlwaysLeavesThePhaseIdle) {
    for (int i = 0; i < l_number; ++i) addLine(100, 100, 1, 1);  // entry 511 lies at the cell
    e.mode = lineMode;
    at(100, 100);
    e.line_phase = -1;
    linePhaseStep(e);
    EXPECT_EQ(e.line_phase, 0);
    EXPECT_EQ(e.lop, 512);
}

TEST_F(Mouse, FullLineTableShowsNoBandAndStoresNothing) {
    for (int i = 0; i < l_number; ++i) addLine(i % 256, 150, i % 256, 160);
    e.mode = lineMode;
    at(200, 10);
    motion();
    at(210, 10);
    leftRelease();
    EXPECT_EQ(e.line_ex, 200);
    EXPECT_EQ(countPixels(0, 0, 639, 100, packed(e.Draw_Color)), 0);
    leftRelease();
    EXPECT_EQ(e.line_phase, 0);
    EXPECT_EQ(e.picture.tables().lines_amount, 512);
}

TEST_F(Mouse, ShiftEndClicksChainUntilTheTableIsFull) {
    for (int i = 0; i < l_number - 2; ++i) addLine(i % 256, 150, i % 256, 160);
    e.mode = lineMode;
    at(10, 10);
    motion();
    leftRelease();
    setKey(SDLK_RSHIFT, true);
    at(20, 10);
    motion();
    leftRelease();  // stores the 511th line and goes on from (20, 10)
    EXPECT_EQ(std::make_tuple(e.line_phase, e.line_sx, e.line_sy), std::make_tuple(1, 20, 10));
    at(20, 30);
    motion();
    leftRelease();  // the 512th fills the table: the chain stops
    EXPECT_EQ(e.line_phase, 0);
    EXPECT_EQ(tables().lines[3][l_number - 1], 30);
    ASSERT_TRUE(e.picture.undo());  // each line is a step of its own
    EXPECT_EQ(e.picture.tables().lines_amount, l_number - 1);
}

TEST_F(Mouse, KeypadStepsThroughTheFoundLinesWithoutWrapping) {
    findThreeLines();
    ASSERT_EQ(e.lop, 3);
    EXPECT_EQ(e.mode, selectionMode);
    EXPECT_EQ(selectedLine(e), 1);
    keypad(SDLK_KP_PLUS, 5);
    EXPECT_EQ(e.forerase, 2);
    EXPECT_EQ(selectedLine(e), 4);
    keypad(SDLK_KP_MINUS, 5);
    EXPECT_EQ(e.forerase, 0);
}

TEST_F(Mouse, KeypadEnterDeletesTheSelectedLine) {
    findThreeLines();
    keypad(SDLK_KP_PLUS);
    fillSurface(white);
    keypad(SDLK_KP_ENTER);
    EXPECT_FALSE(tables().line_oc[2]);
    EXPECT_TRUE(tables().line_oc[1]);
    EXPECT_EQ(e.picture.tables().lines_amount, 4);
    EXPECT_EQ(e.mode, lineMode);
    EXPECT_EQ(e.lop, 0);
    EXPECT_EQ(e.forerase, -1);  // no selection: the limits leave -1
    EXPECT_EQ(countPixels(white), 0);
}

TEST_F(Mouse, KeypadPeriodDropsTheSelection) {
    findThreeLines();
    keypad(SDLK_KP_PERIOD);
    EXPECT_EQ(e.mode, lineMode);
    EXPECT_EQ(e.lop, 0);
    EXPECT_EQ(e.picture.tables().lines_amount, 5);
}

TEST_F(Mouse, KeypadEnterWithNothingFoundErasesNothing) {
    addLine(1, 2, 3, 4);
    e.mode = lineMode;
    fillSurface(white);
    keypad(SDLK_KP_ENTER);
    EXPECT_EQ(e.picture.tables().lines_amount, 1);
    EXPECT_TRUE(tables().line_oc[0]);
    EXPECT_EQ(e.lop, 0);
    EXPECT_EQ(countPixels(white), 0);
}

TEST_F(Mouse, StaleSelectionNeverEmptiesAnEntryNotInUse) {
    findThreeLines();
    e.picture.clear();  // as the backquote key does
    keypad(SDLK_KP_ENTER);
    EXPECT_EQ(e.picture.tables().lines_amount, 0);
    EXPECT_EQ(e.mode, lineMode);

    findThreeLines();
    e.lopp[0] = 9999;  // a selection left pointing outside the table
    EXPECT_EQ(selectedLine(e), -1);
    keypad(SDLK_KP_ENTER);
    EXPECT_EQ(e.picture.tables().lines_amount, 5);
}

TEST_F(Mouse, SelectionModeNeitherWaitsNorUsesTheButtons) {
    findThreeLines();
    addPoint(10, 10);
    e.LMB = e.RMB = true;
    pushEvent(SDL_USEREVENT);
    EXPECT_EQ(editStep(e), PassResult::Continue);
    EXPECT_EQ(queued(), 1);  // the event was not taken
    EXPECT_EQ(e.picture.tables().pixels_Amount, 1);
    e.mode = pointMode;
    EXPECT_EQ(editStep(e), PassResult::Continue);
    EXPECT_EQ(queued(), 1);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 0);
}

TEST_F(Mouse, CloseRequestWaitedInLineModeShutsSdlDown) {
    e.mode = lineMode;
    pushEvent(SDL_QUIT);
    EXPECT_EQ(editStep(e), PassResult::Quit);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    screen(640, 640, false, "tests");  // the other tests need the window back
}

}  // namespace
