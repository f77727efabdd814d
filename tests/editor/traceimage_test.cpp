// traceimage_test.cpp - fitting an image to the canvas and averaging its pixels
// into cells, on small images of several shapes; and reading a PNG pass by
// pass (interlaced), files that cannot be traced, and readings cancelled.
#include "traceimage.h"

#include <png.h>

#include <cstdio>
#include <functional>

#include "file_fixture.h"

namespace {

using Rgba = std::array<std::uint8_t, 4>;
using Pixels = std::function<Rgba(int x, int y)>;

struct Expected {
    int x, y;
    std::array<int, 4> cell;  // r, g, b premultiplied, coverage
};

struct FitCase {
    const char* name;
    int width, height;
    Pixels pixel;
    std::vector<Expected> cells;
};

TraceImage fit(int width, int height, const Pixels& pixel) {
    TraceFitter fitter(width, height);
    std::vector<std::uint8_t> row(static_cast<size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) std::copy_n(pixel(x, y).begin(), 4, &row[static_cast<size_t>(x) * 4]);
        fitter.addPixels(y, 0, 1, row.data(), 4, width);
    }
    return fitter.finish();
}

void expectCells(const TraceImage& image, const std::vector<Expected>& cells, const char* what) {
    for (const Expected& e : cells) {
        const TraceCell& c = image.at(e.x, e.y);
        EXPECT_EQ((std::array<int, 4>{c.r, c.g, c.b, c.coverage}), e.cell) << what << " at " << e.x << ", " << e.y;
    }
}

const Rgba red = {255, 0, 0, 255}, blue = {0, 0, 255, 255}, clearBlue = {0, 0, 255, 0};

TEST(TraceImageTest, FitsAndAveragesCells) {
    const FitCase cases[] = {
        // 2:1 fills the width, 128 rows centred from row 36; each cell takes the pixel it lies in.
        {"wide, enlarged", 2, 1, [](int x, int) { return x == 0 ? red : blue; },
         {{0, 36, {255, 0, 0, 255}}, {127, 100, {255, 0, 0, 255}}, {128, 100, {0, 0, 255, 255}},
          {255, 163, {0, 0, 255, 255}}, {0, 35, {0, 0, 0, 0}}, {0, 164, {0, 0, 0, 0}}}},
        // 1:2 fills the height, 100 columns centred from column 78.
        {"tall, enlarged", 1, 2, [](int, int y) { return y == 0 ? red : blue; },
         {{78, 99, {255, 0, 0, 255}}, {177, 100, {0, 0, 255, 255}}, {77, 0, {0, 0, 0, 0}}, {178, 0, {0, 0, 0, 0}}}},
        // Halved: each cell averages 2 x 2 pixels, half of them white.
        {"stripes, halved", 512, 400, [](int x, int) { return x % 2 ? Rgba{0, 0, 0, 255} : Rgba{255, 255, 255, 255}; },
         {{0, 0, {128, 128, 128, 255}}, {255, 199, {128, 128, 128, 255}}}},
        // 3 pixels to 2 cells: pixels 0 and 1 go to cell 0, pixel 2 alone to cell 1.
        {"two thirds", 384, 300,
         [](int x, int y) {
             const std::uint8_t shades[] = {0, 90, 30};
             return Rgba{shades[x % 3], shades[y % 3], 0, 255};
         },
         {{0, 0, {45, 45, 0, 255}}, {1, 0, {30, 45, 0, 255}}, {0, 1, {45, 30, 0, 255}}}},
        // A clear pixel lends no colour, only less coverage.
        {"half clear, halved", 512, 400, [](int x, int) { return x % 2 ? clearBlue : red; },
         {{10, 10, {128, 0, 0, 128}}}},
        {"half opaque, square", 1, 1, [](int, int) { return Rgba{255, 0, 0, 128}; },
         {{28, 0, {128, 0, 0, 128}}, {227, 199, {128, 0, 0, 128}}, {27, 0, {0, 0, 0, 0}}}},
    };
    for (const FitCase& c : cases) expectCells(fit(c.width, c.height, c.pixel), c.cells, c.name);
    // Blended over white, half coverage lets half the white through.
    EXPECT_EQ(blendOver(TraceCell{128, 0, 0, 128}, ColorRGB(255, 255, 255)), ColorRGB(255, 127, 127));
}

// Writes an 8-bit RGB PNG through libpng's full interface, which can interlace.
void writePng(const std::string& path, int width, int height, int interlace, const std::vector<png_byte>& rows) {
    FILE* file = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, interlace, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = rows.size() / height;
    for (int pass = png_set_interlace_handling(png); pass > 0; --pass)
        for (int y = 0; y < height; ++y) png_write_row(png, &rows[y * stride]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

TEST_F(FileTest, ReadsAnInterlacedPngOrSaysWhyNot) {
    // 16 x 16 halves, red over blue, interlaced.
    std::vector<png_byte> halves;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            halves.insert(halves.end(), {png_byte(y < 8 ? 255 : 0), 0, png_byte(y < 8 ? 0 : 255)});
    writePng("interlaced.png", 16, 16, PNG_INTERLACE_ADAM7, halves);
    writeFile("truncated.png", readFile("interlaced.png").substr(0, 60));
    writeFile("notes.txt", "not an image");
    struct Case { const char* file; std::vector<Expected> cells; const char* reason; };
    const Case cases[] = {
        {"interlaced.png", {{28, 0, {255, 0, 0, 255}}, {227, 99, {255, 0, 0, 255}}, {28, 100, {0, 0, 255, 255}}}, ""},
        {"truncated.png", {}, "damaged PNG: "},
        {"notes.txt", {}, "not a PNG or BMP image"},
        {".", {}, "Is a directory"},
    };
    for (const Case& c : cases) {
        const TraceRead read = readTraceImage(c.file);
        EXPECT_EQ(read.reason.substr(0, std::string(c.reason).size()), c.reason) << c.file;
        EXPECT_EQ(read.image.has_value(), c.reason[0] == '\0') << c.file;
        if (read.image) expectCells(*read.image, c.cells, c.file);
    }
}

TEST_F(FileTest, AReadingCancelledStopsBeforeItsNextRowAndSaysSo) {
    const int width = 64, height = 400;  // each row, of any pass, is less than a percent
    writePng("plain.png", width, height, PNG_INTERLACE_NONE, std::vector<png_byte>(width * height * 3, 128));
    writePng("interlaced.png", width, height, PNG_INTERLACE_ADAM7, std::vector<png_byte>(width * height * 3, 128));
    writeBmp("plain.bmp", width, height);
    for (const char* file : {"plain.png", "interlaced.png", "plain.bmp"}) {
        for (const int cancelAt : {0, 10, 101}) {  // before the first row, midway, never
            TraceProgress progress;
            progress.cancelled = cancelAt == 0;
            int reached = 0;
            progress.moved = [&](int percent) {
                reached = percent;
                if (percent >= cancelAt) progress.cancelled = true;
            };
            const TraceRead read = readTraceImage(file, &progress);
            const std::string what = std::string(file) + " cancelled at " + std::to_string(cancelAt);
            EXPECT_EQ(reached, std::min(cancelAt, 100)) << what;
            EXPECT_EQ(read.image.has_value(), cancelAt > 100) << what;
            EXPECT_EQ(read.reason, cancelAt > 100 ? "" : traceCancelled) << what;
        }
    }
}

}  // namespace
