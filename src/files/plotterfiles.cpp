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

std::string ildaFrameFile(const LaserFrame& frame, const std::string& name) {
    return encodeIlda(frame, name, "Tessary");
}

PlotterWrite writePlotterFiles(const PictureTables& tables, const PlotterFiles& files, const PlotterJob& job) {
    PlotterWrite written;
    auto write = [&](const std::string& path, const std::string& bytes) {
        noteFailure(written.failed, path, replaceFile(path.c_str(), bytes));
    };
    const std::vector<Stroke> order = drawingOrder(tables);
    if (!files.hpgl.empty() || !files.gcode.empty()) {
        const std::optional<Sheet> sheet = paperSheet(job.machines.paper);
        const PlotterLayout layout = plotterLayout(sheet);
        if (!files.hpgl.empty()) write(files.hpgl, encodeHpgl(order, layout));
        if (!files.gcode.empty())
            write(files.gcode, encodeGcode(order, layout, job.machines.gcode, plotDescription(job.name, order, layout, sheet)));
    }
    if (!files.ilda.empty()) {
        const LaserFrame frame = layoutLaserFrame(order, job.drawingColor, job.machines.laser);
        write(files.ilda, ildaFrameFile(frame, job.name));
        written.note = laserFrameNote(frame, job.machines.laser);
    }
    return written;
}
