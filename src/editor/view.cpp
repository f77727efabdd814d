// view.cpp - mapping between canvas cells and window pixels, and the drawing of
// the picture in the view area and in the overview.
//
// Nothing is cached: every pass draws the whole picture twice, once magnified
// and clipped to the view area, once at one pixel per cell in the overview.
#include "view.h"

#include "mouse.h"
#include "surface.h"

int max_x = Image_Width, max_y = Image_Height;

static const ColorRGB red(255, 0, 0);
static const ColorRGB darkGreen(0, 128, 0);

// The overview's backdrop, refilled every pass; its view frame sits one pixel
// above and left of the first cell shown.
static const int backdropLeft = 320, backdropTop = 410, backdropRight = 639, backdropBottom = 639;
static const int frameLeft = overviewX - 1, frameTop = overviewY - 1;
static const int frameRight = overviewX + 1, frameBottom = overviewY + 1;

void calcMax(int scale, int X_Start, int Y_Start) {
    // At scales 1 and 2 the whole width fits, and at 2 the height exactly too.
    if (scale * Image_Width <= viewWidth) {
        max_x = Image_Width;
        max_y = Image_Height;
    } else {
        max_x = viewWidth / scale + X_Start;
        max_y = viewHeight / scale + Y_Start;
    }
    if (max_x > Image_Width) max_x = Image_Width;
    if (max_y > Image_Height) max_y = Image_Height;
}

int cursorCell(int mouse, int scale, int start, int bound) {
    const int cell = mouse / scale + start;
    return cell >= bound ? bound - 1 : cell;
}

void pixelScaled(int scale, int xx, int yy, ColorRGB kolor, int X_Start, int Y_Start, int disable_Checks) {
    const int xg = xx - X_Start;
    const int yg = yy - Y_Start;
    if (xg < 0 || yg < 0) return;
    if (disable_Checks == 0 && (xx >= max_x || yy >= max_y)) return;
    const int left = xg * scale;
    const int top = yg * scale;
    for (int y2 = 0; y2 < scale; ++y2) {
        for (int x2 = 0; x2 < scale; ++x2) pset(left + x2, top + y2, kolor);
    }
}

bool lineScaled(int x1, int y1, int x2, int y2, ColorRGB color, int scale, int X_Start, int Y_Start, int disable) {
    if (!onSurface(x1, y1) || !onSurface(x2, y2)) return false;
    walkLine(x1, y1, x2, y2,
             [&](int x, int y) { pixelScaled(scale, x, y, color, X_Start, Y_Start, disable); });
    return true;
}

static bool pointOnCanvas(int i) { return onCanvas(pixel[0][i], pixel[1][i]); }

static bool lineOnCanvas(int i) {
    return onCanvas(lines[0][i], lines[1][i]) && onCanvas(lines[2][i], lines[3][i]);
}

void renderScaled(int scale, int X_Start, int Y_Start, int Draw_X, int Draw_Y, ColorRGB kolor, int disable,
                  int separate) {
    calcMax(scale, X_Start, Y_Start);
    for (int i = 0; i < p_number; ++i) {
        if (!pointOnCanvas(i)) continue;
        pixelScaled(scale, Draw_X + pixel[0][i], Draw_Y + pixel[1][i], kolor, X_Start, Y_Start, disable);
    }
    const ColorRGB lineColor = separate == 0 ? kolor : darkGreen;
    for (int i = 0; i < l_number; ++i) {
        if (!lineOnCanvas(i)) continue;
        lineScaled(Draw_X + lines[0][i], Draw_Y + lines[1][i], Draw_X + lines[2][i], Draw_Y + lines[3][i],
                   lineColor, scale, X_Start, Y_Start, disable);
    }
}

void lineBox(int x1, int y1, int x2, int y2, ColorRGB kolor) {
    drawLine(x1, y1, x2, y1, kolor);
    drawLine(x1, y1, x1, y2, kolor);
    drawLine(x2, y1, x2, y2, kolor);
    drawLine(x1, y2, x2, y2, kolor);
}

void renderView(const Editor& e) { renderScaled(e.scale, e.X_Start, e.Y_Start, 0, 0, e.Draw_Color, 0, e.separate); }

void highlightSelection(const Editor& e) {
    const int i = selectedLine(e);
    if (i < 0) return;
    lineScaled(lines[0][i], lines[1][i], lines[2][i], lines[3][i], red, e.scale, e.X_Start, e.Y_Start, 0);
}

void renderOverview(const Editor& e) {
    drawRect(backdropLeft, backdropTop, backdropRight, backdropBottom, e.Background_Color);
    renderScaled(1, 0, 0, overviewX, overviewY, e.Draw_Color, 1, e.separate);
    // Drawing the overview left the bounds of scale 1 behind; the frame and the
    // status panel need the view's.
    calcMax(e.scale, e.X_Start, e.Y_Start);
    lineBox(e.X_Start + frameLeft, e.Y_Start + frameTop, max_x + frameRight, max_y + frameBottom, red);
}

void renderFrame(const Editor& e) {
    renderView(e);
    highlightSelection(e);
    renderOverview(e);
}
