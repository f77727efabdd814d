// imagefiles.cpp - writing the SVG and PNG files of the picture.
#include "imagefiles.h"

#include "filereplace.h"
#include "pngfile.h"
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
