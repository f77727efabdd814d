// keylatch.cpp - release latches and the steps every modal prompt shares.
#include "input.h"

bool keyReleased[256] = {};

static const int enterSlot = 100;
static const int backspaceSlot = 101;

int latchSlot(int key) {
    if (key >= SDLK_a && key <= SDLK_z) return key - SDLK_a;
    if (key >= SDLK_KP0 && key <= SDLK_KP9) return 26 + (key - SDLK_KP0);
    if (key >= SDLK_0 && key <= SDLK_9) return 36 + (key - SDLK_0);
    switch (key) {
        case SDLK_SPACE: return 46;
        case SDLK_QUOTE: return 52;
        case SDLK_COMMA: return 57;
        case SDLK_MINUS: return 58;
        case SDLK_PERIOD: return 59;
        case SDLK_SLASH: return 60;
        case SDLK_SEMICOLON: return 62;
        case SDLK_EQUALS: return 64;
        case SDLK_LEFTBRACKET: return 68;
        case SDLK_BACKSLASH: return 69;
        case SDLK_RIGHTBRACKET: return 70;
        case SDLK_BACKQUOTE: return 73;
        case SDLK_KP_PERIOD: return 74;
        case SDLK_KP_DIVIDE: return 75;
        case SDLK_KP_PLUS: return 76;
        case SDLK_KP_MINUS: return 77;
        case SDLK_KP_MULTIPLY: return 78;
        case SDLK_KP_EQUALS: return 79;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return enterSlot;
        case SDLK_BACKSPACE: return backspaceSlot;
        default: return -1;
    }
}

static bool isDown(int key) { return inkeys != nullptr && inkeys[key] != 0; }

bool keyFires(int key) {
    const int slot = latchSlot(key);
    if (slot < 0) return false;
    if (!isDown(key)) {
        keyReleased[slot] = true;
        return false;
    }
    if (!keyReleased[slot]) return false;
    keyReleased[slot] = false;
    return true;
}

bool backspaceFires(bool canErase) {
    if (!isDown(SDLK_BACKSPACE)) {
        keyReleased[backspaceSlot] = true;
        return false;
    }
    if (!keyReleased[backspaceSlot] || !canErase) return false;
    keyReleased[backspaceSlot] = false;
    return true;
}

void drawPromptMessage(const char* message, int x, int y, ColorRGB color, bool bg, ColorRGB color2, int& entryX,
                       int& entryY) {
    const int cursor = print(message, x, y, color, bg, color2, 0);
    entryX = cursor / h;
    entryY = cursor % h;
    redraw();
}

bool enterFires() {
    if (!isDown(SDLK_RETURN) && !isDown(SDLK_KP_ENTER)) {
        keyReleased[enterSlot] = true;
        return false;
    }
    if (!keyReleased[enterSlot]) return false;
    keyReleased[enterSlot] = false;
    return true;
}

void pumpOrEnd() {
    if (done()) end();
}
