// panel.cpp - the status panel: two colour bands and thirteen labelled values.
//
// drawPanel runs once per pass, after the overview. The panel is never cleared:
// every label carries trailing blanks, printed with the background on, that
// paint over the first cells of the value printed after it.
#include "panel.h"

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
const int rowCount = sizeof panelRows / sizeof panelRows[0];

void drawBands(int y, bool mirrored) {
    for (int i = 0; i < bandRows; ++i) {
        const int entry = bandEntries[mirrored ? bandRows - 1 - i : i];
        horLine(y + i, bandLeft, bandRight, Colors[entry]);
    }
}

void drawRow(int k, int value) {
    const int y = firstRowY + rowStep * k;
    print(panelRows[k].label, 0, y, white, true, black, 0);
    iprint(value, panelRows[k].valueX, y, white, true, black, false, 0);
}

}  // namespace

void drawPanel(const Editor& e) {
    drawBands(topBandY, false);
    const ViewBounds bounds = viewBounds(e);
    const PictureTables& t = e.picture.tables();
    // In the order of panelRows.
    const int values[rowCount] = {
        e.rmouseX,       e.rmouseY,    e.scale,          e.X_Start,  e.Y_Start, bounds.max_x, bounds.max_y,
        t.pixels_Amount, e.line_phase, t.lines_amount,   e.separate, e.lop,     e.nr,
    };
    for (int k = 0; k < rowCount; ++k) drawRow(k, values[k]);
    drawBands(bottomBandY, true);
}
