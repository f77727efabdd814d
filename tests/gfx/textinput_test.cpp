// textinput_test.cpp - the character key reader and the text and one-character prompts.
//
// getAlphaNumeric is called directly with keys set in SDL's key array. The
// prompts run on the real window: single-pass cases set the keys and latches
// before the call; key sequences are played from a second thread (key_script.h).
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "input.h"
#include "key_script.h"
#include "surface_helpers.h"

namespace {

const ColorRGB white(255, 255, 255);
const ColorRGB black(0, 0, 0);
// The surface is filled with this before each prompt, so cells a prompt leaves alone show.
const Uint32 untouched = 0x00102030;
const int promptY = 620;
const int entryX = 24;  // after the three-character messages below

// Starts a direct reader test: every key up and seen up, so each latch is set.
void freshKeys() {
    drainEvents();
    releaseAllKeys();
    getAlphaNumeric();
}

Uint8 readWith(const std::vector<int>& keysDown) {
    freshKeys();
    for (int key : keysDown) setKey(key, true);
    const Uint8 c = getAlphaNumeric();
    releaseAllKeys();
    return c;
}

bool cellUntouched(int x, int y) { return countPixels(x, y, x + 7, y + 7, untouched) == 64; }

}  // namespace

// ---------------------------------------------------------------------------
// getAlphaNumeric
// ---------------------------------------------------------------------------

TEST(GetAlphaNumeric, HeldKeyFiresOncePerPress) {
    freshKeys();
    setKey(SDLK_g, true);
    EXPECT_EQ(getAlphaNumeric(), 'g');
    EXPECT_EQ(getAlphaNumeric(), 0);
    setKey(SDLK_g, false);
    EXPECT_EQ(getAlphaNumeric(), 0);
    setKey(SDLK_g, true);
    EXPECT_EQ(getAlphaNumeric(), 'g');
    releaseAllKeys();
}

TEST(GetAlphaNumeric, KeyDownWhenFirstSeenWaitsForARelease) {
    drainEvents();
    releaseAllKeys();
    keyReleased[latchSlot(SDLK_k)] = false;
    setKey(SDLK_k, true);
    EXPECT_EQ(getAlphaNumeric(), 0);
    releaseAllKeys();
}

TEST(GetAlphaNumeric, MainKeysPlainAndShifted) {
    struct Case {
        int key;
        char plain, shifted;
    };
    const Case cases[] = {
        {SDLK_a, 'a', 'A'},          {SDLK_z, 'z', 'Z'},         {SDLK_0, '0', ')'},         {SDLK_1, '1', '!'},
        {SDLK_2, '2', '@'},          {SDLK_3, '3', '#'},         {SDLK_4, '4', '$'},         {SDLK_5, '5', '%'},
        {SDLK_6, '6', '^'},          {SDLK_7, '7', '&'},         {SDLK_8, '8', '*'},         {SDLK_9, '9', '('},
        {SDLK_QUOTE, '\'', '"'},     {SDLK_COMMA, ',', '<'},     {SDLK_MINUS, '-', '_'},     {SDLK_PERIOD, '.', '>'},
        {SDLK_SLASH, '/', '?'},      {SDLK_SEMICOLON, ';', ':'}, {SDLK_EQUALS, '=', '+'},    {SDLK_LEFTBRACKET, '[', '{'},
        {SDLK_BACKSLASH, '\\', '|'}, {SDLK_RIGHTBRACKET, ']', '}'}, {SDLK_BACKQUOTE, '`', '~'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readWith({c.key}), c.plain) << "key " << c.key;
        EXPECT_EQ(readWith({SDLK_LSHIFT, c.key}), c.shifted) << "key " << c.key;
        EXPECT_EQ(readWith({SDLK_RSHIFT, c.key}), c.shifted) << "key " << c.key;
    }
}

TEST(GetAlphaNumeric, CapsLockShiftsDigitsAndPunctuationToo) {
    EXPECT_EQ(readWith({SDLK_CAPSLOCK, SDLK_1}), '!');
    EXPECT_EQ(readWith({SDLK_CAPSLOCK, SDLK_q}), 'Q');
    EXPECT_EQ(readWith({SDLK_CAPSLOCK, SDLK_LSHIFT, SDLK_SLASH}), '?');
    // The number reader ignores shift.
    freshKeys();
    setKey(SDLK_CAPSLOCK, true);
    setKey(SDLK_1, true);
    EXPECT_EQ(getNumeric(), 1);
    releaseAllKeys();
}

