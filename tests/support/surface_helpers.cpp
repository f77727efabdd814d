#include "surface_helpers.h"

#include <gtest/gtest.h>

void PrintTo(const ColorRGB& color, std::ostream* os) {
    *os << "RGB(" << color.r << ", " << color.g << ", " << color.b << ")";
}

Uint32 rawPixel(int x, int y) {
    return static_cast<Uint32*>(scr->pixels)[y * (scr->pitch / 4) + x];
}

ColorRGB pixelColor(int x, int y) {
    Uint8 r, g, b;
    SDL_GetRGB(rawPixel(x, y), scr->format, &r, &g, &b);
    return ColorRGB(r, g, b);
}

Uint32 packed(ColorRGB color) { return SDL_MapRGB(scr->format, color.r, color.g, color.b); }

void fillSurface(Uint32 value) { SDL_FillRect(scr, nullptr, value); }

int countPixels(int x1, int y1, int x2, int y2, Uint32 value) {
    int n = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) n += rawPixel(x, y) == value;
    return n;
}

int countPixels(Uint32 value) { return countPixels(0, 0, w - 1, h - 1, value); }

void setKey(int key, bool down) { SDL_GetKeyState(nullptr)[key] = down ? 1 : 0; }

void pressKey(int key, const std::function<void()>& pass) {
    for (bool down : {true, false}) {
        setKey(key, down);
        readKeys();
        pass();
    }
}

void releaseAllKeys() {
    int count = 0;
    Uint8* keys = SDL_GetKeyState(&count);
    for (int i = 0; i < count; ++i) keys[i] = 0;
}

void drainEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

void pushEvent(Uint8 type) {
    SDL_Event event = {};
    event.type = type;
    SDL_PushEvent(&event);
}

void pushInput(Uint8 type, int keyOrButton, int x, int y) {
    SDL_Event event = {};
    event.type = type;
    event.key.keysym.sym = static_cast<SDLKey>(keyOrButton);
    if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) {
        event.button.button = static_cast<Uint8>(keyOrButton);
        event.button.x = static_cast<Uint16>(x);
        event.button.y = static_cast<Uint16>(y);
    }
    SDL_PushEvent(&event);
}

void tapKey(int key) { pushInput(SDL_KEYDOWN, key), pushInput(SDL_KEYUP, key); }

std::vector<std::string> cellPattern(int x, int y, Uint32 ink) {
    std::vector<std::string> rows;
    for (int v = 0; v < 8; ++v) {
        std::string row;
        for (int u = 0; u < 8; ++u) row += rawPixel(x + u, y + v) == ink ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> glyphPattern(unsigned char n) {
    std::vector<std::string> rows;
    for (int v = 0; v < 8; ++v) {
        std::string row;
        for (int u = 0; u < 8; ++u) row += font[n][v][u] ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

void expectText(const std::string& text, int x, int y) {
    const Uint32 white = packed(ColorRGB(255, 255, 255));
    const Uint32 black = packed(ColorRGB(0, 0, 0));
    for (size_t i = 0; i < text.size(); ++i) {
        const int cellX = x + 8 * static_cast<int>(i);
        EXPECT_EQ(cellPattern(cellX, y, white), glyphPattern(static_cast<unsigned char>(text[i])))
            << "character " << i << " of \"" << text << "\" at (" << x << ", " << y << ")";
        EXPECT_EQ(countPixels(cellX, y, cellX + 7, y + 7, white) + countPixels(cellX, y, cellX + 7, y + 7, black), 64);
    }
}
