// Group mode as the pass drives it: keys pressed in the middle of a move or a
// band drag, and what each change says on the prompt line.
#include <string>
#include <vector>

#include "editor_fixture.h"
#include "file_fixture.h"
#include "groupmode.h"
#include "mouse.h"

namespace {

enum class Drag { move, band };

class GroupPass : public EditorTest {
protected:
    bool held = false;  // the left button as the mouse has it, whatever the steps make of e.LMB

    // The event steps of one event, the cursor cell and left button given.
    void step(Uint8 type, int keyOrButton, bool left, int x, int y) {
        held = left;
        e.event2 = {};
        e.event2.type = type;
        if (type == SDL_KEYDOWN || type == SDL_KEYUP) e.event2.key.keysym.sym = static_cast<SDLKey>(keyOrButton);
        if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) e.event2.button.button = keyOrButton;
        e.LMB = left;
        e.rmouseX = x;
        e.rmouseY = y;
        readKeys();
        keyEndsDrag(e);
        runKeyCommands(e);
        editStep(e);
    }
    void motion(bool left, int x, int y) { step(SDL_MOUSEMOTION, 0, left, x, y); }
    void press(int x, int y) { step(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, true, x, y); }
    void release(int x, int y) { step(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, false, x, y); }
    // Each key pressed in turn and held, then all let go in reverse: the mouse stays as it is.
    void keys(const std::vector<int>& pressed) {
        for (int key : pressed) {
            setKey(key, true);
            step(SDL_KEYDOWN, key, held, e.rmouseX, e.rmouseY);
        }
        for (auto key = pressed.rbegin(); key != pressed.rend(); ++key) {
            setKey(*key, false);
            step(SDL_KEYUP, *key, held, e.rmouseX, e.rmouseY);
        }
    }
    void drag(int x1, int y1, int x2, int y2) {
        press(x1, y1);
        motion(true, x2, y2);
        release(x2, y2);
    }
    // Points at (10, 10) and (12, 12) and a line between them, selected in group mode.
    void selectTwoPointsAndALine() {
        addPoint(10, 10);
        addPoint(12, 12);
        addLine(10, 10, 12, 12);
        keys({SDLK_g});
        drag(5, 5, 15, 15);
    }
};

struct KeyInDrag {
    const char* name;
    Drag drag;
    std::vector<int> keys;  // pressed in turn while the button is held
    int modeAfter;
    int pointsAfter;
    int stepsAfter;  // undo steps made from the drag's start
    int firstX;      // the first point's column after all
};

// A move picks the group up at (10, 10) and drags it ten cells right, then the
// keys come, then the pointer goes ten more before the release. A band runs
// from (5, 5) to (15, 15), the keys come, it goes on to (40, 40) and is let go.
const KeyInDrag keyCases[] = {
    {"MoveThenQ", Drag::move, {SDLK_q}, pointMode, 2, 1, 20},
    {"MoveThenW", Drag::move, {SDLK_w}, lineMode, 2, 1, 20},
    {"MoveThenG", Drag::move, {SDLK_g}, groupMode, 2, 1, 20},
    {"MoveThenUndo", Drag::move, {SDLK_u}, groupMode, 2, 0, 10},
    {"MoveThenFlip", Drag::move, {SDLK_f}, groupMode, 2, 2, 22},
    {"MoveThenNudge", Drag::move, {SDLK_LSHIFT, SDLK_RIGHT}, groupMode, 2, 2, 21},
    {"MoveThenDelete", Drag::move, {SDLK_DELETE}, groupMode, 0, 2, -1},
    {"MoveThroughAZoomGoesOn", Drag::move, {SDLK_z}, groupMode, 2, 1, 30},
    {"MoveThroughAPanGoesOn", Drag::move, {SDLK_RIGHT}, groupMode, 2, 1, 30},
    {"BandThenQ", Drag::band, {SDLK_q}, pointMode, 2, 0, 10},
    {"BandThenW", Drag::band, {SDLK_w}, lineMode, 2, 0, 10},
    {"BandThenFlipsWhatItHolds", Drag::band, {SDLK_f}, groupMode, 2, 1, 12},
    {"BandThenCut", Drag::band, {SDLK_LCTRL, SDLK_x}, groupMode, 0, 1, -1},
};