TEST(GetAlphaNumeric, KeypadAndSpaceIgnoreShift) {
    struct Case {
        int key;
        char character;
    };
    const Case cases[] = {{SDLK_KP0, '0'},      {SDLK_KP5, '5'},        {SDLK_KP9, '9'},
                          {SDLK_KP_PERIOD, '.'}, {SDLK_KP_DIVIDE, '/'},  {SDLK_KP_PLUS, '+'},
                          {SDLK_KP_MINUS, '-'},  {SDLK_KP_MULTIPLY, '*'}, {SDLK_KP_EQUALS, '='},
                          {SDLK_SPACE, ' '}};
    for (const Case& c : cases) {
        EXPECT_EQ(readWith({c.key}), c.character) << "key " << c.key;
        EXPECT_EQ(readWith({SDLK_CAPSLOCK, c.key}), c.character) << "key " << c.key;
    }
}

TEST(GetAlphaNumeric, LastKeyToFireWinsAndTheOthersAreUsedUp) {
    freshKeys();
    setKey(SDLK_a, true);
    setKey(SDLK_KP5, true);
    setKey(SDLK_SPACE, true);
    EXPECT_EQ(getAlphaNumeric(), ' ');
    EXPECT_EQ(getAlphaNumeric(), 0);
    releaseAllKeys();
}

TEST(GetAlphaNumeric, UnknownKeysGiveNothing) {
    EXPECT_EQ(readWith({SDLK_F1}), 0);
    EXPECT_EQ(readWith({SDLK_LSHIFT}), 0);
    EXPECT_EQ(readWith({SDLK_TAB}), 0);
}

// ---------------------------------------------------------------------------
// Prompts, one pass: keys and latches set before the call
// ---------------------------------------------------------------------------

namespace {

void prepareOnePass(const Step& keysDown) {
    pressBeforePrompt(keysDown);
    fillSurface(untouched);
}

}  // namespace

TEST(GetChar, EnterAtOnceAnswersZeroAndShowsABlankCell) {
    prepareOnePass({SDLK_RETURN});
    EXPECT_EQ(getChar("C: ", 0, promptY, white, true, black), 0);
    releaseAllKeys();
    expectText("C:  ", 0, promptY);
    EXPECT_TRUE(cellUntouched(entryX + 8, promptY));
}

TEST(GetChar, CharacterAndEnterInOnePass) {
    prepareOnePass({SDLK_LSHIFT, SDLK_x, SDLK_KP_ENTER});
    EXPECT_EQ(getChar("C: ", 0, promptY, white, true, black), 'X');
    releaseAllKeys();
    expectText("C: X", 0, promptY);
}

TEST(GetString, CharacterAndEnterInOnePass) {
    char text[4] = {'x', 'x', 'x', 'x'};
    prepareOnePass({SDLK_q, SDLK_RETURN});
    getString(text, 3, "S: ", 0, promptY, white, true, black);
    releaseAllKeys();
    EXPECT_EQ(std::string(text, 4), std::string("q\0\0x", 4));
    expectText("S: q", 0, promptY);
    EXPECT_TRUE(cellUntouched(entryX + 8, promptY));
}

TEST(GetString, NoCellsMeansNothingWrittenOrEchoed) {
    char text[2] = {'x', 'x'};
    prepareOnePass({SDLK_q, SDLK_RETURN});
    getString(text, 0, "S: ", 0, promptY, white, true, black);
    EXPECT_EQ(std::string(text, 2), "xx");
    prepareOnePass({SDLK_q, SDLK_RETURN});
    getString(text, -5, "S: ", 0, promptY, white, true, black);
    EXPECT_EQ(std::string(text, 2), "xx");
    prepareOnePass({SDLK_q, SDLK_RETURN});
    getString(nullptr, 10, "S: ", 0, promptY, white, true, black);
    releaseAllKeys();
    expectText("S: ", 0, promptY);
    EXPECT_TRUE(cellUntouched(entryX, promptY));
}

// ---------------------------------------------------------------------------
// Prompts, key sequences from a second thread
// ---------------------------------------------------------------------------

