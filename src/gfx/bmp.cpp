// bmp.cpp - loading BMP pictures into caller-owned buffers.
//
// The buffer holds w*h entries in column order (entry x*h + y is pixel (x, y)),
// the layout drawBuffer reads. It is first filled with a pattern made from the
// font's glyphs, so whatever the picture does not cover, or a failed load,
// shows that pattern. SDL decodes the file; the picture's top-left part is
// copied, and only pictures of 3 or 4 bytes per pixel are taken.
//
//     static Uint32 frame[640 * 480];
//     if (loadBMP("title.bmp", frame, 640, 480) != 0) drawBuffer(frame);
#include <cstddef>

#include "gfx.h"

// One bit of the font as a channel value: 255 for ink, 0 for a clear dot.
static int fontBit(unsigned glyph, unsigned row, unsigned column) {
    return font[glyph % 256][row % 8][column % 8] ? 255 : 0;
}

// Unsigned, so that x + y cannot overflow for any pair of non-negative ints.
static void setPattern(ColorRGB& entry, unsigned x, unsigned y) {
    entry.r = fontBit((x + y) / 8, y, x);
    entry.g = fontBit((x + y) / 8, x + y, x);
    entry.b = fontBit(x / 8, y, x + y);
}

static void setPattern(Uint32& entry, unsigned x, unsigned y) {
    entry = static_cast<Uint32>(fontBit((x + y) / 8, y, x));
}

static void setPixel(ColorRGB& entry, Uint32 value, SDL_PixelFormat* format) {
    ColorRGB8bit color;
    SDL_GetRGB(value, format, &color.r, &color.g, &color.b);
    entry = ColorRGB(color);
}

static void setPixel(Uint32& entry, Uint32 value, SDL_PixelFormat*) { entry = value; }

// The value of the pixel at `bytes`, least significant byte first. Only its own
// bytes are read: a 3-byte pixel gets a top byte of 0, never a byte beyond it.
static Uint32 pixelValue(const Uint8* bytes, int bytesPerPixel) {
    Uint32 value = 0;
    for (int k = 0; k < bytesPerPixel; ++k) value |= static_cast<Uint32>(bytes[k]) << (8 * k);
    return value;
}

template <typename Entry>
static int loadInto(const char* filename, Entry* image, int w, int h) {
    if (image == nullptr || w <= 0 || h <= 0) return 0;
    const auto index = [h](int x, int y) { return static_cast<std::size_t>(x) * h + y; };
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) setPattern(image[index(x, y)], x, y);

    SDL_RWops* file = filename == nullptr ? nullptr : SDL_RWFromFile(filename, "rb");
    if (file == nullptr) return 0;
    SDL_Surface* picture = SDL_LoadBMP_RW(file, 1);  // closes the file itself
    if (picture == nullptr) return 0;
    // SDL makes a surface of any bit count the header claims, 40 bits too; a
    // pixel of more than 4 bytes would not fit the 32-bit value it is read into.
    const int bytesPerPixel = picture->format->BytesPerPixel;
    const bool taken = bytesPerPixel == 3 || bytesPerPixel == 4;
    if (taken) {
        const int width = picture->w < w ? picture->w : w;
        const int height = picture->h < h ? picture->h : h;
        const Uint8* pixels = static_cast<const Uint8*>(picture->pixels);
        for (int x = 0; x < width; ++x) {
            for (int y = 0; y < height; ++y) {
                const Uint8* bytes = pixels + static_cast<std::size_t>(picture->pitch) * y + x * bytesPerPixel;
                setPixel(image[index(x, y)], pixelValue(bytes, bytesPerPixel), picture->format);
            }
        }
    }
    SDL_FreeSurface(picture);
    return taken ? bytesPerPixel : 0;
}

int loadBMP(const char* filename, ColorRGB* image, int w, int h) { return loadInto(filename, image, w, h); }

int loadBMP(const char* filename, Uint32* image, int w, int h) { return loadInto(filename, image, w, h); }
