// gfx.h - a thin graphics, text and input layer over SDL 1.2
//
// One window with a 32-bit drawing surface, plain free functions that draw
// into it, an 8 x 8 bitmap font, modal number and text prompts that read the
// keyboard state, colour records with conversions, and BMP loading into
// caller-owned buffers.
//
// Typical use:
//
//     #include "gfx.h"
//     int main() {
//         screen(640, 480, false, "Hello");          // exits(1) if SDL fails
//         while (!done()) {                           // window close or Escape
//             readKeys();
//             cls(ColorRGB(0, 0, 0));
//             drawDisk(320, 240, 50, ColorRGB(255, 0, 0));
//             print("Hello", 8, 8, ColorRGB(255, 255, 255), false, ColorRGB(), 0);
//             redraw();                               // nothing shows before this
//         }
//     }
//
// Every drawing function writes straight into the surface memory of `scr`.
// redraw() copies the whole surface to the window. Each drawing function also
// notes where it stored, so that presentChanges() can present only what changed
// instead; a program storing into `scr` itself and presenting that way notes
// its stores with markDrawn. Each drawing function has its own
// rule for coordinates off the surface (wrap, clip or refuse), documented beside
// it and in docs/gfx.md. No function writes outside the surface or outside a
// caller's buffer. Everything runs on one thread, except wakeEventWait and queueEvent.
#ifndef TESSARY_GFX_H
#define TESSARY_GFX_H

#include <SDL/SDL.h>

#include <algorithm>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------
// Colour records: plain values, no clamping
// ---------------------------------------------------------------------------

struct ColorRGB8bit;

// An RGB colour with int channels meant to be 0..255; arithmetic may leave that range.
// The byte constructor and INTtoRGB are constexpr, so that colour tables built
// from them (such as a palette) are ready before any code runs.
struct ColorRGB {
    int r, g, b;
    constexpr ColorRGB(Uint8 r, Uint8 g, Uint8 b) : r(r), g(g), b(b) {}  // ints outside 0..255 arrive reduced mod 256
    ColorRGB(ColorRGB8bit color);
    constexpr ColorRGB() : r(0), g(0), b(0) {}  // black
};

// An RGB colour with byte channels, for pixel data read back from surfaces.
struct ColorRGB8bit {
    Uint8 r, g, b;
    ColorRGB8bit(Uint8 r, Uint8 g, Uint8 b);
    ColorRGB8bit(ColorRGB color);  // takes the low 8 bits of each channel
    ColorRGB8bit();
};

// Hue, saturation, lightness; each 0..255 (hue: red 0, green 85, blue 170).
struct ColorHSL {
    int h, s, l;
    ColorHSL(Uint8 h, Uint8 s, Uint8 l);
    ColorHSL();
};

// Hue, saturation, value; each 0..255.
struct ColorHSV {
    int h, s, v;
    ColorHSV(Uint8 h, Uint8 s, Uint8 v);
    ColorHSV();
};

ColorRGB operator+(ColorRGB color, ColorRGB color2);  // channel-wise, unclamped
ColorRGB operator-(ColorRGB color, ColorRGB color2);  // channel-wise, may go negative
ColorRGB operator*(ColorRGB color, int a);
ColorRGB operator*(int a, ColorRGB color);
ColorRGB operator/(ColorRGB color, int a);  // a == 0 leaves the colour unchanged
bool operator==(ColorRGB color, ColorRGB color2);
bool operator!=(ColorRGB color, ColorRGB color2);

Uint32 RGBtoINT(ColorRGB colorRGB);   // r*65536 + g*256 + b, channels not masked
// Bits 16..23, 8..15 and 0..7 of colorINT as r, g and b; the top byte is ignored.
constexpr ColorRGB INTtoRGB(Uint32 colorINT) {
    return ColorRGB((colorINT >> 16) & 0xFF, (colorINT >> 8) & 0xFF, colorINT & 0xFF);
}

// ---------------------------------------------------------------------------
// Colour model conversions (pure; channels scaled in by /256, out by *255)
// ---------------------------------------------------------------------------

ColorHSL RGBtoHSL(ColorRGB colorRGB);
ColorRGB HSLtoRGB(ColorHSL colorHSL);  // a hue outside 0..255 wraps round the circle
ColorHSV RGBtoHSV(ColorRGB colorRGB);
ColorRGB HSVtoRGB(ColorHSV colorHSV);  // a hue outside 0..255 wraps round the circle