class KeyDuringDrag : public GroupPass, public ::testing::WithParamInterface<KeyInDrag> {};

TEST_P(KeyDuringDrag, EndsTheDragWhereItStandsAndTheHeldButtonDoesNothing) {
    const KeyInDrag& c = GetParam();
    selectTwoPointsAndALine();
    const int stepsBefore = e.picture.history().undoSteps();
    const bool move = c.drag == Drag::move;
    press(move ? 10 : 5, move ? 10 : 5);
    motion(true, move ? 20 : 15, move ? 10 : 15);
    keys(c.keys);
    motion(true, move ? 30 : 40, move ? 10 : 40);
    release(move ? 30 : 40, move ? 10 : 40);
    EXPECT_EQ(e.mode, c.modeAfter);
    EXPECT_EQ(tables().pixels_Amount, c.pointsAfter);
    EXPECT_EQ(e.picture.history().undoSteps() - stepsBefore, c.stepsAfter);
    EXPECT_EQ(tables().pixel[0][0], c.firstX);
    EXPECT_EQ(e.line_phase, 0);  // the release after w is no click
    EXPECT_EQ(countPixels(0, 0, 639, 399, red), 0);  // no band left in the view
    EXPECT_FALSE(e.leftHoldSpent);
    press(50, 50);  // the button acts again once pressed anew
    release(50, 50);
    EXPECT_EQ(tables().pixels_Amount, c.pointsAfter + (c.modeAfter == pointMode ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyDuringDrag, ::testing::ValuesIn(keyCases),
                         [](const auto& param) { return std::string(param.param.name); });

struct Answer {
    const char* name;
    std::vector<int> keys;
    std::string said;
};

// With the group of two points and a line selected (at 10..12, 10..12).
const Answer answers[] = {
    {"Cut", {SDLK_LCTRL, SDLK_x}, "Cut 2 points, 1 line"},
    {"Copy", {SDLK_LCTRL, SDLK_c}, "Copied 2 points, 1 line"},
    {"Flip", {SDLK_f}, "Flipped 2 points, 1 line"},
    {"Turn", {SDLK_LSHIFT, SDLK_o}, "Turned 2 points, 1 line"},
    {"Nudge", {SDLK_LSHIFT, SDLK_DOWN}, "Moved 2 points, 1 line"},
    {"Delete", {SDLK_BACKSPACE}, "Deleted 2 points, 1 line"},
};

class ChangeAnswers : public GroupPass, public ::testing::WithParamInterface<Answer> {};

TEST_P(ChangeAnswers, OnThePromptLineWithItsCounts) {
    const Answer& c = GetParam();
    selectTwoPointsAndALine();
    keys(c.keys);
    EXPECT_TRUE(promptLineShows(c.said, black));
}

INSTANTIATE_TEST_SUITE_P(Keys, ChangeAnswers, ::testing::ValuesIn(answers),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(GroupPass, AMoveByDragIsToldAndATurnWithoutRoomRefused) {
    addPoint(100, 199);
    addPoint(103, 199);
    keys({SDLK_g});
    drag(99, 198, 104, 199);
    drag(100, 199, 90, 199);
    EXPECT_TRUE(promptLineShows("Moved 2 points, 0 lines", black));
    keys({SDLK_o});
    EXPECT_TRUE(promptLineShows("No room to turn here", black));
    EXPECT_EQ(tables().pixel[0][0], 90);
}

TEST_F(GroupPass, GroupModeDropsALineInProgressAndTheSelectedLine) {
    addLine(30, 30, 40, 30);
    e.mode = lineMode;
    e.lop = 1;  // the line above, selected as a search would
    release(20, 20);
    motion(false, 25, 25);  // the band from (20, 20)
    ASSERT_GT(countPixels(0, 0, 639, 399, packed(e.Draw_Color)), 0);
    keys({SDLK_g});
    EXPECT_EQ(countPixels(0, 0, 639, 399, packed(e.Draw_Color)), 0);
    EXPECT_EQ(e.line_phase, 0);
    EXPECT_EQ(e.lop, 0);
}

}  // namespace
