// display.cpp - which video driver SDL may start: the desktop's display, or the
// one the user asks for.
//
// Left to itself, SDL 1.2 tries every driver it was built with until one
// starts, down to the text-mode ones (aalib, caca) that draw the window as
// coloured characters in the terminal. A program on the layer wants its window
// on the desktop or nowhere, so unless SDL_VIDEODRIVER names a driver, screen()
// asks for the X display that DISPLAY names, and fails at once when there is
// none. sdl12-compat runs over SDL2, which also reaches Wayland: there
// WAYLAND_DISPLAY counts too, and SDL2 picks from the two in its own order.
#include <cstdlib>

#include "gfx.h"
#include "surface.h"

namespace {

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// sdl12-compat numbers its releases from 1.2.50 on.
bool overSdl2() {
    const SDL_version* version = SDL_Linked_Version();
    return version->major == 1 && version->minor == 2 && version->patch >= 50;
}

}  // namespace

const char* chooseVideoDriver() {
    if (isSet("SDL_VIDEODRIVER")) return nullptr;
    const bool wayland = overSdl2() && isSet("WAYLAND_DISPLAY");
    if (!isSet("DISPLAY") && !wayland) {
        return overSdl2() ? "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)"
                          : "no display (DISPLAY is not set)";
    }
    // SDL2 tries a list in its order; a display that cannot be reached then fails too.
    const char* drivers = !isSet("DISPLAY") ? "wayland" : wayland ? "x11,wayland" : "x11";
    setenv("SDL_VIDEODRIVER", drivers, 1);
    return nullptr;
}
