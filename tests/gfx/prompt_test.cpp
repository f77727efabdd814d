// prompt_test.cpp - the number key reader, the number entry and the modal number prompt.
//
// The entry's arithmetic is checked on ScalarEntry directly. getScalar itself runs
// on the real window: single-pass cases set the keys and latches before the call;
// key sequences are played from a second thread (key_script.h).
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "input.h"
#include "key_script.h"
#include "scalarentry.h"
#include "surface_helpers.h"

namespace {

const ColorRGB white(255, 255, 255);
const ColorRGB black(0, 0, 0);
// The surface is filled with this before each prompt, so cells the prompt leaves alone show.
const Uint32 untouched = 0x00102030;

// Feeds the entry as getScalar would: 0-9, '.', '-' are keys and '<' is Backspace.
ScalarEntry typed(const std::string& keys, ScalarEntry entry = ScalarEntry()) {
    for (char c : keys) {
        if (c == '<') {
            if (entry.position > 0) eraseLastChar(entry);
        } else {
            applyNumericCode(entry, c == '.' ? pointCode : c == '-' ? minusCode : c - '0');
        }
    }
    return entry;
}

}  // namespace

TEST(ScalarEntry, TypedNumbersKeepTextAndValue) {
    struct Case {
        const char* keys;
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"", "", 0.0},          {"-", "-", 0.0},         {"-12.5", "-12.5", -12.5}, {".5", ".5", 0.5},
        {"007", "007", 7.0},    {"1.2.3", "1.23", 1.23}, {"1-2", "12", 12.0},       {"--5", "-5", -5.0},
        {"12<", "1", 1.0},      {"12<<", "", 0.0},       {"3.5<<7", "37", 37.0},    {"-5<<", "", 0.0},
        {"1.25<<<", "1", 1.0},  {"-1.25<<<", "-1", -1.0}, {"<<4", "4", 4.0},
    };
    for (const Case& c : cases) {
        const ScalarEntry entry = typed(c.keys);
        EXPECT_STREQ(entry.number, c.text) << c.keys;
        EXPECT_DOUBLE_EQ(entry.value, c.value) << c.keys;
        EXPECT_EQ(entry.position, static_cast<int>(std::string(c.text).size())) << c.keys;
    }
}

TEST(ScalarEntry, ErasingRestoresPointSignAndKeepsWidth) {
    const ScalarEntry afterPoint = typed("3.5<<");
    EXPECT_EQ(afterPoint.dc, 1.0);
    EXPECT_EQ(afterPoint.maxPos, 3);
    const ScalarEntry afterMinus = typed("-5<<");
    EXPECT_EQ(afterMinus.sign, 1.0);
    EXPECT_EQ(afterMinus.maxPos, 2);
    EXPECT_DOUBLE_EQ(typed("3", afterMinus).value, 3.0);
}

TEST(ScalarEntry, ErasingWholeDigitsKeepsTheValueInStepWithTheText) {
    const ScalarEntry erased = typed("-999999999999<");
    EXPECT_EQ(std::string(erased.number), "-99999999999");
    EXPECT_EQ(erased.value, -99999999999.0);
    // 36 ones are not exact in a double; erasing back to one digit must still give 1, not 0.
    const ScalarEntry ones = typed(std::string(36, '1') + std::string(35, '<'));
    EXPECT_EQ(std::string(ones.number), "1");
    EXPECT_EQ(ones.value, 1.0);
    EXPECT_EQ(typed("3.1<<").value, 3.0);
    // What erased fraction digits leave behind must not grow with later digits.
    EXPECT_EQ(typed(".5553<<<<<00000000").value, 0.0);
}

