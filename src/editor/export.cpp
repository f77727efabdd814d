// export.cpp - the export commands, their sort-key prompts and their reports.
#include "export.h"

#include "endsignals.h"
#include "exportfiles.h"
#include "imagefiles.h"
#include "pictureimage.h"
#include "promptline.h"

std::string exportedText(int nr) { return "Exported slot " + std::to_string(nr); }

std::string imagesWrittenText(const ImageFiles& files) { return "Wrote " + files.svg + ", .png"; }

bool exportPicture(Picture& picture, int nr, int mode1, int mode2) {
    std::vector<FileFailure> failed;
    {
        const WriteInProgress writing;
        failed = writeExportFiles(picture, nr, mode1, mode2);
    }
    if (failed.empty()) {
        showMessage(exportedText(nr));
        return true;
    }
    reportFileFailure("Export", failed[0], failed.size() > 1 ? &failed[1] : nullptr);
    return false;
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
    const ImageFiles files = imageFileNames(e.nr);
    std::vector<FileFailure> failed;
    {
        const WriteInProgress writing;
        failed = writeImageFiles(image, files);
    }
    if (failed.empty()) {
        showMessage(imagesWrittenText(files));
        return;
    }
    std::string logged;  // a line for each file, with its reason
    for (const FileFailure& failure : failed) {
        if (!logged.empty()) logged += '\n';
        logged += fileFailureLine("Export", failure, nullptr);
    }
    reportMessage(fileFailureMessage("Export", failed[0]), logged);  // room for one file and its reason
}
