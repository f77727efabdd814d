// Group mode as the pass drives it: keys pressed in the middle of a move or a
// band drag, and what each change says on the prompt line.
#include <string>
#include <vector>

#include "editor_fixture.h"
#include "file_fixture.h"
#include "groupmode.h"
#include "mouse.h"

namespace {

class GroupPass : public EditorTest {
protected:
    bool held = false;  // the left button as the mouse has it, whatever the steps make of e.LMB

    // The event steps of one event with the cursor cell and left button given.
    void step(Uint8 type, int keyOrButton, bool left, int x, int y) {
        e.event2 = {};
        e.event2.type = type;
        if (type == SDL_KEYDOWN) e.event2.key.keysym.sym = static_cast<SDLKey>(keyOrButton);
        if (type == SDL_MOUSEBUTTONUP) e.event2.button.button = keyOrButton;
        held = e.LMB = left;
        e.rmouseX = x;
        e.rmouseY = y;
        readKeys();
        keyEndsDrag(e);
        runKeyCommands(e);
        editStep(e);
    }
    void motion(bool left, int x, int y) { step(SDL_MOUSEMOTION, 0, left, x, y); }
    void release(int x, int y) { step(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, false, x, y); }
    // Each key pressed in turn and held, then all let go; the mouse stays as it is.
    void keys(const std::vector<int>& pressed) {
        for (bool down : {true, false}) {
            for (int key : pressed) {
                setKey(key, down);
                step(down ? SDL_KEYDOWN : SDL_KEYUP, key, held, e.rmouseX, e.rmouseY);
            }
        }
    }
    void drag(int x1, int y1, int x2, int y2) {
        motion(true, x1, y1);
        motion(true, x2, y2);
        release(x2, y2);
    }
    // Points at (10, 10) and (14, 12) and a line between them, selected in group mode.
    void selectTwoPointsAndALine() {
        addPoint(10, 10);
        addPoint(14, 12);
        addLine(10, 10, 14, 12);
        keys({SDLK_g});
        drag(5, 5, 15, 15);
    }
};

struct KeyInDrag {
    const char* name;
    bool move;              // a move, or else a band
    std::vector<int> keys;  // pressed in turn while the button is held
    int modeAfter, pointsAfter, stepsAfter, firstX;  // steps: undo steps made from the drag's start
    std::string said;       // on the prompt line afterwards
};

// A move picks the group up at (10, 10) and drags it to the top edge, ten cells
// right, then the keys come, then the pointer goes ten more before the release.
// A band runs from (5, 5) to (15, 15), the keys come, it goes on to (40, 40).
const KeyInDrag keyCases[] = {
    {"MoveThenQ", true, {SDLK_q}, pointMode, 2, 1, 20, "Moved 2 points, 1 line"},
    {"MoveThenUndo", true, {SDLK_u}, groupMode, 2, 0, 10, ""},
    {"MoveThenNudge", true, {SDLK_LSHIFT, SDLK_RIGHT}, groupMode, 2, 2, 21, "Moved 2 points, 1 line"},
    {"MoveThenTurnWithoutRoom", true, {SDLK_o}, groupMode, 2, 1, 20, "No room to turn here"},
    {"MoveThroughAPanGoesOn", true, {SDLK_RIGHT}, groupMode, 2, 1, 30, "Moved 2 points, 1 line"},
    {"BandThenW", false, {SDLK_w}, lineMode, 2, 0, 10, "Selected 2 points, 1 line"},
    {"BandThenFlip", false, {SDLK_f}, groupMode, 2, 1, 14, "Flipped 2 points, 1 line"},
    {"BandThenTurn", false, {SDLK_LSHIFT, SDLK_o}, groupMode, 2, 1, 11, "Turned 2 points, 1 line"},
    {"BandThenCut", false, {SDLK_LCTRL, SDLK_x}, groupMode, 0, 1, -1, "Cut 2 points, 1 line"},
    {"BandThenG", false, {SDLK_g}, groupMode, 2, 0, 10, "Group dropped"},
};

class KeyDuringDrag : public GroupPass, public ::testing::WithParamInterface<KeyInDrag> {};

TEST_P(KeyDuringDrag, EndsTheDragWhereItStandsAndTheHeldButtonDoesNothing) {
    const KeyInDrag& c = GetParam();
    const int path[2][3][2] = {{{5, 5}, {15, 15}, {40, 40}}, {{10, 10}, {20, 0}, {30, 0}}};
    const auto& at = path[c.move];
    selectTwoPointsAndALine();
    const int stepsBefore = e.picture.history().undoSteps();
    motion(true, at[0][0], at[0][1]);
    motion(true, at[1][0], at[1][1]);
    keys(c.keys);
    motion(true, at[2][0], at[2][1]);
    release(at[2][0], at[2][1]);
    EXPECT_EQ(e.mode, c.modeAfter);
    EXPECT_EQ(tables().pixels_Amount, c.pointsAfter);
    EXPECT_EQ(e.picture.history().undoSteps() - stepsBefore, c.stepsAfter);
    EXPECT_EQ(tables().pixel[0][0], c.firstX);
    EXPECT_TRUE(promptLineShows(c.said, black));
    EXPECT_EQ(e.line_phase, 0);                      // the release after w is no click
    EXPECT_EQ(countPixels(0, 0, 639, 399, red), 0);  // no band left
    drag(50, 50, 50, 50);                            // pressed anew, the button acts again
    EXPECT_EQ(tables().pixels_Amount, c.pointsAfter + (c.modeAfter == pointMode ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyDuringDrag, ::testing::ValuesIn(keyCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(GroupPass, GroupModeDropsALineInProgressAndTheSelectedLine) {
    e.mode = lineMode;
    e.lop = 1;  // a line selected by a search
    release(20, 20);
    motion(false, 25, 25);  // the rubber band from (20, 20)
    ASSERT_GT(countPixels(0, 0, 639, 399, packed(e.Draw_Color)), 0);
    keys({SDLK_g});
    EXPECT_EQ(countPixels(0, 0, 639, 399, packed(e.Draw_Color)), 0);
    EXPECT_EQ(e.line_phase, 0);
    EXPECT_EQ(e.lop, 0);
}

}  // namespace
