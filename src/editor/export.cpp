// export.cpp - the export commands, their sort-key prompts and their reports.
#include "export.h"

#include "exportfiles.h"
#include "imagefiles.h"
#include "pictureimage.h"
#include "promptline.h"

bool exportPicture(Picture& picture, int nr, int mode1, int mode2) {
    const std::vector<std::string> failed = writeExportFiles(picture, nr, mode1, mode2);
    if (!failed.empty()) reportFileFailure("Export", failed[0].c_str(), failed.size() > 1 ? failed[1].c_str() : nullptr);
    return failed.empty();
}

static int askSortKey(const char* message) { return sortKeyFromAnswer(askNumber(message)); }

void exportCommand(Editor& e) {
    // Both keys are asked for before any file is touched.
    const int mode1 = askSortKey("Export mode, enter pixels sort order( 0-x, 1-y): ");
    const int mode2 = askSortKey("Export mode, enter pixels sort order( 0-x1, 1-y1, 2-x2, 3-y2): ");
    exportPicture(e.picture, e.nr, mode1, mode2);
}

void exportImagesCommand(const Editor& e) {
    const ImageColors colors = {e.Background_Color, e.Draw_Color, e.separate != 0};
    const CellImage image = pictureImage(e.picture.tables(), colors);
    for (const std::string& failed : writeImageFiles(image, imageFileNames(e.nr))) {
        reportFileFailure("Export", failed.c_str());
    }
}
