// The key tests and the keyboard commands: the press latch, the effects of the
// command keys in one pass, and the bounds of zoom, pan steps and pan.
#include "editor_fixture.h"

namespace {

class Keys : public EditorTest {
protected:
    // One pass of the key commands with exactly `held` down.
    void passWith(std::initializer_list<int> held) {
        releaseAllKeys();
        for (int key : held) setKey(key, true);
        readKeys();
        runKeyCommands(e);
    }
    // A press and a release of `key`, one pass each.
    void press(int key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            passWith({key});
            passWith({});
        }
    }
};

TEST_F(Keys, PressIsReportedOncePerPress) {
    EXPECT_EQ(keypressed.count(SDLK_z), 0u);
    EXPECT_FALSE(keyPressed(SDLK_z));
    ASSERT_EQ(keypressed.count(SDLK_z), 1u);  // the first query creates the latch
    EXPECT_FALSE(keypressed[SDLK_z]);

    setKey(SDLK_z, true);
    readKeys();
    EXPECT_TRUE(keyPressed(SDLK_z));
    EXPECT_FALSE(keyPressed(SDLK_z));  // still the same press
    EXPECT_TRUE(keyDown(SDLK_z));

    setKey(SDLK_z, false);
    EXPECT_FALSE(keyPressed(SDLK_z));  // seen up: the latch resets
    setKey(SDLK_z, true);
    EXPECT_TRUE(keyPressed(SDLK_z));
}

TEST_F(Keys, KeyAlreadyDownAtItsFirstQueryIsAPress) {
    setKey(SDLK_q, true);
    readKeys();
    EXPECT_TRUE(keyPressed(SDLK_q));
}

TEST_F(Keys, HeldZoomStepsOnce) {
    passWith({SDLK_z});
    passWith({SDLK_z});
    passWith({SDLK_z});
    EXPECT_EQ(e.scale, 2);
    passWith({});  // let go, then a new press
    press(SDLK_z);
    EXPECT_EQ(e.scale, 3);
}

TEST_F(Keys, ZoomStopsWhereTheViewStillShowsARow) {
    e.scale = maxScale - 1;
    press(SDLK_z, 3);
    EXPECT_EQ(e.scale, 400);
    const ViewBounds bounds = calcMax(e.scale, 0, 0);
    EXPECT_GT(bounds.max_y, 0);
    EXPECT_GT(bounds.max_x, 0);
}

TEST_F(Keys, ZoomOutStopsAtOneAndClearsTheWindow) {
    e.scale = 2;
    e.Background_Color = ColorRGB(0, 0, 255);
    press(SDLK_x);
    EXPECT_EQ(e.scale, 1);
    fillSurface(white);
    press(SDLK_x);
    EXPECT_EQ(e.scale, 1);
    EXPECT_EQ(countPixels(packed(ColorRGB(0, 0, 255))), 640 * 640);
}

TEST_F(Keys, PanStepsGrowAndNeverFallBelowOne) {
    press(SDLK_MINUS);
    press(SDLK_9);
    EXPECT_EQ(e.X_Add, 1);
    EXPECT_EQ(e.Y_Add, 1);
    press(SDLK_EQUALS, 3);
    press(SDLK_0, 2);
    EXPECT_EQ(e.X_Add, 4);
    EXPECT_EQ(e.Y_Add, 3);
    press(SDLK_MINUS);
    press(SDLK_9);
    EXPECT_EQ(e.X_Add, 3);
    EXPECT_EQ(e.Y_Add, 2);
}

TEST_F(Keys, LeftAndUpStopAtZero) {
    e.X_Add = 5;
    e.X_Start = 3;
    passWith({SDLK_LEFT});
    EXPECT_EQ(e.X_Start, 0);
    fillSurface(white);
    passWith({SDLK_LEFT});  // still clears the window on every pass
    EXPECT_EQ(e.X_Start, 0);
    EXPECT_EQ(countPixels(white), 0);
    e.Y_Add = 4;
    e.Y_Start = 6;
    passWith({SDLK_UP});
    EXPECT_EQ(e.Y_Start, 2);
    passWith({SDLK_UP});
    EXPECT_EQ(e.Y_Start, 0);
}