TEST(ScalarEntry, StopsAt255CharactersWithTextAndValueAgreeing) {
    const std::string ones(maxEntryLength, '1');
    const ScalarEntry full = typed(ones + "12.");
    EXPECT_EQ(full.position, maxEntryLength);
    EXPECT_EQ(full.maxPos, maxEntryLength);
    EXPECT_EQ(std::string(full.number), ones);
    EXPECT_EQ(full.number[numberCells - 1], 0);
    EXPECT_NEAR(full.value / std::strtod(ones.c_str(), nullptr), 1.0, 1e-10);

    const ScalarEntry retyped = typed("<2", full);
    EXPECT_EQ(std::string(retyped.number), ones.substr(1) + "2");
    EXPECT_NEAR(retyped.value / std::strtod(retyped.number, nullptr), 1.0, 1e-10);

    const ScalarEntry pointLast = typed(std::string(maxEntryLength - 1, '1') + ".5");
    EXPECT_EQ(pointLast.number[maxEntryLength - 1], '.');
    EXPECT_EQ(pointLast.position, maxEntryLength);
    EXPECT_NEAR(pointLast.value / std::strtod(pointLast.number, nullptr), 1.0, 1e-10);
}

TEST(GetNumeric, HeldKeyFiresOncePerPress) {
    releaseAllKeys();
    EXPECT_EQ(getNumeric(), -1);
    setKey(SDLK_4, true);
    EXPECT_EQ(getNumeric(), 4);
    EXPECT_EQ(getNumeric(), -1);
    setKey(SDLK_4, false);
    EXPECT_EQ(getNumeric(), -1);
    setKey(SDLK_4, true);
    EXPECT_EQ(getNumeric(), 4);
    releaseAllKeys();
}

TEST(GetNumeric, KeypadAndMainKeysGiveTheSameCodes) {
    const int pairs[][3] = {{SDLK_KP0, SDLK_0, 0},           {SDLK_KP7, SDLK_7, 7},
                            {SDLK_KP9, SDLK_9, 9},           {SDLK_KP_PERIOD, SDLK_PERIOD, pointCode},
                            {SDLK_KP_MINUS, SDLK_MINUS, minusCode}};
    for (const auto& p : pairs) {
        for (int k = 0; k < 2; ++k) {
            releaseAllKeys();
            getNumeric();
            setKey(p[k], true);
            EXPECT_EQ(getNumeric(), p[2]) << "key " << p[k];
        }
    }
    releaseAllKeys();
}

TEST(GetNumeric, MinusWinsOverADigitInTheSameCallAndUsesItUp) {
    releaseAllKeys();
    getNumeric();
    setKey(SDLK_1, true);
    setKey(SDLK_MINUS, true);
    EXPECT_EQ(getNumeric(), minusCode);
    setKey(SDLK_MINUS, false);
    EXPECT_EQ(getNumeric(), -1);
    releaseAllKeys();
}

// ---------------------------------------------------------------------------
// getScalar, one pass: keys and latches set before the call
// ---------------------------------------------------------------------------

namespace {

double onePassPrompt(const Step& keysDown) {
    pressBeforePrompt(keysDown);
    fillSurface(untouched);
    const double value = getScalar("N: ", 0, 620, white, true, black);
    releaseAllKeys();
    return value;
}

}  // namespace

TEST(GetScalar, EnterAtOnceAnswersZero) {
    EXPECT_EQ(onePassPrompt({SDLK_RETURN}), 0.0);
    EXPECT_EQ(onePassPrompt({SDLK_KP_ENTER}), 0.0);
    expectText("N: ", 0, 620);
    EXPECT_EQ(countPixels(24, 620, 639, 627, untouched), (640 - 24) * 8);
}

TEST(GetScalar, KeyAndEnterInOnePass) {
    EXPECT_EQ(onePassPrompt({SDLK_KP8, SDLK_RETURN}), 8.0);
    expectText("N: 8", 0, 620);
    EXPECT_EQ(onePassPrompt({SDLK_3, SDLK_MINUS, SDLK_RETURN}), 0.0);
    expectText("N: -", 0, 620);
    EXPECT_EQ(countPixels(32, 620, 39, 627, untouched), 64);
}

// ---------------------------------------------------------------------------
// getScalar, key sequences from a second thread
// ---------------------------------------------------------------------------

