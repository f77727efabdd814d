// imagefiles.cpp - writing the SVG and PNG files of the picture.
#include "imagefiles.h"

#include "filereplace.h"
#include "pictureimage.h"
#include "pngfile.h"
#include "promptline.h"
#include "svgfile.h"

ImageFiles imageFileNames(int nr) {
    const std::string stem = "picture" + std::to_string(nr);
    return {stem + ".svg", stem + ".png"};
}

static bool writePng(const CellImage& image, const std::string& path) {
    std::string bytes;
    return encodePng(image, bytes) && replaceFile(path.c_str(), bytes);
}

std::string writeImageFiles(const CellImage& image, const ImageFiles& files) {
    if (!files.svg.empty() && !replaceFile(files.svg.c_str(), encodeSvg(image))) return files.svg;
    if (!files.png.empty() && !writePng(image, files.png)) return files.png;
    return std::string();
}

void exportImagesCommand(const Editor& e) {
    const ImageColors colors = {e.Background_Color, e.Draw_Color, e.separate != 0};
    const CellImage image = pictureImage(e.picture.tables(), colors);
    const std::string failed = writeImageFiles(image, imageFileNames(e.nr));
    if (!failed.empty()) reportFileFailure("Export", failed.c_str());
}
