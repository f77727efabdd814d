// file_fixture.h - shared by the file command tests: a fresh working directory
// per test (removed once nothing writes there), reading and writing whole files, the picture as lists, and a check
// of the text on the prompt line.
#ifndef TESSARY_TEST_FILE_FIXTURE_H
#define TESSARY_TEST_FILE_FIXTURE_H

#include <stdlib.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "copywriter.h"
#include "promptline.h"
#include "scratch_folder.h"
#include "state.h"
#include "surface_helpers.h"

using Point = std::array<int, 2>;
using Line = std::array<int, 4>;

// A fresh temporary directory made the working one, and left and removed again.
struct ScratchFolder {
    std::filesystem::path scratch, previous;

    void enter() {
        char pattern[] = "/tmp/tessary_files_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch = pattern;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(scratch);
    }
    // The copy's writer may still write into a store under the directory: it
    // ends first.
    void leave() {
        stopCopyWriter();
        std::filesystem::current_path(previous);
        EXPECT_EQ(removeScratchFolder(scratch), "");
    }
};

// Each test runs in its own temporary directory, starting from an empty picture.
class FileTest : public ::testing::Test, protected ScratchFolder {
protected:
    void SetUp() override { enter(); }
    void TearDown() override { leave(); }
    // The names in the working directory, sorted.
    static std::vector<std::string> directoryNames() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(".")) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    const PictureTables& tables() const { return e.picture.tables(); }
    // Point entry i of the table, used or not.
    Point pointEntry(int i) const { return {tables().pixel[0][i], tables().pixel[1][i]}; }
    Line lineEntry(int i) const {
        return {tables().lines[0][i], tables().lines[1][i], tables().lines[2][i], tables().lines[3][i]};
    }
    // The entries in use, in entry order.
    std::vector<Point> pointsInUse() const {
        std::vector<Point> points;
        for (int i = 0; i < p_number; ++i)
            if (tables().pixel_oc[i]) points.push_back(pointEntry(i));
        return points;
    }
    std::vector<Line> linesInUse() const {
        std::vector<Line> found;
        for (int i = 0; i < l_number; ++i)
            if (tables().line_oc[i]) found.push_back(lineEntry(i));
        return found;
    }

    Editor e;
};

inline std::string readFile(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const char* name, const std::string& content) {
    std::ofstream(name, std::ios::binary) << content;
}

// Writes a width x height BMP of 24 bits per pixel, all grey.
inline void writeBmp(const std::string& path, int width, int height) {
    SDL_Surface* grey = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(grey, nullptr, 0x808080);
    SDL_SaveBMP(grey, path.c_str());
    SDL_FreeSurface(grey);
}

// Text drawn white on black at the prompt line, then blank cells up to the
// message length, and the pixel at x 320 left as it was.
inline ::testing::AssertionResult promptLineShows(const std::string& text, Uint32 untouched) {
    const Uint32 white = packed(ColorRGB(255, 255, 255));
    const Uint32 black = packed(ColorRGB(0, 0, 0));
    for (int cell = 0; cell < messageLength; ++cell) {
        const unsigned char glyph = cell < static_cast<int>(text.size()) ? text[cell] : 0;
        const int x = promptLineX + 8 * cell;
        if (cellPattern(x, promptLineY, white) != glyphPattern(glyph) ||
            countPixels(x, promptLineY, x + 7, promptLineY + 7, white) +
                    countPixels(x, promptLineY, x + 7, promptLineY + 7, black) != 64)
            return ::testing::AssertionFailure() << "cell " << cell << " differs from \"" << text << "\"";
    }
    if (rawPixel(promptLineX + 8 * messageLength, promptLineY) != untouched)
        return ::testing::AssertionFailure() << "drawn beyond " << messageLength << " cells";
    return ::testing::AssertionSuccess();
}

#endif
