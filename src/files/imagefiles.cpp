// imagefiles.cpp - writing the SVG and PNG files of the picture.
#include "imagefiles.h"

#include "pngfile.h"
#include "svgfile.h"

ImageFiles imageFileNames(int nr) {
    const std::string stem = "picture" + std::to_string(nr);
    return {stem + ".svg", stem + ".png"};
}

static void writePng(const CellImage& image, const std::string& path, std::vector<FileFailure>& failed) {
    std::string bytes;
    if (!encodePng(image, bytes)) {
        failed.push_back({path, "the PNG encoder failed"});
        return;
    }
    noteFailure(failed, path, replaceFile(path.c_str(), bytes));
}

std::vector<FileFailure> writeImageFiles(const CellImage& image, const ImageFiles& files) {
    std::vector<FileFailure> failed;
    if (!files.svg.empty()) noteFailure(failed, files.svg, replaceFile(files.svg.c_str(), encodeSvg(image)));
    if (!files.png.empty()) writePng(image, files.png, failed);
    return failed;
}
