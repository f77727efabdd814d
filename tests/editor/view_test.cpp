// The view transform and scaled rendering: view bounds, both mappings, scaled
// cells and lines, the whole picture in the view and the overview, the
// highlight, the overview frame, and a checksum of a rich picture's frame.
#include "editor_fixture.h"

namespace {

using View = EditorTest;

const ColorRGB green(0, 255, 0);
const ColorRGB darkGreen(0, 128, 0);

TEST_F(View, BoundsFollowTheTabledScales) {
    struct Row { int scale, columns, rows; };
    const Row table[] = {{3, 213, 133}, {4, 160, 100}, {5, 128, 80}, {6, 106, 66}, {8, 80, 50}, {10, 64, 40}};
    ViewBounds bounds;
    for (const Row& row : table) {
        bounds = calcMax(row.scale, 0, 0);
        EXPECT_EQ(bounds.max_x, row.columns) << "scale " << row.scale;
        EXPECT_EQ(bounds.max_y, row.rows) << "scale " << row.scale;
        bounds = calcMax(row.scale, 7, 9);
        EXPECT_EQ(bounds.max_x, row.columns + 7) << "scale " << row.scale;
        EXPECT_EQ(bounds.max_y, row.rows + 9) << "scale " << row.scale;
    }
    for (int scale : {1, 2}) {  // the whole canvas fits; the origin does not enter
        bounds = calcMax(scale, 40, 30);
        EXPECT_EQ(bounds.max_x, 256);
        EXPECT_EQ(bounds.max_y, 200);
    }
    bounds = calcMax(3, 100, 100);  // 313 and 233 are lowered to the canvas size
    EXPECT_EQ(bounds.max_x, 256);
    EXPECT_EQ(bounds.max_y, 200);
    bounds = calcMax(400, 0, 0);  // the largest scale that still shows a row
    EXPECT_EQ(bounds.max_x, 1);
    EXPECT_EQ(bounds.max_y, 1);
    bounds = calcMax(401, 0, 0);
    EXPECT_EQ(bounds.max_y, 0);
}

TEST_F(View, WindowToCanvasIsLimitedOnlyFromAbove) {
    EXPECT_EQ(cursorCell(0, 1, 0, 256), 0);
    EXPECT_EQ(cursorCell(255, 1, 0, 256), 255);
    EXPECT_EQ(cursorCell(600, 1, 0, 256), 255);  // right of the drawn canvas
    EXPECT_EQ(cursorCell(639, 1, 0, 200), 199);  // over the status panel
    EXPECT_EQ(cursorCell(638, 3, 0, 213), 212);
    EXPECT_EQ(cursorCell(639, 3, 0, 213), 212);
    EXPECT_EQ(cursorCell(5, 3, 10, 223), 11);
    EXPECT_EQ(cursorCell(7, 2, 100, 256), 103);
    EXPECT_EQ(cursorCell(0, 401, 0, 0), -1);  // why zooming stops at 400
}

TEST_F(View, CanvasToWindowPaintsOneSquarePerCell) {
    ViewBounds bounds = calcMax(3, 0, 0);
    pixelScaled(3, 212, 132, green, 0, 0, 0, bounds);  // the last visible cell
    EXPECT_EQ(pixelsOf(630, 390, 639, 399, packed(green)),
              (std::vector<std::string>{"636,396", "637,396", "638,396", "636,397", "637,397", "638,397", "636,398",
                                        "637,398", "638,398"}));
    EXPECT_EQ(countPixels(packed(green)), 9);

    pixelScaled(3, 213, 0, green, 0, 0, 0, bounds);  // right of the view
    pixelScaled(3, 0, 133, green, 0, 0, 0, bounds);  // below the view
    EXPECT_EQ(countPixels(packed(green)), 9);

    bounds = calcMax(2, 5, 4);
    pixelScaled(2, 6, 4, green, 5, 4, 0, bounds);  // panned: cell (6, 4) is the second of the first row
    EXPECT_EQ(pixelsOf(0, 0, 9, 9, packed(green)), (std::vector<std::string>{"2,0", "3,0", "2,1", "3,1"}));
    pixelScaled(2, 4, 4, green, 5, 4, 0, bounds);  // left of the origin
    EXPECT_EQ(countPixels(packed(green)), 13);
}

TEST_F(View, WithTheTestsOffOnlyTheOriginLimits) {
    ViewBounds bounds = calcMax(1, 0, 0);
    pixelScaled(1, 317 + 255, 420 + 199, green, 0, 0, 1, bounds);
    EXPECT_EQ(rawPixel(572, 619), packed(green));
    pixelScaled(1, 3, 3, green, 4, 0, 1, bounds);
    EXPECT_EQ(countPixels(packed(green)), 1);
}

TEST_F(View, LinesWalkTheirCells) {
    ViewBounds bounds = calcMax(1, 0, 0);
    EXPECT_TRUE(lineScaled(0, 0, 3, 3, green, 1, 0, 0, 0, bounds));
    EXPECT_EQ(pixelsOf(0, 0, 9, 9, packed(green)), (std::vector<std::string>{"0,0", "1,1", "2,2", "3,3"}));
    cls(ColorRGB(0, 0, 0));
    EXPECT_TRUE(lineScaled(0, 0, 4, 1, green, 1, 0, 0, 0, bounds));
    EXPECT_EQ(pixelsOf(0, 0, 9, 9, packed(green)), (std::vector<std::string>{"0,0", "1,0", "2,1", "3,1", "4,1"}));
    cls(ColorRGB(0, 0, 0));
    EXPECT_TRUE(lineScaled(7, 8, 7, 8, green, 1, 0, 0, 0, bounds));  // a line to itself is one cell
    EXPECT_EQ(pixelsOf(0, 0, 9, 9, packed(green)), (std::vector<std::string>{"7,8"}));
    cls(ColorRGB(0, 0, 0));
    EXPECT_TRUE(lineScaled(1, 0, 0, 0, green, 2, 0, 0, 0, bounds));  // scaled cells, drawn backwards
    EXPECT_EQ(countPixels(0, 0, 3, 1, packed(green)), 8);
}

TEST_F(View, LinesWithAnEndOffTheWindowAreRejected) {
    ViewBounds bounds = calcMax(1, 0, 0);
    EXPECT_FALSE(lineScaled(-1, 5, 10, 5, green, 1, 0, 0, 0, bounds));
    EXPECT_FALSE(lineScaled(0, 5, 10, -1, green, 1, 0, 0, 0, bounds));
    EXPECT_FALSE(lineScaled(0, 0, 640, 0, green, 1, 0, 0, 0, bounds));
    EXPECT_EQ(countPixels(packed(green)), 0);
    bounds = calcMax(3, 0, 0);  // leaving the view on the right shows the part inside
    EXPECT_TRUE(lineScaled(200, 0, 255, 0, green, 3, 0, 0, 0, bounds));
    EXPECT_EQ(countPixels(packed(green)), 13 * 9);
}

TEST_F(View, EmptyEntriesAreNeverDrawn) {
    e.X_Start = 5;
    e.Y_Start = 5;
    renderFrame(e);
    EXPECT_EQ(countPixels(0, 0, 639, 399, black), 640 * 400);
    EXPECT_EQ(rawPixel(316, 419), black);  // just above and left of the overview's cell (0, 0)
    // The overview holds nothing but its backdrop and the red view frame.
    EXPECT_EQ(countPixels(317, 420, 572, 619, black) + countPixels(317, 420, 572, 619, red), 256 * 200);
}

TEST_F(View, PointsComeBeforeLinesAndSeparateColoursLines) {
    addPoint(5, 5);
    addPoint(20, 5);
    addLine(0, 5, 10, 5);
    e.separate = 1;
    renderFrame(e);
    EXPECT_EQ(pixelColor(5, 5), darkGreen);  // the line covers the point it crosses
    EXPECT_EQ(pixelColor(20, 5), e.Draw_Color);
    EXPECT_EQ(pixelColor(317 + 5, 420 + 5), darkGreen);
    EXPECT_EQ(pixelColor(317 + 20, 420 + 5), e.Draw_Color);
    e.separate = 0;
    renderFrame(e);
    EXPECT_EQ(pixelColor(5, 5), e.Draw_Color);
    EXPECT_EQ(pixelColor(317 + 5, 420 + 5), e.Draw_Color);
}

TEST_F(View, OverviewFrameAtStartUpAndAfterPanning) {
    renderFrame(e);
    EXPECT_EQ(pixelsOf(310, 415, 580, 625, red).size(), 2u * (574 - 316 + 1) + 2u * (621 - 419 - 1));
    for (auto corner : {std::pair<int, int>{316, 419}, {574, 419}, {316, 621}, {574, 621}})
        EXPECT_EQ(rawPixel(corner.first, corner.second), red);
    EXPECT_EQ(viewBounds(e).max_x, 256);
    EXPECT_EQ(viewBounds(e).max_y, 200);

    cls(ColorRGB(0, 0, 0));
    e.scale = 3;
    e.X_Start = 10;
    e.Y_Start = 20;
    renderFrame(e);
    EXPECT_EQ(viewBounds(e).max_x, 223);  // the frame marks the view's bounds, not the overview's
    EXPECT_EQ(viewBounds(e).max_y, 153);
    for (auto corner : {std::pair<int, int>{326, 439}, {541, 439}, {326, 574}, {541, 574}})
        EXPECT_EQ(rawPixel(corner.first, corner.second), red);
    EXPECT_EQ(rawPixel(316, 419), black);
    EXPECT_EQ(rawPixel(325, 438), black);
}

TEST_F(View, OverviewBackdropCoversOldDrawing) {
    fillSurface(white);
    renderFrame(e);
    EXPECT_EQ(rawPixel(320, 410), black);
    EXPECT_EQ(rawPixel(639, 639), black);
    EXPECT_EQ(rawPixel(319, 410), white);  // left of the backdrop
}

TEST_F(View, SelectedLineIsHighlightedOnlyWhileInUse) {
    addLine(0, 0, 9, 0);
    addLine(0, 3, 9, 3);
    e.lop = 2;
    e.lopp[0] = 0;
    e.lopp[1] = 1;
    e.forerase = 1;
    renderFrame(e);
    EXPECT_EQ(countPixels(0, 3, 9, 3, red), 10);
    EXPECT_EQ(countPixels(0, 0, 9, 0, red), 0);

    e.picture.eraseLine(1);  // a stale selection shows nothing
    cls(ColorRGB(0, 0, 0));
    renderFrame(e);
    EXPECT_EQ(countPixels(0, 0, 639, 399, red), 0);

    e.forerase = 5;  // out of the range found: nothing read past the list
    renderFrame(e);
    EXPECT_EQ(countPixels(0, 0, 639, 399, red), 0);
}

// FNV-1a over every pixel value of the surface, row by row, low byte first.
Uint32 surfaceChecksum() {
    Uint32 hash = 2166136261u;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Uint32 value = rawPixel(x, y);
            for (int byte = 0; byte < 4; ++byte) {
                hash ^= (value >> (8 * byte)) & 0xFFu;
                hash *= 16777619u;
            }
        }
    }
    return hash;
}

