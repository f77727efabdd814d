// render.cpp - a slot's picture to image files, headless.
#include "render.h"

#include <cstdio>

#include "picturefiles.h"
#include "slots.h"

// Reads one table of the slot; a file not read leaves the table empty.
static void readSlotTable(const char* fileName, const Table& table, int& count) {
    if (!readTable(fileName, table, count)) std::fprintf(stderr, "Load failed: %s\n", fileName);
}

static PictureTables readSlot(int nr) {
    int pixels_Amount = 0;
    int lines_amount = 0;
    clearPicture(pixels_Amount, lines_amount);
    const PictureFileNames names = slotFileNames(nr);
    readSlotTable(names.points, pointTable(), pixels_Amount);
    readSlotTable(names.lines, lineTable(), lines_amount);
    return tablesInUse(pixels_Amount, lines_amount);
}

int renderSlot(const RenderRequest& request) {
    const CellImage image = pictureImage(readSlot(request.nr), request.colors);
    const std::string failed = writeImageFiles(image, request.files);
    if (failed.empty()) return 0;
    std::fprintf(stderr, "Export failed: %s\n", failed.c_str());
    return 1;
}
