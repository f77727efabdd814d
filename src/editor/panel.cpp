// panel.cpp - the status panel: two colour bands and thirteen labelled values.
//
// The panel is drawn once per pass, after the overview, and never cleared: every
// label carries trailing blanks, printed with the background on, that paint
// over the first cells of the value printed after it. A value whose text
// reaches past those blanks leaves its end behind when it shrinks, until the
// window is cleared; so each event of a pass prints such values as a frame
// would (drawPanelOverhangs), and a pass that applies many events shows the
// same ends as one frame per event did.
#include "panel.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "view.h"

namespace {

const ColorRGB white(255, 255, 255);
const ColorRGB black(0, 0, 0);

const int bandLeft = 0;
const int bandRight = 639;
const int topBandY = 401;
const int bottomBandY = 630;
// Palette entries of the top band, top row first; the bottom band mirrors it.
const int bandEntries[] = {9, 2, 8, 10, 15, 7, 1};
const int bandRows = sizeof bandEntries / sizeof bandEntries[0];

const int firstRowY = 413;
const int rowStep = 16;

struct PanelRow {
    const char* label;
    int valueX;
};

const PanelRow panelRows[] = {
    {"X:       ", 24},
    {"Y:       ", 24},
    {"Scale:   ", 56},
    {"X_Start:   ", 72},
    {"Y_Start:   ", 72},
    {"Max_X:   ", 56},
    {"Max_Y:   ", 56},
    {"No. Pixels:   ", 94},
    {"L. Phase:         ", 80},
    {"No. lines:         ", 88},
    {"Separate:         ", 80},
    {"Lines on pixel:         ", 128},
    {"Used picture slot:         ", 152},
};
static_assert(sizeof panelRows / sizeof panelRows[0] == panelRowCount, "one value per row");
const int rowCount = panelRowCount;

void drawBands(int y, bool mirrored) {
    for (int i = 0; i < bandRows; ++i) {
        const int entry = bandEntries[mirrored ? bandRows - 1 - i : i];
        horLine(y + i, bandLeft, bandRight, Colors[entry]);
    }
}

int rowY(int k) { return firstRowY + rowStep * k; }

void drawRow(int k, int value) {
    print(panelRows[k].label, 0, rowY(k), white, true, black, 0);
    iprint(value, panelRows[k].valueX, rowY(k), white, true, black, false, 0);
}

int labelWidth(int k) { return 8 * static_cast<int>(std::strlen(panelRows[k].label)); }

// Window pixels from the row's value to the end of its text.
int valueWidth(int value) { return 8 * static_cast<int>(std::to_string(value).size()); }

// The right edge of the row's label or of its value, whichever reaches further.
int rowRight(int k, int value) { return std::max(labelWidth(k), panelRows[k].valueX + valueWidth(value)) - 1; }

}  // namespace

PanelValues panelValues(const Editor& e) {
    const ViewBounds bounds = viewBounds(e);
    const PictureTables& t = e.picture.tables();
    // In the order of panelRows.
    return {e.rmouseX,       e.rmouseY,    e.scale,        e.X_Start,  e.Y_Start, bounds.max_x, bounds.max_y,
            t.pixels_Amount, e.line_phase, t.lines_amount, e.separate, e.lop,     e.nr};
}

void drawPanel(const Editor& e) {
    SurfaceRegion all;
    all.whole = true;
    drawPanelWithin(e, all);
}

void drawPanelWithin(const Editor& e, const SurfaceRegion& region) {
    const auto bandIn = [&](int y) { return region.touches(bandLeft, y, bandRight, y + bandRows - 1); };
    if (bandIn(topBandY)) drawBands(topBandY, false);
    const PanelValues values = panelValues(e);
    for (int k = 0; k < rowCount; ++k) {
        if (region.touches(0, rowY(k), rowRight(k, values[k]), rowY(k) + 7)) drawRow(k, values[k]);
    }
    if (bandIn(bottomBandY)) drawBands(bottomBandY, true);
}

void panelRowsChanged(const Editor& e, const PanelValues& before, SurfaceRegion& region) {
    const PanelValues values = panelValues(e);
    for (int k = 0; k < rowCount; ++k) {
        if (values[k] != before[k]) region.add(0, rowY(k), rowRight(k, values[k]), rowY(k) + 7);
    }
}

void drawPanelOverhangs(Editor& e) {
    const PanelValues values = panelValues(e);
    const bool cleared = surfaceCleared();  // since the last frame: nothing of the panel is left
    for (int k = 0; k < rowCount; ++k) {
        if (rowRight(k, values[k]) < labelWidth(k) || (values[k] == e.shown.panelEnds[k] && !cleared)) continue;
        iprint(values[k], panelRows[k].valueX, rowY(k), white, true, black, false, 0);
        e.shown.panelEnds[k] = values[k];
    }
}
