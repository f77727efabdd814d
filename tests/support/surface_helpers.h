// surface_helpers.h - reading the real surface and setting SDL's real key array in tests.
#ifndef TESSARY_TEST_SURFACE_HELPERS_H
#define TESSARY_TEST_SURFACE_HELPERS_H

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "gfx.h"

// Shows colours as RGB(r, g, b) in test failure messages.
void PrintTo(const ColorRGB& color, std::ostream* os);

// The raw 32-bit value of pixel (x, y) of the window's surface.
Uint32 rawPixel(int x, int y);
// Pixel (x, y) split into channels.
ColorRGB pixelColor(int x, int y);
// The 0x00RRGGBB value of a colour, as it stands on the 32-bit surface.
Uint32 packed(ColorRGB color);
// Fills the surface with one raw value.
void fillSurface(Uint32 value);
// How many pixels of the rectangle [x1..x2] x [y1..y2] hold `value`.
int countPixels(int x1, int y1, int x2, int y2, Uint32 value);
// How many pixels of the whole surface hold `value`.
int countPixels(Uint32 value);

// Sets or releases a key in the array that SDL_GetKeyState returns.
void setKey(int key, bool down);
// Releases every key.
void releaseAllKeys();
// One press of `key`: `pass` runs once with the key held (and the key array
// read), then once after the key is let go.
void pressKey(int key, const std::function<void()>& pass);
// Empties SDL's event queue.
void drainEvents();
// Pushes one event of the given type (SDL_QUIT, SDL_USEREVENT, ...).
void pushEvent(Uint8 type);
// Pushes a key event for `keyOrButton`, or a button event for it at window
// pixel (x, y); SDL's own key and button state stays as it is.
void pushInput(Uint8 type, int keyOrButton, int x = 0, int y = 0);
// A key's press and release, queued.
void tapKey(int key);

// Renders cell (cellX, cellY) of the text grid as 8 strings of '#' and '.',
// comparing each pixel with `ink`.
std::vector<std::string> cellPattern(int x, int y, Uint32 ink);
// The same for glyph n of the font table.
std::vector<std::string> glyphPattern(unsigned char n);

// Expects `text` drawn from (x, y) in white on black, every pixel of each cell written.
void expectText(const std::string& text, int x, int y);

#endif
