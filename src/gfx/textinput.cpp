// textinput.cpp - the character key reader and the text and one-character prompts.
//
// getAlphaNumeric() reports at most one character per call, under the release
// latches every key reader shares: a held key gives one character per press.
// Shift, either Shift key or Caps Lock, selects the shifted character of every
// main key (digits and punctuation too); the keypad keys and space are the same
// either way. getString() and getChar() take over the program until Enter:
// each pass pumps one event (a close request or Escape ends the program),
// reads one character, repaints the entry after the message and presents it.
// getStringOrCancel() is getString() with Escape as a way out: it returns
// once Escape is let go, so that the caller's own Escape test, which looks at
// the key held, does not see the same press; and a key held as it opens (the
// one that opened it) types nothing until pressed again. getLineOrCancel()
// cancels alike, but takes a line longer than its field on screen: the field
// shows the line's end, the cells the caller's window has room for. It takes
// the characters SDL translates the key presses to, in UTF-8, and hands a
// close request back to its caller rather than ending the program.
#include <string>

#include "input.h"

namespace {

struct KeyCharacter {
    int key;
    char plain;
    char shifted;
};

const char shiftedDigits[] = ")!@#$%^&*(";

const KeyCharacter punctuationKeys[] = {
    {SDLK_QUOTE, '\'', '"'},      {SDLK_COMMA, ',', '<'},        {SDLK_MINUS, '-', '_'},
    {SDLK_PERIOD, '.', '>'},      {SDLK_SLASH, '/', '?'},        {SDLK_SEMICOLON, ';', ':'},
    {SDLK_EQUALS, '=', '+'},      {SDLK_LEFTBRACKET, '[', '{'},  {SDLK_BACKSLASH, '\\', '|'},
    {SDLK_RIGHTBRACKET, ']', '}'}, {SDLK_BACKQUOTE, '`', '~'},
};

const KeyCharacter keypadAndSpaceKeys[] = {
    {SDLK_KP_PERIOD, '.', '.'},   {SDLK_KP_DIVIDE, '/', '/'}, {SDLK_KP_PLUS, '+', '+'},
    {SDLK_KP_MINUS, '-', '-'},    {SDLK_KP_MULTIPLY, '*', '*'}, {SDLK_KP_EQUALS, '=', '='},
    {SDLK_SPACE, ' ', ' '},
};

bool shiftHeld() {
    return inkeys != nullptr && (inkeys[SDLK_CAPSLOCK] || inkeys[SDLK_RSHIFT] || inkeys[SDLK_LSHIFT]);
}

}  // namespace

Uint8 getAlphaNumeric() {
    readKeys();
    const bool shift = shiftHeld();
    // Every key is examined, so each latch sees its key; the last key to fire wins.
    Uint8 result = 0;
    const auto examine = [&](int key, char plain, char shifted) {
        if (keyFires(key)) result = static_cast<Uint8>(shift ? shifted : plain);
    };
    for (int key = SDLK_a; key <= SDLK_z; ++key) examine(key, static_cast<char>(key), static_cast<char>(key - 32));
    for (int digit = 0; digit < 10; ++digit)
        examine(SDLK_0 + digit, static_cast<char>('0' + digit), shiftedDigits[digit]);
    for (const KeyCharacter& k : punctuationKeys) examine(k.key, k.plain, k.shifted);
    for (int digit = 0; digit < 10; ++digit) {
        const char character = static_cast<char>('0' + digit);
        examine(SDLK_KP0 + digit, character, character);
    }
    for (const KeyCharacter& k : keypadAndSpaceKeys) examine(k.key, k.plain, k.shifted);
    return result;
}

// Echoes the first `count` cells of `text`, which need not hold a terminator,
// from (x, y), then blank cells up to `forceLength` cells in all. The text goes
// to print in terminated pieces copied into a small local buffer, each piece
// starting where the last one left the cursor, so the caller's buffer is never
// read past `count` and line wrapping stays print's own.
static void echoCells(const char* text, int count, int forceLength, int x, int y, ColorRGB color, ColorRGB color2) {
    char piece[64];
    const int pieceLength = static_cast<int>(sizeof piece) - 1;
    int shown = 0;
    while (shown < count && text[shown] != 0) {
        int n = 0;
        for (; n < pieceLength && shown < count && text[shown] != 0; ++n, ++shown) piece[n] = text[shown];
        piece[n] = 0;
        const int cursor = print(piece, x, y, color, true, color2, 0);
        x = cursor / h;
        y = cursor % h;
    }
    print("", x, y, color, true, color2, forceLength - shown);
}

// One event pumped per prompt pass. A close request ends the program, and so
// does Escape unless the prompt can be cancelled: then the result is true.
static bool cancelPumped(bool cancellable) {
    SDL_Event taken;
    if (!done(taken)) return false;
    if (!cancellable || taken.type == SDL_QUIT) end();
    return true;
}

// Takes events until Escape is seen up. A close request meanwhile ends the
// program, or, with `handBackClose`, ends the wait and is queued again for the
// caller's own loop test.
static void waitForEscapeUp(bool handBackClose = false) {
    while (inkeys != nullptr && inkeys[SDLK_ESCAPE] != 0) {
        waitForEvent();
        SDL_Event taken;
        if (!takeEvent(taken) || taken.type != SDL_QUIT) continue;
        if (!handBackClose) end();
        queueEvent(taken);
        return;
    }
}