// ---------------------------------------------------------------------------
// Window, surface, frame and events
// ---------------------------------------------------------------------------

extern SDL_Surface* scr;  // the window's surface, set by screen(); owned by SDL
extern int w;             // surface width as requested; every bound test uses it
extern int h;             // surface height as requested
// The key state array, indexed by SDLKey; null before the first fetch. SDL's own
// array, or the layer's copy of it as of the event taken last while further
// key events wait in the queue (see takeEvent).
extern Uint8* inkeys;

// Starts SDL video and opens the window (or full screen) with the caption `text`.
// On failure prints "Unable to init SDL: ..." or "Unable to set video: ..." to
// standard output and exits with status 1. Unless SDL_VIDEODRIVER names a
// driver, SDL starts only on the desktop's display (DISPLAY; on sdl12-compat
// also WAYLAND_DISPLAY), never on a text-mode driver; with none set it fails
// with "Unable to init SDL: no display (...)". On sdl12-compat, unless the user
// set SDL_RENDER_DRIVER or SDL_FRAMEBUFFER_ACCELERATION, SDL2 presents through
// its software renderer on the window system's framebuffer rather than through
// OpenGL. Call once, before anything else.
// On X11 the window destroyed by another program becomes a close request
// (SDL_QUIT) behind the events queued, and a lost connection to the display
// ends the program with status 1 through exit(), so that its exit hooks run.
void screen(int width, int height, bool fullscreen, const char* text);
// Sets the window's caption; a text equal to the one shown changes nothing
// (window managers redraw the title bar on every change).
void setCaption(const char* text);
void lock();    // locks the surface if SDL requires it
void unlock();  // unlocks it likewise
bool redraw();  // copies the whole surface to the window; always true
// Presents what changed since the last present (either function); false when
// nothing did. It looks only where the layer's functions or markDrawn noted a store.
bool presentChanges();
// Notes that the rectangle from (x1, y1) to (x2, y2) of the surface may have been
// stored into, for presentChanges().
void markDrawn(int x1, int y1, int x2, int y2);
void cls(ColorRGB color);  // fills the surface with the raw value 0x00RRGGBB

// A part of the surface: rows in bands of regionBandRows (a panel row's height), each with the span of
// columns it covers, or the whole surface.
constexpr int regionBandRows = 8;
struct SurfaceRegion {
    bool whole = false;
    std::vector<int> left, right;  // per band; left > right in a band not covered

    void add(int x1, int y1, int x2, int y2);  // widens by a rectangle, clipped to the surface
    bool touches(int x1, int y1, int x2, int y2) const;  // the rectangle with corners (x1, y1) and (x2, y2)
    bool empty() const { return !touches(0, 0, w - 1, h - 1); }
    // Calls visit(left, top, right, bottom) for each band covered (the whole surface once).
    template <typename Visit>
    void eachRect(Visit visit) const {
        if (whole) return visit(0, 0, w - 1, h - 1);
        for (size_t band = 0; band < left.size(); ++band) {
            const int top = static_cast<int>(band) * regionBandRows;
            if (left[band] <= right[band]) visit(left[band], top, right[band], std::min(top + regionBandRows, h) - 1);
        }
    }
};
// What was stored into the surface (by the layer's functions or noted with
// markDrawn) since the last call; whole after a clear. Presenting leaves it.
SurfaceRegion takeDamage();
bool surfaceCleared();  // whether the damage so far is a clear, the whole surface

