// render.cpp - a slot's picture to image files, headless.
#include "render.h"

#include <cstdio>

#include "picturefiles.h"
#include "slots.h"

// Reads one table of the slot, saying so when the file could not be read (the
// table stays empty) or was read only in part.
static void readSlotTable(const char* fileName, const Table& table, int& count) {
    const ReadResult result = readTable(fileName, table, count);
    if (result == ReadResult::unreadable) std::fprintf(stderr, "Load failed: %s\n", fileName);
    if (result == ReadResult::stopped) std::fprintf(stderr, "Load stopped: %s, %d kept\n", fileName, count);
}

static PictureTables readSlot(int nr) {
    const PictureFileNames names = slotFileNames(nr);
    PictureTables loaded;
    readSlotTable(names.points, pointTable(loaded), loaded.pixels_Amount);
    readSlotTable(names.lines, lineTable(loaded), loaded.lines_amount);
    return loaded;
}

int renderSlot(const RenderRequest& request) {
    const CellImage image = pictureImage(readSlot(request.nr), request.colors);
    const std::vector<std::string> failed = writeImageFiles(image, request.files);
    for (const std::string& path : failed) std::fprintf(stderr, "Export failed: %s\n", path.c_str());
    return failed.empty() ? 0 : 1;
}
