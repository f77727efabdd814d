// colorprompts_test.cpp - choosing the working colours by palette number (keys c and v).
//
// The answer's effect is checked on applyColorAnswer; the commands run the real
// prompt for one pass, with the answer's key and Enter held and their latches set.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "colorprompts.h"
#include "input.h"
#include "surface_helpers.h"

TEST(ColorAnswer, WholePartNamesThePaletteColour) {
    struct Case {
        double answer;
        int entry;
    };
    const Case cases[] = {{1, 0}, {16, 15}, {2.7, 1}, {3.9, 2}, {16.99, 15}};
    for (const Case& c : cases) {
        ColorRGB kolor(1, 2, 3);
        applyColorAnswer(c.answer, kolor);
        EXPECT_EQ(kolor, Colors[c.entry]) << c.answer;
    }
}

TEST(ColorAnswer, AnswerOutsideThePaletteKeepsTheColour) {
    const double answers[] = {0, 17, -3, -0.5, 0.99, 1e300, -1e300, NAN};
    for (double answer : answers) {
        ColorRGB kolor(1, 2, 3);
        applyColorAnswer(answer, kolor);
        EXPECT_EQ(kolor, ColorRGB(1, 2, 3)) << answer;
    }
}

namespace {

// Runs `command` with `keysDown` (their latches set) held for the prompt's one pass.
void runWithKeys(void (*command)(Editor&), Editor& e, std::vector<int> keysDown) {
    drainEvents();
    releaseAllKeys();
    for (int key : keysDown) {
        setKey(key, true);
        keyReleased[latchSlot(key)] = true;
    }
    fillSurface(0x00102030);
    command(e);
    releaseAllKeys();
}

}  // namespace

TEST(ColorCommands, BackgroundAnswerSetsItAndClearsTheWindow) {
    Editor e;
    e.Background_Color = Colors[3];
    runWithKeys(backgroundColorCommand, e, {SDLK_1, SDLK_RETURN});
    EXPECT_EQ(e.Background_Color, Colors[0]);
    EXPECT_EQ(e.Draw_Color, Colors[5]);
    EXPECT_EQ(countPixels(RGBtoINT(Colors[0])), w * h);

    runWithKeys(backgroundColorCommand, e, {SDLK_KP9, SDLK_KP_ENTER});
    EXPECT_EQ(e.Background_Color, Colors[8]);
    EXPECT_EQ(countPixels(RGBtoINT(Colors[8])), w * h);
}

TEST(ColorCommands, DrawAnswerSetsItAndClearsTheWindow) {
    Editor e;
    runWithKeys(drawColorCommand, e, {SDLK_2, SDLK_RETURN});
    EXPECT_EQ(e.Draw_Color, Colors[1]);
    EXPECT_EQ(e.Background_Color, Colors[0]);
    EXPECT_EQ(countPixels(RGBtoINT(Colors[0])), w * h);
}

TEST(ColorCommands, ZeroAnswerKeepsTheColoursButStillClears) {
    Editor e;
    e.Background_Color = Colors[4];
    runWithKeys(backgroundColorCommand, e, {SDLK_0, SDLK_RETURN});
    runWithKeys(drawColorCommand, e, {SDLK_RETURN});
    EXPECT_EQ(e.Background_Color, Colors[4]);
    EXPECT_EQ(e.Draw_Color, Colors[5]);
    EXPECT_EQ(countPixels(RGBtoINT(Colors[4])), w * h);
}
