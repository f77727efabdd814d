// keypress.cpp - the level and edge key tests.
#include "keypress.h"

#include "gfx.h"

std::map<int, bool> keypressed;

bool keyDown(int key) { return inkeys != nullptr && inkeys[key] != 0; }

bool keyPressed(int key) {
    bool& reported = keypressed[key];  // a new entry starts false
    if (!keyDown(key)) {
        reported = false;
        return false;
    }
    if (reported) return false;
    reported = true;
    return true;
}

bool ctrlHeld() { return keyDown(SDLK_LCTRL) || keyDown(SDLK_RCTRL); }

bool deleteKeyPressed() {
    const bool del = keyPressed(SDLK_DELETE);  // both asked, so that both latches follow their keys
    const bool backspace = keyPressed(SDLK_BACKSPACE);
    return del || backspace;
}

bool shiftHeld() { return keyDown(SDLK_LSHIFT) || keyDown(SDLK_RSHIFT); }
