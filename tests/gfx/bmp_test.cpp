// bmp_test.cpp - loading BMP files into colour-record and packed buffers.
//
// Every file is made here: 24- and 32-bit surfaces saved with SDL_SaveBMP, and
// 32-bit and 8-bit palette files written byte by byte.
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gfx.h"
#include "surface_helpers.h"

namespace {

std::string tempPath(const char* name) { return ::testing::TempDir() + "tessary_bmp_test_" + name + ".bmp"; }

// A distinct colour for each pixel of a test picture.
ColorRGB pictureColor(int x, int y) { return ColorRGB(10 + 40 * x, 200 - 50 * y, 7 * x + 3 * y + 1); }

Uint32 packedRGB(ColorRGB c) { return static_cast<Uint32>(c.r << 16 | c.g << 8 | c.b); }

// The fill pattern, as the loader documents it, read from the font table.
int fontBit(unsigned glyph, unsigned row, unsigned column) { return font[glyph % 256][row % 8][column % 8] ? 255 : 0; }

ColorRGB patternColor(unsigned x, unsigned y) {
    ColorRGB c;
    c.r = fontBit((x + y) / 8, y, x);
    c.g = fontBit((x + y) / 8, x + y, x);
    c.b = fontBit(x / 8, y, x + y);
    return c;
}

Uint32 patternValue(unsigned x, unsigned y) { return static_cast<Uint32>(fontBit((x + y) / 8, y, x)); }

// Saves a width x height surface of the given depth, filled with pictureColor.
void saveSurface(const std::string& path, int width, int height, int depth) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, depth, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    ASSERT_NE(s, nullptr);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SDL_Rect pixel = {static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
            const ColorRGB c = pictureColor(x, y);
            SDL_FillRect(s, &pixel, SDL_MapRGB(s->format, c.r, c.g, c.b));
        }
    }
    ASSERT_EQ(SDL_SaveBMP(s, path.c_str()), 0);
    SDL_FreeSurface(s);
}

void writeFile(const std::string& path, const void* bytes, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes, 1, size, f), size);
    std::fclose(f);
}

void putLE(std::vector<Uint8>& out, Uint32 value, int bytes) {
    for (int k = 0; k < bytes; ++k) out.push_back(static_cast<Uint8>(value >> (8 * k)));
}

// Writes an uncompressed bottom-up BMP. `rows` holds the pixel bytes of each
// row from the top, unpadded; `palette` holds B, G, R, 0 quads.
void writeBMP(const std::string& path, int width, int height, int bitCount, const std::vector<Uint8>& palette,
              const std::vector<Uint8>& rows) {
    const int rowBytes = width * bitCount / 8;
    const int paddedRow = (rowBytes + 3) / 4 * 4;
    const Uint32 offset = 14 + 40 + static_cast<Uint32>(palette.size());
    const Uint32 imageSize = static_cast<Uint32>(paddedRow * height);
    std::vector<Uint8> file = {'B', 'M'};
    putLE(file, offset + imageSize, 4);
    putLE(file, 0, 4);
    putLE(file, offset, 4);
    putLE(file, 40, 4);
    putLE(file, static_cast<Uint32>(width), 4);
    putLE(file, static_cast<Uint32>(height), 4);
    putLE(file, 1, 2);
    putLE(file, static_cast<Uint32>(bitCount), 2);
    putLE(file, 0, 4);  // no compression
    putLE(file, imageSize, 4);
    putLE(file, 2835, 4);
    putLE(file, 2835, 4);
    putLE(file, static_cast<Uint32>(palette.size() / 4), 4);
    putLE(file, 0, 4);
    file.insert(file.end(), palette.begin(), palette.end());
    for (int y = height - 1; y >= 0; --y) {
        file.insert(file.end(), rows.begin() + y * rowBytes, rows.begin() + (y + 1) * rowBytes);
        file.insert(file.end(), static_cast<size_t>(paddedRow - rowBytes), 0);
    }
    writeFile(path, file.data(), file.size());
}

// A 32-bit picture whose pixels are B, G, R of pictureColor and a fourth byte 0x5A.
void write32BitBMP(const std::string& path, int width, int height) {
    std::vector<Uint8> rows;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const ColorRGB c = pictureColor(x, y);
            rows.insert(rows.end(), {static_cast<Uint8>(c.b), static_cast<Uint8>(c.g), static_cast<Uint8>(c.r), 0x5A});
        }
    }
    writeBMP(path, width, height, 32, {}, rows);
}

class LoadBMP : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::string& path : written) std::remove(path.c_str());
    }
    std::string file(const char* name) {
        written.push_back(tempPath(name));
        return written.back();
    }
    std::vector<std::string> written;
};

// What load buffers hold before loading: neither picture nor pattern has these.
const ColorRGB unwrittenColour(1, 2, 3);
const Uint32 unwrittenValue = 0xDEADBEEF;

// Loads `path` into a fresh w x h buffer whose every pixel starts as `fill`,
// expecting loadBMP to answer `bytesPerPixel`.
template <typename Pixel>
std::vector<Pixel> loaded(const char* path, int w, int h, int bytesPerPixel, Pixel fill) {
    std::vector<Pixel> image(static_cast<size_t>(w) * h, fill);
    EXPECT_EQ(loadBMP(path, image.data(), w, h), bytesPerPixel) << (path ? path : "no path");
    return image;
}

std::vector<Uint32> loadedValues(const std::string& path, int w, int h, int bytesPerPixel) {
    return loaded(path.c_str(), w, h, bytesPerPixel, unwrittenValue);
}

