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

bool shiftHeld() { return keyDown(SDLK_LSHIFT) || keyDown(SDLK_RSHIFT); }
