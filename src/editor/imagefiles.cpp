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

std::vector<std::string> writeImageFiles(const CellImage& image, const ImageFiles& files) {
    std::vector<std::string> failed;
    if (!files.svg.empty() && !replaceFile(files.svg.c_str(), encodeSvg(image))) failed.push_back(files.svg);
    if (!files.png.empty() && !writePng(image, files.png)) failed.push_back(files.png);
    return failed;
}

void exportImagesCommand(const Editor& e) {
    const ImageColors colors = {e.Background_Color, e.Draw_Color, e.separate != 0};
    const CellImage image = pictureImage(e.picture.tables(), colors);
    for (const std::string& failed : writeImageFiles(image, imageFileNames(e.nr))) {
        reportFileFailure("Export", failed.c_str());
    }
}
