// window.cpp - the window, its surface, the frame and the event pump.
//
// screen() opens the one window and keeps its surface in `scr`; w and h keep the
// requested size, which every bound test of the layer uses. done() is the loop
// test of a program built on the layer: it takes at most one event per call, so
// the queue drains at the caller's pace, and reports a close request or a held
// Escape. Taking events and the key and mouse state as of each one live in
// events.cpp, waiting for them in eventwait.cpp; presenting the frame (redraw,
// presentChanges) in present.cpp.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gfx.h"
#include "surface.h"

SDL_Surface* scr = nullptr;
int w = 0;
int h = 0;
Uint8* inkeys = nullptr;

static const int colorDepth = 32;
static const Uint32 pollPauseMs = 5;

static void failStart(const char* format) {
    std::printf(format, SDL_GetError());
    std::fflush(stdout);
    SDL_Quit();
    std::exit(1);
}

void screen(int width, int height, bool fullscreen, const char* text) {
    w = width;
    h = height;
    const char* noDisplay = chooseVideoDriver();
    if (noDisplay != nullptr) SDL_SetError("%s", noDisplay);
    choosePresentPath();
    if (noDisplay != nullptr || SDL_Init(SDL_INIT_VIDEO) < 0) failStart("Unable to init SDL: %s\n");
    std::atexit(shutDownSDL);
    const Uint32 flags = fullscreen ? SDL_FULLSCREEN : (SDL_HWSURFACE | SDL_HWPALETTE);
    scr = SDL_SetVideoMode(width, height, colorDepth, flags);
    if (scr == nullptr) failStart("Unable to set video: %s\n");
    if (fullscreen) lock();
    setCaption(text);
    watchExposes();
    watchWindowLoss();
    reportHeldKeysAsPresses();
}

void setCaption(const char* text) {
    static std::string shown;  // the caption last set
    if (shown == text) return;
    shown = text;
    SDL_WM_SetCaption(text, nullptr);
}

void lock() {
    if (SDL_MUSTLOCK(scr)) SDL_LockSurface(scr);
}

void unlock() {
    if (SDL_MUSTLOCK(scr)) SDL_UnlockSurface(scr);
}

void cls(ColorRGB color) {
    markCleared(RGBtoINT(color));
    SDL_FillRect(scr, nullptr, RGBtoINT(color));
}

static bool escapeHeld() { return inkeys != nullptr && inkeys[SDLK_ESCAPE] != 0; }

bool done(SDL_Event& taken) {
    if (!takeEvent(taken)) return false;
    return escapeHeld() || taken.type == SDL_QUIT;
}

bool done() {
    SDL_Event taken;
    return done(taken);
}

void end() {
    shutDownSDL();
    std::exit(1);
}

float getTime() { return static_cast<float>(SDL_GetTicks()); }

void sleep() {
    bool keyDown = false;
    while (!keyDown) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) end();
            if (event.type == SDL_KEYDOWN) keyDown = true;
        }
        SDL_Delay(pollPauseMs);
    }
}

void waitFrame(float oldTime, float mspf) {
    float time = getTime();
    while (time - oldTime < mspf) {
        time = getTime();
        SDL_Event event;
        if (takeEvent(event) && event.type == SDL_QUIT) end();
        readKeys();
        if (escapeHeld()) end();
        SDL_Delay(pollPauseMs);
    }
}