namespace {

// Runs `prompts` prompts in a row while another thread plays the steps.
std::vector<double> scriptedPrompts(const std::vector<Step>& steps, int prompts = 1) {
    fillSurface(untouched);
    std::vector<double> answers;
    whilePlaying(steps, [&] {
        for (int i = 0; i < prompts; ++i) answers.push_back(getScalar("N: ", 0, 620, white, true, black));
    });
    return answers;
}

}  // namespace

TEST(GetScalar, TypedSequencesFromMainKeysAndKeypad) {
    EXPECT_EQ(scriptedPrompts(typingKeys({SDLK_KP_MINUS, SDLK_1, SDLK_KP2, SDLK_PERIOD, SDLK_5}))[0], -12.5);
    expectText("N: -12.5", 0, 620);
    EXPECT_EQ(scriptedPrompts(typingKeys({SDLK_KP_PERIOD, SDLK_KP5}))[0], 0.5);
    EXPECT_EQ(scriptedPrompts(typingKeys({SDLK_0, SDLK_KP0, SDLK_7}))[0], 7.0);
    EXPECT_DOUBLE_EQ(scriptedPrompts(typingKeys({SDLK_1, SDLK_PERIOD, SDLK_2, SDLK_PERIOD, SDLK_3}))[0], 1.23);
    expectText("N: 1.23", 0, 620);
    EXPECT_EQ(scriptedPrompts(typingKeys({SDLK_4, SDLK_MINUS, SDLK_2}))[0], 42.0);
}

TEST(GetScalar, BackspaceErasesAndLeavesErasedCellsBlank) {
    EXPECT_EQ(scriptedPrompts(typingKeys({SDLK_3, SDLK_PERIOD, SDLK_5, SDLK_BACKSPACE, SDLK_BACKSPACE, SDLK_7}))[0],
              37.0);
    expectText("N: 37 ", 0, 620);
    EXPECT_EQ(scriptedPrompts(typingKeys({SDLK_MINUS, SDLK_5, SDLK_BACKSPACE, SDLK_BACKSPACE}))[0], 0.0);
    expectText("N:   ", 0, 620);
    EXPECT_EQ(scriptedPrompts(typingKeys({SDLK_1, SDLK_2, SDLK_BACKSPACE, SDLK_BACKSPACE, SDLK_BACKSPACE}))[0], 0.0);
}

TEST(GetScalar, HeldKeysGiveOneCharacter) {
    const std::vector<Step> heldSeven{{}, {SDLK_7}, {SDLK_7}, {SDLK_7}, {}, {SDLK_RETURN}};
    EXPECT_EQ(scriptedPrompts(heldSeven)[0], 7.0);
    // Backspace held on an empty entry erases the first character typed after it.
    const std::vector<Step> heldBackspace{{}, {SDLK_BACKSPACE}, {SDLK_BACKSPACE, SDLK_5}, {}, {SDLK_6}, {},
                                          {SDLK_RETURN}};
    EXPECT_EQ(scriptedPrompts(heldBackspace)[0], 6.0);
}

TEST(GetScalar, EnterClosingOnePromptDoesNotCloseTheNext) {
    const std::vector<Step> steps{{}, {SDLK_2}, {}, {SDLK_RETURN}, {SDLK_RETURN}, {SDLK_RETURN, SDLK_9},
                                  {}, {SDLK_KP_ENTER}};
    const std::vector<double> answers = scriptedPrompts(steps, 2);
    EXPECT_EQ(answers[0], 2.0);
    EXPECT_EQ(answers[1], 9.0);
}

TEST(GetScalarDeathTest, EscapeOrCloseInsideThePromptExitsWithStatusOne) {
    EXPECT_EXIT(
        {
            pressBeforePrompt({SDLK_ESCAPE});
            pushEvent(SDL_USEREVENT);
            getScalar("N: ", 0, 620, white, true, black);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(
        {
            pressBeforePrompt({});
            pushEvent(SDL_QUIT);
            getScalar("N: ", 0, 620, white, true, black);
        },
        ::testing::ExitedWithCode(1), "");
}
