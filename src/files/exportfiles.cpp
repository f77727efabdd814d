// exportfiles.cpp - sorting the tables and writing the export files.
#include "exportfiles.h"

#include <climits>

#include "filereplace.h"

int sortKeyFromAnswer(double answer) {
    if (!(answer > INT_MIN - 1.0 && answer < INT_MAX + 1.0)) return -1;
    return static_cast<int>(answer);
}

std::vector<std::string> writeExportFiles(Picture& picture, int nr, int mode1, int mode2) {
    picture.sort(mode1, mode2);
    const PictureFileNames names = pictureFileNames("epixels", "elines", nr);
    const PictureFileTexts texts = pictureFileTexts(picture.tables(), ',');
    std::vector<std::string> failed;
    if (!replaceFile(names.points, texts.points)) failed.push_back(names.points);
    if (!replaceFile(names.lines, texts.lines)) failed.push_back(names.lines);
    return failed;
}