TEST_F(Keys, RightKeepsTheLastColumnInViewAndDownOnlyAvoidsOverflow) {
    e.X_Add = 100;
    e.Y_Add = 150;
    for (int pass = 0; pass < 4; ++pass) passWith({SDLK_RIGHT, SDLK_DOWN});
    EXPECT_EQ(e.X_Start, maxXStart);
    EXPECT_EQ(e.Y_Start, 600);
    EXPECT_EQ(maxXStart, 255);
    e.X_Add = e.Y_Add = 2147483647;  // no step can overflow the origin
    passWith({SDLK_RIGHT, SDLK_DOWN});
    EXPECT_EQ(e.X_Start, 255);
    EXPECT_EQ(e.Y_Start, maxYStart);
    // Nor the view's sums on it: the cursor row stays the last canvas row.
    const ViewBounds bounds = calcMax(3, e.X_Start, e.Y_Start);
    EXPECT_EQ(bounds.max_y, Image_Height);
    EXPECT_EQ(cursorCell(639, 3, e.Y_Start, bounds.max_y), Image_Height - 1);
    passWith({SDLK_LEFT, SDLK_UP});
    EXPECT_EQ(e.X_Start, 0);
    EXPECT_EQ(e.Y_Start, 0);
}

TEST_F(Keys, HeldArrowMovesOnEveryPass) {
    e.X_Add = 2;
    for (int pass = 0; pass < 3; ++pass) passWith({SDLK_RIGHT});
    EXPECT_EQ(e.X_Start, 6);
}

TEST_F(Keys, HomeKeyResetsTheOriginAndClears) {
    e.X_Start = 40;
    e.Y_Start = 30;
    fillSurface(white);
    press(SDLK_8);
    EXPECT_EQ(e.X_Start, 0);
    EXPECT_EQ(e.Y_Start, 0);
    EXPECT_EQ(countPixels(white), 0);
}

TEST_F(Keys, LaterSlotKeyWinsInOnePass) {
    passWith({SDLK_1, SDLK_3});
    EXPECT_EQ(e.nr, 3);
    press(SDLK_7);
    EXPECT_EQ(e.nr, 7);
    press(SDLK_8);  // not a slot key
    EXPECT_EQ(e.nr, 7);
}

TEST_F(Keys, SeparateTogglesAndModesSwitch) {
    press(SDLK_p);
    EXPECT_EQ(e.separate, 1);
    press(SDLK_p);
    EXPECT_EQ(e.separate, 0);
    press(SDLK_w);
    EXPECT_EQ(e.mode, lineMode);
    press(SDLK_q);
    EXPECT_EQ(e.mode, pointMode);
}

TEST_F(Keys, BackquoteClearsThePictureAndKeepsTheRest) {
    addPoint(1, 2);
    addLine(3, 4, 5, 6);
    e.nr = 4;
    e.scale = 3;
    e.lop = 1;
    e.mode = selectionMode;
    fillSurface(white);
    press(SDLK_BACKQUOTE);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 0);
    EXPECT_EQ(e.picture.tables().lines_amount, 0);
    EXPECT_FALSE(tables().pixel_oc[0]);
    EXPECT_FALSE(tables().line_oc[0]);
    EXPECT_EQ(tables().lines[0][0], -1);
    EXPECT_EQ(countPixels(white), 0);
    EXPECT_EQ(e.nr, 4);
    EXPECT_EQ(e.scale, 3);
    EXPECT_EQ(e.lop, 1);
    EXPECT_EQ(e.mode, selectionMode);
}

TEST_F(Keys, IdlePassChangesNothing) {
    fillSurface(white);
    passWith({});
    EXPECT_EQ(countPixels(white), 640 * 640);
    EXPECT_EQ(e.scale, 1);
    EXPECT_EQ(e.nr, 1);
    EXPECT_EQ(e.X_Start, 0);
}

}  // namespace
