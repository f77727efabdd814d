// windowloss.cpp - the window destroyed by another program, and the display lost.
//
// A window manager's close button asks the window to close: a close request.
// Another program may instead destroy the window outright (xdotool
// windowclose, a window manager that crashed), and the X server may end. SDL
// 1.2 ignores the first: the program runs on without a window, asleep for
// good; sdl12-compat dies of the first X error that a request on the dead
// window brings, since Xlib's default handler for errors exits; and either,
// on a lost connection, exits from Xlib's handler for it and then, at exit,
// shuts SDL down on the dead connection, which may fail again or hang.
//
// So, on X11:
// - the window destroyed (its DestroyNotify, which SDL hands on as a window
//   manager event once those are enabled, or an X error that names it)
//   becomes one close request, kept for the program like an event SDL had no
//   room for (events.cpp), with a wake-up for a program asleep in a wait;
//   from then on every X error is ignored, as every request on the window
//   fails until the program ends; other errors go to the handler before ours;
// - the connection lost, the program exits with status 1 through exit(), so
//   that its exit hooks run (where a program keeps its work).
// After either, SDL is not shut down (shutDownSDL): it would destroy the dead
// window, and sdl12-compat puts Xlib's handler for errors back first, so that
// the error ends the program; the process ends anyway.
#include <SDL/SDL_syswm.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "gfx.h"
#include "surface.h"

namespace {

constexpr int lostDisplayStatus = 1;

// The windows SDL made: the one drawn into and the one the window manager sees.
Window drawnWindow = 0, managedWindow = 0;
std::atomic<bool> windowLost{false};
std::atomic<bool> displayLost{false};
int (*earlierErrorHandler)(Display*, XErrorEvent*) = nullptr;

bool ours(Window window) { return window != 0 && (window == drawnWindow || window == managedWindow); }

void loseWindow() {
    if (windowLost.exchange(true)) return;
    keepCloseRequest();
}

int onXError(Display* display, XErrorEvent* error) {
    const bool aboutOurWindow =
        (error->error_code == BadWindow || error->error_code == BadDrawable) && ours(error->resourceid);
    if (aboutOurWindow) loseWindow();
    if (windowLost) return 0;
    return earlierErrorHandler != nullptr ? earlierErrorHandler(display, error) : 0;
}

[[noreturn]] int onXConnectionLost(Display* display) {
    displayLost = true;
    std::fprintf(stderr, "Lost the connection to display %s\n", DisplayString(display));
    std::exit(lostDisplayStatus);
}

}  // namespace

bool windowDestroyed(const SDL_Event* event) {
    if (event->type != SDL_SYSWMEVENT || event->syswm.msg == nullptr) return false;
    const SDL_SysWMmsg& message = *event->syswm.msg;
    if (message.subsystem != SDL_SYSWM_X11 || message.event.xevent.type != DestroyNotify) return false;
    if (!ours(message.event.xevent.xdestroywindow.window)) return false;
    loseWindow();
    return true;
}

void watchWindowLoss() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11 || info.info.x11.display == nullptr) return;
    drawnWindow = info.info.x11.window;
    managedWindow = info.info.x11.wmwindow;
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    earlierErrorHandler = XSetErrorHandler(onXError);
    XSetIOErrorHandler(onXConnectionLost);
}

void shutDownSDL() {
    if (!windowLost && !displayLost) SDL_Quit();
}