// Takes at most one event from the queue (takeEvent); true when it is a close
// request or Escape is held. With no event pending returns false and leaves
// inkeys alone. The second form also hands out the event (SDL_NOEVENT when none).
bool done();
bool done(SDL_Event& taken);
// Takes the next event from the queue into `event` (SDL_NOEVENT and false when
// none) and refreshes inkeys. From the first event taken on, readKeys and
// getMouseState report the keys and mouse as of the event taken last: SDL's
// state with the input events still queued behind it undone, so that a press
// let go before the program took it is still seen down once.
bool takeEvent(SDL_Event& event);
bool eventPending();      // an event waits in the queue (looked at without pumping)
Uint8 nextEventType();    // pumps, then the type of the next event queued (SDL_NOEVENT: none); left queued
[[noreturn]] void end();  // shutDownSDL, then exit status 1
// SDL_Quit, unless the window was destroyed by another program or the display
// lost (see screen): then SDL stays as it is, for the process to end. Also
// registered by screen() to run at exit.
void shutDownSDL();
void readKeys();          // refreshes inkeys: SDL_GetKeyState, as of the event taken last
void getMouseState(int& mouseX, int& mouseY);
void getMouseState(int& mouseX, int& mouseY, bool& LMB, bool& RMB);  // left and right only
Uint8 getMouseButtons();  // every button held, as SDL_BUTTON(n) bits, as of the event taken last
// Wheel notches turned since the last call, away from the user positive; the
// count restarts at 0. Counted as SDL queues them, whoever takes the events.
int takeWheelNotches();
float getTime();   // milliseconds since SDL started
// Whole milliseconds since SDL started; they wrap after 49.7 days, so compare
// two of them with ticksReached.
Uint32 getTicks();
// True when tick count `now` is at or past `time`, across a wrap too (for
// times less than 24.8 days apart).
inline bool ticksReached(Uint32 now, Uint32 time) { return static_cast<Sint32>(now - time) >= 0; }
void sleep();      // waits for a key press; a close request ends the program
// The waits below sleep until the window system has something for the program:
// on X11 they block on its connection, elsewhere they look every 10 ms.
// Returns once an event is queued, leaving it there for done(), or on wakeEventWait().
void waitForEvent();
// Returns true once an event is queued (leaving it there), or false when
// getTicks() reaches `deadline` or on wakeEventWait(), whichever comes first.
bool waitForEventUntil(Uint32 deadline);
// After a present that followed a pointer motion, lets further motions queue
// until 14 ms have passed since that present; returns
// within 7 ms of any other event, at once on wakeEventWait() or when no such
// present is that recent.
void gatherMotionsForFrame();
// Ends a wait in progress, or the next one: callable from any thread and from a signal handler.
void wakeEventWait();
// Queues `event` behind every event queued, from any thread (not a signal
// handler): into SDL's queue, or kept by the layer when that is full, so that
// it is never lost. Call wakeEventWait() after it to end a wait.
void queueEvent(const SDL_Event& event);
void waitFrame(float oldTime, float mspf);  // waits until mspf ms after oldTime; close or Escape end the program

// ---------------------------------------------------------------------------
// Pixel, line and rectangle primitives
// ---------------------------------------------------------------------------

void pset(int x, int y, ColorRGB color);              // wraps x mod w, y mod h; ignores negatives
bool horLine(int y, int x1, int x2, ColorRGB color);  // clips; false when it misses the surface
bool drawLine(int x1, int y1, int x2, int y2, ColorRGB color);  // refuses unless both ends are on the surface
bool drawRect(int x1, int y1, int x2, int y2, ColorRGB color);  // filled; refuses unless both corners are on

// Visits the cells of the integer Bresenham line from (x1, y1) to (x2, y2), both
// ends included, calling cell(x, y) for each. The major axis advances every step
// (ties count as x-major); the minor one when the error term, started at half the
// major delta, reaches it. drawLine and the editor's scaled lines both walk this way.
template <typename CellFn>
void walkLine(int x1, int y1, int x2, int y2, CellFn cell) {
    const int deltax = x2 >= x1 ? x2 - x1 : x1 - x2;
    const int deltay = y2 >= y1 ? y2 - y1 : y1 - y2;
    const int xstep = x2 >= x1 ? 1 : -1;
    const int ystep = y2 >= y1 ? 1 : -1;
    const bool xMajor = deltax >= deltay;
    const int den = xMajor ? deltax : deltay;
    const int numadd = xMajor ? deltay : deltax;
    int num = den / 2;
    int x = x1, y = y1;
    for (int curpixel = 0; curpixel <= den; ++curpixel) {
        cell(x, y);
        num += numadd;
        if (num >= den) {
            num -= den;
            if (xMajor) y += ystep; else x += xstep;
        }
        if (xMajor) x += xstep; else y += ystep;
    }
}

// ---------------------------------------------------------------------------
// Further shapes, pixel reads and line clipping
// ---------------------------------------------------------------------------

ColorRGB pget(int x, int y);      // wraps like pset; a negative coordinate reads black
void drawBuffer(Uint32* buffer);  // w*h raw pixels in column order: element x*h + y is (x, y)
bool onScreen(int x, int y);
bool verLine(int x, int y1, int y2, ColorRGB color);               // clips
bool drawCircle(int xc, int yc, int radius, ColorRGB color);       // refuses unless wholly on; refuses radius < 0
bool drawDisk(int xc, int yc, int radius, ColorRGB color);         // clips; refuses radius < 0
int findRegion(int x, int y);  // 1 below, 2 above, 4 right, 8 left of the surface
bool clipLine(int x1, int y1, int x2, int y2, int& x3, int& y3, int& x4, int& y4);

