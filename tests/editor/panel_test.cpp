// panel_test.cpp - the status panel's bands, labels and values on the real surface.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "panel.h"
#include "surface_helpers.h"
#include "view.h"

namespace {

const ColorRGB white(255, 255, 255);
const ColorRGB black(0, 0, 0);
// The surface is filled with this first, so pixels the panel leaves alone show.
const Uint32 untouched = 0x00102030;

// The text drawn white on black, glyph by glyph, from (x, y).

void drawFreshPanel(const Editor& e) {
    fillSurface(untouched);
    drawPanel(e);
}

}  // namespace

TEST(Panel, BandsRowByRow) {
    drawFreshPanel(Editor());
    const int topEntries[] = {9, 2, 8, 10, 15, 7, 1};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(countPixels(0, 401 + i, 639, 401 + i, packed(Colors[topEntries[i]])), 640) << "row " << 401 + i;
        EXPECT_EQ(countPixels(0, 636 - i, 639, 636 - i, packed(Colors[topEntries[i]])), 640) << "row " << 636 - i;
    }
    for (int y : {400, 408, 412, 629, 637, 639}) EXPECT_EQ(countPixels(0, y, 639, y, untouched), 640) << "row " << y;
}

TEST(Panel, LabelsAndValuesAtStartUp) {
    drawFreshPanel(Editor());
    struct Row {
        const char* label;
        int valueX;
        const char* value;
    };
    const Row rows[] = {
        {"X:       ", 24, "0"},          {"Y:       ", 24, "0"},
        {"Scale:   ", 56, "1"},          {"X_Start:   ", 72, "0"},
        {"Y_Start:   ", 72, "0"},        {"Max_X:   ", 56, "256"},
        {"Max_Y:   ", 56, "200"},        {"No. Pixels:   ", 94, "0"},
        {"L. Phase:         ", 80, "0"}, {"No. lines:         ", 88, "0"},
        {"Separate:         ", 80, "0"}, {"Lines on pixel:         ", 128, "0"},
        {"Used picture slot:         ", 152, "1"},
    };
    for (int k = 0; k < 13; ++k) {
        const int y = 413 + 16 * k;
        const std::string label = rows[k].label;
        const int valueCells = static_cast<int>(std::string(rows[k].value).size());
        // The label up to the value, the value, and the label's blanks past it.
        expectText(label.substr(0, rows[k].valueX / 8), 0, y);
        expectText(rows[k].value, rows[k].valueX, y);
        const int labelEnd = 8 * static_cast<int>(label.size()) - 1;
        const int valueEnd = rows[k].valueX + 8 * valueCells - 1;
        if (labelEnd > valueEnd) {
            EXPECT_EQ(countPixels(valueEnd + 1, y, labelEnd, y + 7, packed(black)), (labelEnd - valueEnd) * 8);
        }
        const int rowEnd = std::max(labelEnd, valueEnd);
        EXPECT_EQ(countPixels(rowEnd + 1, y, 639, y + 7, untouched), (639 - rowEnd) * 8) << "row " << y;
    }
}

TEST(Panel, ValuesFollowTheState) {
    Editor e;
    e.rmouseX = 255;
    e.rmouseY = 199;
    e.scale = 3;
    e.nr = 7;
    e.lop = 12;
    drawFreshPanel(e);
    expectText("X: 255", 0, 413);
    expectText("Y: 199", 0, 429);
    expectText("Scale: 3", 0, 445);
    expectText("Max_X: 213", 0, 493);
    expectText("Max_Y: 133", 0, 509);
    expectText("12", 128, 589);
    expectText("7", 152, 605);
}

TEST(Panel, PointsCountGrowsAndShrinksAtX94) {
    Editor e;
    for (int x = 0; x < 123; ++x) e.picture.addPoint(x, 0);
    drawFreshPanel(e);
    expectText("123", 94, 525);

    for (int x = 5; x < 123; ++x) e.picture.erasePoint(x);
    drawPanel(e);
    expectText("5", 94, 525);
    // The label's blanks reach x 111; the rest of the old "3" stays until a clear.
    EXPECT_EQ(countPixels(102, 525, 111, 532, packed(black)), 10 * 8);
    const std::vector<std::string> three = glyphPattern('3');
    const std::vector<std::string> left = cellPattern(110, 525, packed(white));
    for (int v = 0; v < 8; ++v) EXPECT_EQ(left[v].substr(2), three[v].substr(2)) << "row " << v;
}