// Keys held as a prompt opens, such as the one that opened it, type nothing
// until they are pressed again.
static void useUpHeldKeys() {
    readKeys();
    for (int key = 0; key < SDLK_LAST; ++key) {
        const int slot = latchSlot(key);
        if (slot >= 0 && inkeys != nullptr && inkeys[key] != 0) keyReleased[slot] = false;
    }
}

// The line entry of getString; false when it was cancelled (the text is then empty).
static bool readLine(char* text, int length, const char* message, int x, int y, ColorRGB color, bool bg,
                     ColorRGB color2, bool cancellable) {
    int entryX, entryY;
    drawPromptMessage(message, x, y, color, bg, color2, entryX, entryY);
    // A missing buffer or a length below 1 leaves nothing to write; the prompt
    // still runs until Enter.
    const int cells = text == nullptr || length < 0 ? 0 : length;
    for (int i = 0; i < cells; ++i) text[i] = 0;
    const int last = cells - 1;
    int position = 0;
    int maxPos = 0;
    if (cancellable) useUpHeldKeys();
    do {
        if (cancelPumped(cancellable)) {
            for (int i = 0; i < cells; ++i) text[i] = 0;
            waitForEscapeUp();
            return false;
        }
        const Uint8 character = getAlphaNumeric();
        if (character != 0 && cells > 0) {
            // The cursor stops on the last cell; further characters overwrite it.
            text[position] = static_cast<char>(character);
            if (position < last) {
                ++position;
                if (maxPos < position) maxPos = position;
            } else {
                maxPos = cells;
            }
        }
        // A character on the cursor's cell (only ever the last cell) is erased in
        // place; otherwise the cursor steps back onto the character before it.
        const bool onCharacter = cells > 0 && text[position] != 0;
        if (backspaceFires(position > 0 || onCharacter)) {
            if (!onCharacter) --position;
            text[position] = 0;
        }
        if (cells > 0) echoCells(text, cells, maxPos, entryX, entryY, color, color2);
        presentChanges();
    } while (!enterFires());
    return true;
}

// Shows the end of the UTF-8 `text` in a field of `cells` cells, one glyph a
// character: all of it when it fits, else a mark that more lies to the left
// and then the last cells - 1 characters.
static void echoField(const std::string& text, int cells, int x, int y, ColorRGB color, ColorRGB color2) {
    const std::string glyphs = fontGlyphs(text);
    const size_t room = static_cast<size_t>(cells);
    const std::string shown = glyphs.size() <= room ? glyphs : scrolledMark + glyphs.substr(glyphs.size() - (room - 1));
    print(shown.c_str(), x, y, color, true, color2, cells);
}

// SDL's translation of key presses to characters, on while it lives (SDL
// adds it to the key events it queues from then on), then as it was.
class CharactersOfKeys {
public:
    CharactersOfKeys() : before(SDL_EnableUNICODE(-1)) { SDL_EnableUNICODE(1); }
    ~CharactersOfKeys() { SDL_EnableUNICODE(before); }
    CharactersOfKeys(const CharactersOfKeys&) = delete;
    CharactersOfKeys& operator=(const CharactersOfKeys&) = delete;

private:
    int before;
};

// The character a pass of the line prompt takes: the one SDL gives for the
// key pressed in `taken`, any the keyboard's layout makes; for a press SDL
// gave none, the key reader's (getAlphaNumeric, asked on every pass so that
// its latches follow the keys). 0 for none, and for a control character.
static Uint32 typedCharacter(const SDL_Event& taken) {
    const Uint8 key = getAlphaNumeric();
    if (taken.type != SDL_KEYDOWN || taken.key.keysym.unicode == 0) return key;
    const Uint32 character = taken.key.keysym.unicode;
    const bool control = character < 0x20 || character == 0x7F;
    const bool surrogate = character >= 0xD800 && character <= 0xDFFF;  // half of a pair, never a character
    return control || surrogate ? 0 : character;
}

bool getLineOrCancel(std::string& text, size_t maxLength, int fieldCells, const char* message, int x, int y,
                     ColorRGB color, bool bg, ColorRGB color2) {
    int entryX, entryY;
    drawPromptMessage(message, x, y, color, bg, color2, entryX, entryY);
    text.clear();
    useUpHeldKeys();
    const CharactersOfKeys characters;
    do {
        SDL_Event taken;
        if (done(taken)) {
            text.clear();
            if (taken.type == SDL_QUIT) queueEvent(taken);  // for the caller's loop test
            else waitForEscapeUp(true);
            return false;
        }
        if (const Uint32 character = typedCharacter(taken)) appendUtf8(text, character, maxLength);
        if (backspaceFires(!text.empty())) eraseLastUtf8(text);
        if (fieldCells > 0) echoField(text, fieldCells, entryX, entryY, color, color2);
        presentChanges();
    } while (!enterFires());
    return true;
}

void getString(char* text, int length, const char* message, int x, int y, ColorRGB color, bool bg,
               ColorRGB color2) {
    readLine(text, length, message, x, y, color, bg, color2, false);
}

bool getStringOrCancel(char* text, int length, const char* message, int x, int y, ColorRGB color, bool bg,
                       ColorRGB color2) {
    return readLine(text, length, message, x, y, color, bg, color2, true);
}

Uint8 getChar(const char* message, int x, int y, ColorRGB color, bool bg, ColorRGB color2) {
    int entryX, entryY;
    drawPromptMessage(message, x, y, color, bg, color2, entryX, entryY);
    Uint8 current = 0;
    do {
        pumpOrEnd();
        const Uint8 character = getAlphaNumeric();
        if (character != 0) current = character;
        cprint(current, entryX, entryY, color, true, color2);
        presentChanges();
    } while (!enterFires());
    return current;
}