// ---------------------------------------------------------------------------
// Text output in the built-in 8 x 8 font
// ---------------------------------------------------------------------------

extern const bool font[256][8][8];  // [glyph][row][column], code page 437 order

// Prints `text` from (x, y), wrapping at the right edge and the bottom, then
// blank cells up to `forceLength` cells in all. Returns the cursor as h*x + y.
int print(const char* text, int x, int y, ColorRGB color, bool bg, ColorRGB color2, int forceLength);
// Number printers; with orderSigns a non-negative value starts one cell right.
int iprint(int a, int x, int y, ColorRGB color, bool bg, ColorRGB color2, bool orderSigns, int forceLength);
int iprint(Uint32 a, int x, int y, ColorRGB color, bool bg, ColorRGB color2, bool orderSigns, int forceLength);
int fprint(double a, int length, int x, int y, ColorRGB color, bool bg, ColorRGB color2, bool orderSigns, int forceLength);
int cprint(unsigned char n, int x, int y, ColorRGB color, bool bg, ColorRGB color2);  // one glyph; returns 1
// The glyphs that show a UTF-8 text, one per character, for print: ASCII as
// it is, any other character as the font's code page 437 has it, and '?' for
// a character the font lacks, a control character or a byte that is no UTF-8.
std::string fontGlyphs(const std::string& utf8);

// ---------------------------------------------------------------------------
// Keyboard number and text input (modal prompts)
// ---------------------------------------------------------------------------

extern bool keyReleased[256];  // release latches shared by every key reader

int getNumeric();  // 0-9 digit, 10 point, 11 minus, -1 none; one code per key press
double getScalar(const char* message, int x, int y, ColorRGB color, bool bg, ColorRGB color2);
// getScalar, but a close request does not end the program: the prompt ends
// with no answer (false, `answer` as it was) and the request is queued again,
// for the caller's own loop test to end the program its usual way. Escape
// still ends the program, as in getScalar. True with the number on Enter.
bool getScalarUnlessClosed(double& answer, const char* message, int x, int y, ColorRGB color, bool bg,
                           ColorRGB color2);
Uint8 getAlphaNumeric();  // character of the key pressed, with Shift or Caps Lock; 0 none
void getString(char* text, int length, const char* message, int x, int y, ColorRGB color, bool bg, ColorRGB color2);
// getString, but Escape cancels instead of ending the program: false, with the
// text empty, once Escape is let go; true on Enter. Keys held as it opens type
// nothing until pressed again.
bool getStringOrCancel(char* text, int length, const char* message, int x, int y, ColorRGB color, bool bg,
                       ColorRGB color2);
// A line of up to `maxLength` bytes of UTF-8, however few cells show it:
// cancelled as getStringOrCancel (false, the text empty) or ended by Enter
// (true). A close request cancels it too, and is queued again for the
// caller's own loop test rather than ending the program. It takes any
// character the keyboard gives: SDL's translation of key presses is on while
// it runs (SDL_EnableUNICODE), and a press SDL gives no character for types
// getAlphaNumeric's. The entry shows in a field of `fieldCells` cells after
// the message, a glyph a character as fontGlyphs shows it, scrolled so that
// the end of the line, where typing goes on, stays in view; while the start
// is out of view the field's first cell shows scrolledMark. A character that
// would pass `maxLength` is not taken; Backspace erases a whole character.
constexpr char scrolledMark = '\xAE';  // the font's left-pointing double angle
bool getLineOrCancel(std::string& text, size_t maxLength, int fieldCells, const char* message, int x, int y,
                     ColorRGB color, bool bg, ColorRGB color2);
Uint8 getChar(const char* message, int x, int y, ColorRGB color, bool bg, ColorRGB color2);

// ---------------------------------------------------------------------------
// BMP loading into caller buffers of w*h entries in column order
// ---------------------------------------------------------------------------

// Fills the buffer with a font pattern, then copies the picture's top-left part.
// Returns the picture's bytes per pixel (3 or 4), or 0 when it cannot be loaded.
int loadBMP(const char* filename, ColorRGB* image, int w, int h);
int loadBMP(const char* filename, Uint32* image, int w, int h);

#endif
