// display.cpp - which video driver SDL may start (the desktop's display, or the
// one the user asks for), and, on sdl12-compat, how SDL2 presents the window.
//
// Left to itself, SDL 1.2 tries every driver it was built with until one
// starts, down to the text-mode ones (aalib, caca) that draw the window as
// coloured characters in the terminal. A program on the layer wants its window
// on the desktop or nowhere, so unless SDL_VIDEODRIVER names a driver, screen()
// asks for the X display that DISPLAY names, and fails at once when there is
// none. sdl12-compat runs over SDL2, which also reaches Wayland: there
// WAYLAND_DISPLAY counts too, and SDL2 picks from the two in its own order.
//
// sdl12-compat presents the window through an SDL2 renderer, which SDL2
// chooses by itself: OpenGL wherever a GL library is installed, even where
// that GL draws in software, as on a machine without a graphics card or in a
// virtual X server. Each present then uploads the changed rectangles into a
// texture and has GL draw the whole window: a fast drag cost several times
// what it costs on SDL 1.2. SDL2's software renderer over the window
// system's own framebuffer (XShm on X11) does the same job with a few memory
// copies; it takes both of SDL2's environment hints below, since without the
// second the software renderer draws into a GL texture standing in for the
// framebuffer. They are set only where the user has set neither, so whoever
// sets one of them chooses the path; and where the video driver has no
// framebuffer of its own, SDL2 falls back to the renderers it would have chosen.
#include <cstdlib>

#include "gfx.h"
#include "surface.h"

namespace {

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

bool overSdl2() { return isSdl12Compat(*SDL_Linked_Version()); }

}  // namespace

// sdl12-compat numbers its releases from 1.2.50 on.
bool isSdl12Compat(const SDL_version& linked) { return linked.major == 1 && linked.minor == 2 && linked.patch >= 50; }

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

std::vector<EnvironmentHint> presentHints(const SDL_version& linked) {
    const std::vector<EnvironmentHint> software = {{"SDL_RENDER_DRIVER", "software"},
                                                   {"SDL_FRAMEBUFFER_ACCELERATION", "0"}};
    if (!isSdl12Compat(linked)) return {};
    for (const EnvironmentHint& hint : software) {
        if (std::getenv(hint.name) != nullptr) return {};  // the user's choice, even an empty one
    }
    return software;
}

void choosePresentPath() {
    for (const EnvironmentHint& hint : presentHints(*SDL_Linked_Version())) setenv(hint.name, hint.value, 0);
}