namespace {

// Runs getString on `text` while another thread plays the steps.
void scriptedString(const std::vector<Step>& steps, char* text, int length) {
    fillSurface(untouched);
    whilePlaying(steps, [&] { getString(text, length, "S: ", 0, promptY, white, true, black); });
}

}  // namespace

TEST(GetString, FifthCharacterOverwritesTheLastOfFourCells) {
    char text[5] = {'x', 'x', 'x', 'x', 'Z'};
    scriptedString(typingKeys({SDLK_a, SDLK_b, SDLK_c, SDLK_d, SDLK_e}), text, 4);
    EXPECT_EQ(std::string(text, 5), "abceZ");
    // The full buffer has no terminator: the echo stops after four cells.
    expectText("S: abce", 0, promptY);
    EXPECT_TRUE(cellUntouched(entryX + 32, promptY));
}

TEST(GetString, ShiftGivesCapitalsAndSigns) {
    char text[8] = {};
    scriptedString(typing({{SDLK_LSHIFT, SDLK_h}, {SDLK_i}, {SDLK_RSHIFT, SDLK_1}, {SDLK_KP3}}), text, 8);
    EXPECT_STREQ(text, "Hi!3");
    expectText("S: Hi!3", 0, promptY);
}

TEST(GetString, BackspaceStepsBackAndLeavesTheErasedCellBlank) {
    char text[6] = {};
    scriptedString(typingKeys({SDLK_a, SDLK_b, SDLK_BACKSPACE}), text, 6);
    EXPECT_EQ(std::string(text, 6), std::string("a\0\0\0\0\0", 6));
    expectText("S: a ", 0, promptY);
    EXPECT_TRUE(cellUntouched(entryX + 16, promptY));

    scriptedString(typingKeys({SDLK_a, SDLK_BACKSPACE, SDLK_BACKSPACE, SDLK_b}), text, 6);
    EXPECT_STREQ(text, "b");
}

TEST(GetString, BackspaceOnAFullLastCellErasesItInPlace) {
    char text[2] = {};
    scriptedString(typingKeys({SDLK_a, SDLK_b, SDLK_c, SDLK_BACKSPACE, SDLK_d}), text, 2);
    EXPECT_EQ(std::string(text, 2), "ad");
    scriptedString(typingKeys({SDLK_a, SDLK_b, SDLK_BACKSPACE, SDLK_BACKSPACE}), text, 2);
    EXPECT_EQ(std::string(text, 2), std::string("\0\0", 2));
    expectText("S:   ", 0, promptY);
}

TEST(GetString, SingleCellCanBeErased) {
    char text[2] = {'x', 'Z'};
    scriptedString(typingKeys({SDLK_a, SDLK_BACKSPACE}), text, 1);
    EXPECT_EQ(std::string(text, 2), std::string("\0Z", 2));
    scriptedString(typingKeys({SDLK_a, SDLK_b}), text, 1);
    EXPECT_EQ(std::string(text, 2), "bZ");
    expectText("S: b", 0, promptY);
    EXPECT_TRUE(cellUntouched(entryX + 8, promptY));
}

TEST(GetString, LongEntryIsEchoedWholeAcrossTheLineWrap) {
    std::vector<int> keys;
    std::string expected;
    for (int i = 0; i < 80; ++i) {
        keys.push_back(SDLK_a + i % 26);
        expected += static_cast<char>('a' + i % 26);
    }
    char text[81] = {};
    scriptedString(typingKeys(keys), text, 81);
    EXPECT_EQ(std::string(text), expected);
    // 77 cells fit after the message on the first line; the rest wrap below.
    expectText("S: " + expected.substr(0, 77), 0, promptY);
    expectText(expected.substr(77), 0, promptY + 8);
}

TEST(GetLineOrCancel, AHundredCharactersScrollTheFieldToShowTheirEnd) {
    std::vector<int> keys;
    std::string typed;
    for (int i = 0; i < 100; ++i) {
        keys.push_back(SDLK_a + i % 26);
        typed += static_cast<char>('a' + i % 26);
    }
    const int fieldCells = 30;
    struct Case {
        size_t maxLength;
        int backspaces;
        size_t kept;  // characters of `typed` in the answer
    };
    const Case cases[] = {{4095, 0, 100}, {4095, 2, 98}, {60, 0, 60}};
    for (const Case& c : cases) {
        std::vector<int> script = keys;
        script.insert(script.end(), c.backspaces, SDLK_BACKSPACE);
        std::string answer = "stale";
        fillSurface(untouched);
        whilePlaying(typingKeys(script), [&] {
            EXPECT_TRUE(getLineOrCancel(answer, c.maxLength, fieldCells, "S: ", 0, promptY, white, true, black));
        });
        EXPECT_EQ(answer, typed.substr(0, c.kept)) << c.maxLength << ", " << c.backspaces;
        // The mark of the hidden start, then the end of the answer up to the field's last cell.
        expectText("S: " + std::string(1, scrolledMark) + answer.substr(c.kept - (fieldCells - 1)), 0, promptY);
        EXPECT_TRUE(cellUntouched(entryX + 8 * fieldCells, promptY));
    }
}

