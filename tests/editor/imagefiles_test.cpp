// imagefiles_test.cpp - key e's image files against the overview on the real
// surface: the PNG decoded by libpng, and the SVG rendered by rsvg-convert at
// zoom 1 and 4; and the report of a file that cannot be written.
#include "export.h"
#include "imagefiles.h"

#include <png.h>

#include <cstdlib>

#include "file_fixture.h"
#include "frame.h"
#include "view.h"

namespace {

using ImageFilesTest = FileTest;

// A PNG file as a cell image, one cell per pixel; empty when it cannot be read.
CellImage decodePng(const std::string& path) {
    png_image header = {};
    header.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&header, path.c_str())) return CellImage(0, 0, ColorRGB());
    header.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(header));
    if (!png_image_finish_read(&header, nullptr, rgb.data(), 0, nullptr)) return CellImage(0, 0, ColorRGB());
    CellImage image(static_cast<int>(header.width), static_cast<int>(header.height), ColorRGB());
    for (size_t i = 0; i < image.cells.size(); ++i) image.cells[i] = ColorRGB(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
    return image;
}

// The overview as drawn on the surface: cell (x, y) at window pixel (317 + x, 420 + y).
CellImage overviewOnScreen() {
    CellImage image(Image_Width, Image_Height, ColorRGB());
    for (int y = 0; y < Image_Height; ++y)
        for (int x = 0; x < Image_Width; ++x) image.at(x, y) = pixelColor(overviewX + x, overviewY + y);
    return image;
}

// Success when every pixel of `actual` is the cell of `cells` it covers at `zoom`.
::testing::AssertionResult showsCells(const CellImage& actual, const CellImage& cells, int zoom) {
    if (actual.width != cells.width * zoom || actual.height != cells.height * zoom)
        return ::testing::AssertionFailure() << "size " << actual.width << " x " << actual.height;
    for (int y = 0; y < actual.height; ++y)
        for (int x = 0; x < actual.width; ++x)
            if (actual.at(x, y) != cells.at(x / zoom, y / zoom))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
    return ::testing::AssertionSuccess();
}

bool haveRsvg() { return std::system("command -v rsvg-convert >/dev/null 2>&1") == 0; }

CellImage rsvgRendering(const char* svg, int zoom) {
    const std::string command =
        "rsvg-convert -z " + std::to_string(zoom) + " -o rendered.png " + svg + " 2>/dev/null";
    if (std::system(command.c_str()) != 0) return CellImage(0, 0, ColorRGB());
    return decodePng("rendered.png");
}

struct Case {
    const char* what;
    int background, drawing;  // palette entries
    int separate;
};

TEST_F(ImageFilesTest, FilesShowTheOverviewCellForCell) {
    const std::vector<Point> points = {{0, 0}, {255, 199}, {40, 20}, {7, 190}, {300, 5}};  // (40, 20): under a line
    const std::vector<Line> picture = {
        {10, 20, 100, 20},    // flat
        {30, 10, 41, 150},    // steep
        {200, 10, 150, 60},   // diagonal, drawn backwards
        {250, 190, 120, 171}, // shallow, backwards
        {60, 60, 60, 60},     // one cell
        {5, 5, 256, 5},       // an end off the canvas: not drawn
    };
    for (const Point& p : points) e.picture.addPoint(p[0], p[1]);
    for (const Line& l : picture) e.picture.addLine(l[0], l[1], l[2], l[3]);
    const Case cases[] = {{"start colours", 0, 5, 0}, {"separate lines", 0, 5, 1}, {"other colours", 6, 7, 1}};
    const bool rsvg = haveRsvg();
    if (!rsvg) std::cerr << "rsvg-convert not found: the SVG files are not rendered\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        e.Background_Color = Colors[c.background];
        e.Draw_Color = Colors[c.drawing];
        e.separate = c.separate;
        cls(e.Background_Color);
        renderFrame(e);
        const CellImage overview = overviewOnScreen();
        exportImagesCommand(e);
        EXPECT_TRUE(showsCells(decodePng("picture1.png"), overview, 1));
        if (!rsvg) continue;
        EXPECT_TRUE(showsCells(rsvgRendering("picture1.svg", 1), overview, 1));
        EXPECT_TRUE(showsCells(rsvgRendering("picture1.svg", 4), overview, 4));
    }
    if (!rsvg) GTEST_SKIP() << "rsvg-convert not found";
}

TEST_F(ImageFilesTest, AnUnwritableFileIsReportedAndTheOtherStillWritten) {
    struct Row {
        std::vector<std::string> directories;  // in the way of the files named
        std::string message;                   // on the prompt line: the first file, with its reason
        std::vector<std::string> names;        // in the working directory afterwards
        std::string logged;                    // standard error: each message with its reason
    };
    const Row rows[] = {
        {{"picture3.png"}, "Export failed: pic...png: Is a directory", {"picture3.png", "picture3.svg"},
         "Export failed: picture3.png: Is a directory\n"},
        {{"picture3.svg"}, "Export failed: pic...svg: Is a directory", {"picture3.png", "picture3.svg"},
         "Export failed: picture3.svg: Is a directory\n"},
        {{"picture3.svg", "picture3.png"}, "Export failed: pic...svg: Is a directory",
         {"picture3.png", "picture3.svg"},
         "Export failed: picture3.svg: Is a directory\nExport failed: picture3.png: Is a directory\n"},
    };
    e.nr = 3;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        for (const std::string& directory : row.directories) std::filesystem::create_directory(directory);
        fillSurface(packed(Colors[4]));
        ::testing::internal::CaptureStderr();
        exportImagesCommand(e);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), row.logged);
        EXPECT_TRUE(promptLineShows(row.message, packed(Colors[4])));
        EXPECT_EQ(directoryNames(), row.names);
        for (const std::string& name : directoryNames()) std::filesystem::remove_all(name);
    }
}

}  // namespace