// Loads `path` into a w x h colour buffer and checks it: the picture's top-left
// pw x ph part, the pattern elsewhere.
void expectColoursLoaded(const std::string& path, int w, int h, int bytesPerPixel, int pw, int ph) {
    const std::vector<ColorRGB> image = loaded(path.c_str(), w, h, bytesPerPixel, unwrittenColour);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            const ColorRGB expected = x < pw && y < ph ? pictureColor(x, y) : patternColor(x, y);
            EXPECT_EQ(image[static_cast<size_t>(x) * h + y], expected) << "at " << x << ", " << y;
        }
    }
}

// Loads `path` into a w x h packed buffer, which loadBMP must refuse and fill with the pattern.
void expectPatternLoaded(const char* path, int w, int h) {
    const std::vector<Uint32> image = loaded(path, w, h, 0, unwrittenValue);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) EXPECT_EQ(image[static_cast<size_t>(x) * h + y], patternValue(x, y));
}

TEST_F(LoadBMP, MissingOrUndecodableFileLeavesThePattern) {
    const std::string missing = tempPath("does_not_exist");
    EXPECT_EQ(loaded(missing.c_str(), 24, 20, 0, unwrittenColour)[0], ColorRGB());  // glyph 0 is blank
    expectColoursLoaded(missing, 24, 20, 0, 0, 0);
    expectPatternLoaded(missing.c_str(), 24, 20);
    expectPatternLoaded(nullptr, 24, 20);

    const std::string notAPicture = file("text");
    const std::string text = "not a picture";
    writeFile(notAPicture, text.data(), text.size());
    expectPatternLoaded(notAPicture.c_str(), 24, 20);
}

TEST_F(LoadBMP, TwentyFourBitPictureIntoALargerBuffer) {
    const std::string path = file("rgb24");
    saveSurface(path, 4, 2, 24);
    expectColoursLoaded(path, 8, 8, 3, 4, 2);

    // Packed: the three bytes as 0x00RRGGBB; the top byte is 0.
    const std::vector<Uint32> values = loadedValues(path, 8, 8, 3);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y) EXPECT_EQ(values[x * 8 + y], packedRGB(pictureColor(x, y)));
    EXPECT_EQ(values[4 * 8 + 0], patternValue(4, 0));
    EXPECT_EQ(values[0 * 8 + 2], patternValue(0, 2));
}

TEST_F(LoadBMP, ThirtyTwoBitSurfaceIsSavedAsTwentyFourBits) {
    // SDL_SaveBMP writes surfaces of other depths as 24-bit pictures.
    const std::string path = file("rgb32_saved");
    saveSurface(path, 3, 3, 32);
    expectColoursLoaded(path, 5, 4, 3, 3, 3);
}

TEST_F(LoadBMP, ThirtyTwoBitPictureIsClippedToTheBuffer) {
    const std::string path = file("rgb32");
    write32BitBMP(path, 10, 7);
    expectColoursLoaded(path, 6, 5, 4, 6, 5);

    // Packed: the picture's own four bytes, top byte included.
    const std::vector<Uint32> values = loadedValues(path, 6, 5, 4);
    EXPECT_EQ(values[0], 0x5A000000u | packedRGB(pictureColor(0, 0)));
    EXPECT_EQ(values[5 * 5 + 4], 0x5A000000u | packedRGB(pictureColor(5, 4)));
    EXPECT_EQ(values[1 * 5 + 0], 0x5A000000u | packedRGB(pictureColor(1, 0)));
}

// Pictures SDL decodes but the loader refuses, leaving the pattern: a palette
// picture, and 40 bits, which SDL decodes into a surface of that many bytes per
// pixel and which would not fit the 32-bit pixel value.
TEST_F(LoadBMP, PixelFormatsOtherThan24Or32BitsAreRefusedAndLeaveThePattern) {
    struct Case { const char* name; int width, height, bits; std::vector<Uint8> palette, data; int bytesPerPixel; };
    const std::vector<Case> cases = {
        {"palette8", 4, 2, 8, {0, 0, 255, 0, 0, 255, 0, 0}, {0, 1, 0, 1, 1, 0, 1, 0}, 1},  // red, green
        {"forty", 2, 1, 40, {}, std::vector<Uint8>(10, 0x77), 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = file(c.name);
        writeBMP(path, c.width, c.height, c.bits, c.palette, c.data);
        SDL_Surface* check = SDL_LoadBMP(path.c_str());
        ASSERT_NE(check, nullptr) << "SDL must decode the hand-built file for this case to test the loader";
        EXPECT_EQ(check->format->BytesPerPixel, c.bytesPerPixel);
        SDL_FreeSurface(check);

        expectColoursLoaded(path, 8, 8, 0, 0, 0);
        expectPatternLoaded(path.c_str(), 8, 8);
    }
}

TEST_F(LoadBMP, BadBufferSizesWriteNothing) {
    const std::string path = file("small");
    saveSurface(path, 2, 2, 24);
    std::vector<Uint32> values(4, unwrittenValue);
    EXPECT_EQ(loadBMP(path.c_str(), values.data(), 0, 4), 0);
    EXPECT_EQ(loadBMP(path.c_str(), values.data(), 2, -1), 0);
    EXPECT_EQ(loadBMP(path.c_str(), static_cast<Uint32*>(nullptr), 2, 2), 0);
    EXPECT_EQ(loadBMP(path.c_str(), static_cast<ColorRGB*>(nullptr), 2, 2), 0);
    for (Uint32 v : values) EXPECT_EQ(v, unwrittenValue);
}

}  // namespace
