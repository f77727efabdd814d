// mouse.cpp - the red cursor cell and mouse editing in point, line and selection mode.
//
// The cursor and the rubber band live only on the window surface: each is
// removed by painting it over in the background colour. Searches for a point or
// a line at the cursor cell see only entries in use, and no step acts on a cell
// off the canvas, so an empty entry's -1 is never taken for a point or a line.
#include "mouse.h"

#include "keys.h"
#include "view.h"

static const ColorRGB red(255, 0, 0);

// A create operation may be called only with a count inside its table.
static bool hasRoom(int count, int capacity) { return count >= 0 && count < capacity; }

static bool cursorOnCanvas(const Editor& e) { return onCanvas(e.rmouseX, e.rmouseY); }

static void paintCursor(const Editor& e, ColorRGB color) {
    pixelScaled(e.scale, e.rmouseX, e.rmouseY, color, e.X_Start, e.Y_Start, 0);
}

void moveCursor(Editor& e) {
    if (e.cursorShown) paintCursor(e, e.Background_Color);
    getMouseState(e.mouseX, e.mouseY, e.LMB, e.RMB);
    e.rmouseX = cursorCell(e.mouseX, e.scale, e.X_Start, max_x);
    e.rmouseY = cursorCell(e.mouseY, e.scale, e.Y_Start, max_y);
    paintCursor(e, red);
    e.cursorShown = true;
}

int pointAt(int x, int y) {
    for (int i = 0; i < p_number; ++i) {
        if (pixel_oc[i] && pixel[0][i] == x && pixel[1][i] == y) return i;
    }
    return -1;
}

void pointStep(Editor& e) {
    if (!cursorOnCanvas(e)) return;
    if (e.LMB) {
        // A full table ignores both buttons until the left one is let go.
        if (!hasRoom(e.pixels_Amount, p_number)) return;
        if (pointAt(e.rmouseX, e.rmouseY) < 0) {
            createPixel(e.rmouseX, e.rmouseY, e.pixels_Amount);
            ++e.pixels_Amount;
        }
    }
    if (e.RMB) {
        const int i = pointAt(e.rmouseX, e.rmouseY);
        if (i >= 0) {
            emptyPixel(i);
            --e.pixels_Amount;
        }
    }
}

static void drawBand(const Editor& e, ColorRGB color) {
    lineScaled(e.line_sx, e.line_sy, e.line_ex, e.line_ey, color, e.scale, e.X_Start, e.Y_Start, 0);
}

void lineEventStep(Editor& e) {
    const bool buttonEvent = e.event2.type == SDL_MOUSEBUTTONDOWN || e.event2.type == SDL_MOUSEBUTTONUP;
    if (!buttonEvent) return;
    if (e.event2.type == SDL_MOUSEBUTTONUP && e.event2.button.button == SDL_BUTTON_LEFT) {
        ++e.line_phase;
        if (e.line_phase > 2) e.line_phase = 0;
    }
    if (e.event2.button.button == SDL_BUTTON_RIGHT) {
        --e.line_phase;
        drawBand(e, e.Background_Color);
        if (e.line_phase < -1) e.line_phase = -1;
    }
}

// Appends to lopp every line in use whose end (xRow, yRow) is the cursor cell;
// a line with its other end off the canvas is never drawn, so never found.
static void appendLinesAt(Editor& e, int xRow, int yRow) {
    for (int i = 0; i < l_number; ++i) {
        if (line_oc[i] && lines[xRow][i] == e.rmouseX && lines[yRow][i] == e.rmouseY && lineOnCanvas(i)) {
            e.lopp[e.lop++] = i;
        }
    }
}

void searchLines(Editor& e) {
    e.lop = 0;
    if (!cursorOnCanvas(e)) return;
    appendLinesAt(e, 0, 1);
    if (e.lop == 0) appendLinesAt(e, 2, 3);
    if (e.lop > 0) e.mode = selectionMode;
}

static void rubberBand(Editor& e) {
    if (!hasRoom(e.lines_amount, l_number) || !cursorOnCanvas(e)) return;
    drawBand(e, e.Background_Color);
    e.line_ex = e.rmouseX;
    e.line_ey = e.rmouseY;
    drawBand(e, e.Draw_Color);
}

static void storeLine(Editor& e) {
    if (hasRoom(e.lines_amount, l_number)) {
        createLine(e.line_sx, e.line_sy, e.line_ex, e.line_ey, e.lines_amount);
        ++e.lines_amount;
    }
    e.line_phase = 0;
}

void linePhaseStep(Editor& e) {
    switch (e.line_phase) {
        case -1:
            searchLines(e);
            cls(e.Background_Color);
            // Line entry starts afresh after a search, whatever it found.
            e.line_phase = 0;
            break;
        case 0:
            if (!cursorOnCanvas(e)) break;
            e.line_sx = e.line_ex = e.rmouseX;
            e.line_sy = e.line_ey = e.rmouseY;
            break;
        case 1:
            rubberBand(e);
            break;
        case 2:
            storeLine(e);
            break;
        default:
            break;
    }
}

int selectedLine(const Editor& e) {
    if (e.lop <= 0 || e.forerase < 0 || e.forerase >= e.lop) return -1;
    const int i = e.lopp[e.forerase];
    // A clear, a load or a sorting export may have emptied or moved the entry since the search.
    if (i < 0 || i >= l_number || !line_oc[i]) return -1;
    return i;
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
    if (keyPressed(SDLK_KP_ENTER)) {
        const int i = selectedLine(e);
        if (i >= 0) {
            emptyLine(i);
            --e.lines_amount;
        }
        cls(e.Background_Color);
        dropSelection(e);
    }
    if (e.forerase < 0) e.forerase = 0;
    if (e.forerase > e.lop - 1) e.forerase = e.lop - 1;
}

// Line mode waits for one event of its own each pass; a close request taken
// here ends the editor at once.
static PassResult lineModeStep(Editor& e) {
    if (SDL_WaitEvent(&e.event2) == 0) e.event2.type = SDL_NOEVENT;
    if (e.event2.type == SDL_QUIT) {
        SDL_Quit();
        return PassResult::Quit;
    }
    lineEventStep(e);
    linePhaseStep(e);
    selectionKeys(e);
    return PassResult::Continue;
}

PassResult editStep(Editor& e) {
    switch (e.mode) {
        case pointMode:
            pointStep(e);
            break;
        case lineMode:
            return lineModeStep(e);
        case selectionMode:
            selectionKeys(e);
            break;
        default:
            break;
    }
    return PassResult::Continue;
}
