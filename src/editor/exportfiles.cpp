// exportfiles.cpp - sorting the tables and writing the export files.
#include "exportfiles.h"

#include <climits>

#include "filereplace.h"
#include "promptline.h"

int sortKeyFromAnswer(double answer) {
    if (!(answer > INT_MIN - 1.0 && answer < INT_MAX + 1.0)) return -1;
    return static_cast<int>(answer);
}

bool exportPicture(Picture& picture, int nr, int mode1, int mode2) {
    picture.sort(mode1, mode2);
    const PictureFileNames names = pictureFileNames("epixels", "elines", nr);
    const PictureFileTexts texts = pictureFileTexts(picture.tables(), ',');
    // Each file on its own: one that cannot be written does not keep the other.
    const bool pointsWritten = replaceFile(names.points, texts.points);
    const bool linesWritten = replaceFile(names.lines, texts.lines);
    if (!pointsWritten && !linesWritten) {
        reportFileFailure("Export", names.points, names.lines);
    } else if (!pointsWritten || !linesWritten) {
        reportFileFailure("Export", pointsWritten ? names.lines : names.points);
    }
    return pointsWritten && linesWritten;
}