// Characters as SDL gives them with its translation on: kept as UTF-8, shown
// as the font has them.
TEST(GetLineOrCancel, TakesEveryCharacterTheKeyboardGivesAsUtf8) {
    using Typed = std::pair<int, Uint16>;  // the key, its character
    const Typed s = {SDLK_s, 'S'}, sharpS = {SDLK_WORLD_63, 0xDF}, e = {SDLK_e, 'e'}, euro = {SDLK_UNKNOWN, 0x20AC};
    const Typed backspace = {SDLK_BACKSPACE, 8}, ctrlA = {SDLK_a, 1};
    const std::tuple<std::vector<Typed>, std::string, std::string> cases[] = {  // keys, answer, its glyphs
        {{s, sharpS, e}, "S\xC3\x9F" "e", "S\xE1" "e"},    // the font's own sharp s, code page 437's 0xE1
        {{euro, s}, "\xE2\x82\xAC" "S", "?S"},              // a character the font lacks
        {{s, euro, backspace, sharpS, backspace}, "S", "S"},  // Backspace takes whole characters
        {{ctrlA, {SDLK_KP5, 0}, s}, "5S", "5S"},              // no control character; no character: the key's
        {{e, e, e, sharpS}, "eee", "eee"},                    // ß would pass 4 bytes
    };
    for (const auto& [keys, text, shown] : cases) {
        freshKeys();
        for (const auto& [key, character] : keys) {
            SDL_Event press = {SDL_KEYDOWN};
            press.key.keysym = {0, static_cast<SDLKey>(key), KMOD_NONE, character};
            SDL_PushEvent(&press);
            pushInput(SDL_KEYUP, key);
        }
        pushInput(SDL_KEYDOWN, SDLK_RETURN);
        setKey(SDLK_RETURN, true);  // down in SDL's state, seen so once its press is taken
        fillSurface(untouched);
        std::string answer;
        EXPECT_TRUE(getLineOrCancel(answer, 4, 10, "S: ", 0, promptY, white, true, black));
        releaseAllKeys();
        EXPECT_EQ(answer, text);
        expectText("S: " + shown, 0, promptY);
    }
    EXPECT_EQ(SDL_EnableUNICODE(-1), 0);  // translation as it was before the prompts
}

TEST(Prompts, AClosingWindowEndsThePromptAndStaysQueuedForTheCaller) {
    for (const bool line : {true, false}) {
        pressBeforePrompt({});
        pushEvent(SDL_QUIT);
        std::string text = "kept";
        double answer = 7;
        EXPECT_FALSE(line ? getLineOrCancel(text, 10, 10, "S: ", 0, promptY, white, true, black)
                          : getScalarUnlessClosed(answer, "N: ", 0, promptY, white, true, black));
        EXPECT_TRUE(text == (line ? "" : "kept") && answer == 7) << text << ", " << answer;
        SDL_Event queued;  // and the test goes on: the program did not end
        ASSERT_EQ(SDL_PeepEvents(&queued, 1, SDL_GETEVENT, SDL_ALLEVENTS), 1);
        EXPECT_EQ(queued.type, SDL_QUIT);
    }
}

TEST(GetStringDeathTest, EscapeInsideThePromptExitsWithStatusOne) {
    EXPECT_EXIT(
        {
            char text[4];
            pressBeforePrompt({SDLK_ESCAPE});
            pushEvent(SDL_USEREVENT);
            getString(text, 4, "S: ", 0, promptY, white, true, black);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(
        {
            pressBeforePrompt({});
            pushEvent(SDL_QUIT);
            getChar("C: ", 0, promptY, white, true, black);
        },
        ::testing::ExitedWithCode(1), "");
}
