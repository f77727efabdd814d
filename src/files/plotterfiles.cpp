// plotterfiles.cpp - writing the HP-GL, G-code and ILDA files of the picture.
#include "plotterfiles.h"

#include "drawingorder.h"
#include "ildafile.h"
#include "plotterformats.h"

PlotterFiles plotterFileNames(int nr) {
    const std::string stem = laserFrameName(nr);
    return {stem + ".hpgl", stem + ".gcode", stem + ".ild"};
}

std::string laserFrameName(int nr) { return "picture" + std::to_string(nr); }

std::string ildaFrameFile(const std::vector<Stroke>& order, const LaserFrame& frame) {
    return encodeIlda(order, frame.color, frame.name, "Tessary");
}

std::vector<FileFailure> writePlotterFiles(const PictureTables& tables, const PlotterFiles& files,
                                           const LaserFrame& frame) {
    const std::vector<Stroke> order = drawingOrder(tables);
    std::vector<FileFailure> failed;
    auto write = [&](const std::string& path, const std::string& bytes) {
        if (!path.empty()) noteFailure(failed, path, replaceFile(path.c_str(), bytes));
    };
    write(files.hpgl, encodeHpgl(order));
    write(files.gcode, encodeGcode(order));
    write(files.ilda, ildaFrameFile(order, frame));
    return failed;
}