// Points and lines over the whole canvas, some crossing the view's edges at
// every scale below, with a gap left by an emptied entry in each table.
void buildRichPicture(Editor& e) {
    e.picture.clear();
    for (int i = 0; i < 60; ++i) e.picture.addPoint((i * 37) % 256, (i * 53) % 200);
    e.picture.addPoint(255, 199);
    e.picture.addPoint(0, 0);
    e.picture.erasePoint(7);
    const int ends[][4] = {{0, 0, 255, 199},   {255, 0, 0, 199},  {10, 150, 250, 20}, {3, 3, 3, 190},
                           {0, 100, 255, 100}, {40, 7, 41, 180},  {128, 64, 129, 65}, {200, 199, 100, 0},
                           {60, 60, 60, 60},   {17, 33, 230, 34}, {5, 190, 90, 12},   {250, 5, 6, 6}};
    for (const auto& line : ends) e.picture.addLine(line[0], line[1], line[2], line[3]);
    e.picture.eraseLine(4);
}

// The constants were recorded from the plain cell-by-cell renderer once the
// tests above held; a faster renderer must reproduce every pixel of them.
TEST_F(View, RichPictureRendersToKnownChecksums) {
    struct Case { int scale, X_Start, Y_Start, separate; Uint32 checksum; };
    const Case cases[] = {
        {1, 0, 0, 0, 4066953845u},
        {2, 30, 10, 1, 999274837u},
        {3, 50, 40, 0, 2903311461u},
        {8, 100, 90, 1, 3459503165u},
    };
    buildRichPicture(e);
    for (const Case& c : cases) {
        e.scale = c.scale;
        e.X_Start = c.X_Start;
        e.Y_Start = c.Y_Start;
        e.separate = c.separate;
        cls(e.Background_Color);
        renderFrame(e);
        EXPECT_EQ(surfaceChecksum(), c.checksum) << "scale " << c.scale;
    }
}

}  // namespace
