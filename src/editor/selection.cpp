// selection.cpp - the line search at the cursor cell and the keypad selection keys.
#include "selection.h"

#include "colorunder.h"
#include "keypress.h"
#include "view.h"

static const ColorRGB red(255, 0, 0);

// Appends to lopp every line in use, with both ends on the canvas, whose end
// (xRow, yRow) is the cursor cell.
static void appendLinesAt(Editor& e, int xRow, int yRow) {
    const PictureTables& t = e.picture.tables();
    for (int i = 0; i < l_number; ++i) {
        const bool atCursor = t.lines[xRow][i] == e.rmouseX && t.lines[yRow][i] == e.rmouseY;
        if (t.line_oc[i] && atCursor && t.lineOnCanvas(i)) e.lopp[e.lop++] = i;
    }
}

void searchLines(Editor& e) {
    e.lop = 0;
    if (!onCanvas(e.rmouseX, e.rmouseY)) return;
    appendLinesAt(e, 0, 1);
    if (e.lop == 0) appendLinesAt(e, 2, 3);
    if (e.lop > 0) e.mode = selectionMode;
}

int selectedLine(const Editor& e) {
    if (e.lop <= 0 || e.forerase < 0 || e.forerase >= e.lop) return -1;
    const int i = e.lopp[e.forerase];
    // A clear, a load, an undo or a sorting export may have emptied or moved the entry since the search.
    if (i < 0 || i >= l_number || !e.picture.tables().line_oc[i]) return -1;
    return i;
}

void highlightSelection(const Editor& e) {
    const int i = selectedLine(e);
    if (i < 0) return;
    const auto& lines = e.picture.tables().lines;
    lineScaled(lines[0][i], lines[1][i], lines[2][i], lines[3][i], red, e.scale, e.X_Start, e.Y_Start, 0,
               viewBounds(e));
}

void forgetSelection(Editor& e) {
    e.lop = 0;
    if (e.mode == selectionMode) e.mode = lineMode;
}

// Back to line mode with nothing selected.
static void dropSelection(Editor& e) {
    e.mode = lineMode;
    e.lop = 0;
}

void selectionKeys(Editor& e) {
    if (keyPressed(SDLK_KP_PLUS)) ++e.forerase;
    if (keyPressed(SDLK_KP_MINUS)) --e.forerase;
    if (keyPressed(SDLK_KP_PERIOD)) dropSelection(e);
    // Delete and Backspace delete as keypad Enter does, in selection mode only.
    if (keyPressed(SDLK_KP_ENTER) || (e.mode == selectionMode && deleteKeyPressed())) {
        const int i = selectedLine(e);
        if (i >= 0) e.picture.eraseLine(i);
        clearWindow(e);
        dropSelection(e);
    }
    if (e.forerase < 0) e.forerase = 0;
    if (e.forerase > e.lop - 1) e.forerase = e.lop - 1;
}

void showRestoredPicture(Editor& e) {
    clearWindow(e);
    forgetSelection(e);
    e.line_phase = 0;
    e.group.selected = Group();  // not back by a redo to the tables it was selected on
}
