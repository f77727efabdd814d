// prompt.cpp - the number key reader and the modal number prompt.
//
// getNumeric reports at most one number key per call through the release
// latches, so a held key gives one character. getScalar shows a message, then
// runs its own passes (one event pumped, keys read, entry echoed, window
// presented) until Enter, and returns the number typed:
//
//     double n = getScalar("Number: ", 0, 620, white, true, black);
//
// A close request or Escape inside the prompt ends the program with status 1;
// getScalarUnlessClosed hands a close request back to the caller instead.
#include <algorithm>
#include <cmath>

#include "input.h"
#include "scalarentry.h"

namespace {

struct NumberKey {
    int key;
    int code;
};

// Examined in this order; a later key that fires overrides an earlier one.
const NumberKey numberKeys[] = {
    {SDLK_KP0, 0}, {SDLK_KP1, 1}, {SDLK_KP2, 2}, {SDLK_KP3, 3}, {SDLK_KP4, 4},
    {SDLK_KP5, 5}, {SDLK_KP6, 6}, {SDLK_KP7, 7}, {SDLK_KP8, 8}, {SDLK_KP9, 9},
    {SDLK_0, 0},   {SDLK_1, 1},   {SDLK_2, 2},   {SDLK_3, 3},   {SDLK_4, 4},
    {SDLK_5, 5},   {SDLK_6, 6},   {SDLK_7, 7},   {SDLK_8, 8},   {SDLK_9, 9},
    {SDLK_PERIOD, pointCode},
    {SDLK_KP_PERIOD, pointCode},
    {SDLK_MINUS, minusCode},
    {SDLK_KP_MINUS, minusCode},
};

const int noKey = -1;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void putChar(ScalarEntry& entry, char c) {
    entry.number[entry.position] = c;
    entry.position += 1;
    entry.maxPos = std::max(entry.maxPos, entry.position);
}

void addDigit(ScalarEntry& entry, int digit) {
    putChar(entry, static_cast<char>('0' + digit));
    if (entry.dc == 1.0) {
        entry.value = entry.value * 10 + entry.sign * digit;
    } else {
        entry.value += entry.sign * entry.dc * digit;
        entry.dc /= 10;
    }
}

// With no point left in the entry the value is a whole number. Rounding drops
// what floating point left behind of erased digits, from either side, so the
// value keeps matching the digits shown and later digits cannot magnify it.
double wholeNumber(double value) { return std::round(value); }

void eraseDigit(ScalarEntry& entry, int digit) {
    if (entry.dc == 1.0) {
        entry.value = wholeNumber((entry.value - entry.sign * digit) / 10);
    } else {
        entry.dc *= 10;
        entry.value -= entry.sign * entry.dc * digit;
    }
}

}  // namespace

int getNumeric() {
    readKeys();
    int result = noKey;
    for (const NumberKey& k : numberKeys) {
        if (keyFires(k.key)) result = k.code;
    }
    return result;
}

void applyNumericCode(ScalarEntry& entry, int code) {
    if (code == minusCode && entry.position == 0) {
        putChar(entry, '-');
        entry.sign = -1.0;
        return;
    }
    if (entry.position >= maxEntryLength) return;
    if (code >= 0 && code <= 9) {
        addDigit(entry, code);
    } else if (code == pointCode && entry.dc == 1.0) {
        putChar(entry, '.');
        entry.dc = 0.1;
    }
}

void eraseLastChar(ScalarEntry& entry) {
    entry.position -= 1;
    const char c = entry.number[entry.position];
    if (c == '.') {
        entry.dc = 1.0;
        entry.value = wholeNumber(entry.value);
    } else if (c == '-') {
        entry.sign = 1.0;
    } else if (isDigit(c)) {
        eraseDigit(entry, c - '0');
    }
    entry.number[entry.position] = 0;
}

// The number entry of getScalar. A close request ends the program, or, with
// `handBackClose`, the prompt with no answer (false), queued again for the
// caller's own loop test; Escape ends the program.
static bool readScalar(double& answer, bool handBackClose, const char* message, int x, int y, ColorRGB color,
                       bool bg, ColorRGB color2) {
    int entryX = 0;
    int entryY = 0;
    drawPromptMessage(message, x, y, color, bg, color2, entryX, entryY);
    ScalarEntry entry;
    do {
        SDL_Event taken;
        if (done(taken)) {
            if (!handBackClose || taken.type != SDL_QUIT) end();
            queueEvent(taken);
            return false;
        }
        applyNumericCode(entry, getNumeric());
        if (backspaceFires(entry.position > 0)) eraseLastChar(entry);
        print(entry.number, entryX, entryY, color, true, color2, entry.maxPos);
        presentChanges();
    } while (!enterFires());
    answer = entry.value;
    return true;
}

double getScalar(const char* message, int x, int y, ColorRGB color, bool bg, ColorRGB color2) {
    double answer = 0;
    readScalar(answer, false, message, x, y, color, bg, color2);
    return answer;
}

bool getScalarUnlessClosed(double& answer, const char* message, int x, int y, ColorRGB color, bool bg,
                           ColorRGB color2) {
    return readScalar(answer, true, message, x, y, color, bg, color2);
}
