// render.cpp - a slot's picture to image, plotter and laser files, headless.
#include "render.h"

#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>

#include "slots.h"

// Writes the files whole: TERM, HUP and INT wait, blocked, until all are
// written or failed, and end the process only then.
static std::vector<FileFailure> writeWhole(const PictureTables& tables, const RenderRequest& request,
                                           const MachineProfile& machines) {
    sigset_t ending, before;
    sigemptyset(&ending);
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaddset(&ending, sig);
    sigprocmask(SIG_BLOCK, &ending, &before);
    std::vector<FileFailure> failed = writeImageFiles(pictureImage(tables, request.colors), request.files);
    const PlotterJob job = {laserFrameName(request.nr), request.colors.drawing, machines};
    const PlotterWrite written = writePlotterFiles(tables, request.plotterFiles, job);
    failed.insert(failed.end(), written.failed.begin(), written.failed.end());
    sigprocmask(SIG_SETMASK, &before, nullptr);
    if (written.note) std::fprintf(stderr, "%s\n", written.note->whole.c_str());
    return failed;
}

// The settings file with the command line's choices over it; none, after
// saying why on standard error, when the file is refused or the paper has no room.
static std::optional<MachineProfile> machinesFor(const RenderRequest& request) {
    const MachinesRead read = readMachines(machinesPath(request.machinesFile), !request.machinesFile.empty());
    if (read.failure) {
        std::fprintf(stderr, "tessary: %s\n", read.failure->full().c_str());
        return std::nullopt;
    }
    MachineProfile machines = read.profile;
    const MachineOverrides& given = request.overrides;
    if (given.paper) machines.paper.size = given.paper;
    if (given.margin) machines.paper.margin = *given.margin;
    if (given.portrait) machines.paper.orientation = Orientation::portrait;
    if (given.pen) {  // the pen named, with its own lines
        machines.gcode.pen = *given.pen;
        machines.gcode.penUp.reset();
        machines.gcode.penDown.reset();
    }
    const std::string problem = paperProblem(machines.paper);
    if (problem.empty()) return machines;
    std::fprintf(stderr, "tessary: %s\n", problem.c_str());
    return std::nullopt;
}

int renderSlot(const RenderRequest& request) {
    const SlotRead read = readSlot(request.nr);
    if (read.neitherRead) {
        std::error_code error;
        const std::string here = std::filesystem::current_path(error).string();
        std::fprintf(stderr, "tessary: slot %d has no picture in %s\n", request.nr, here.c_str());
        return 1;
    }
    const std::optional<MachineProfile> machines = machinesFor(request);
    if (!machines) return 1;
    for (const SlotReport& report : read.reports) std::fprintf(stderr, "%s\n", report.logged.c_str());
    const std::vector<FileFailure> failed = writeWhole(read.tables, request, *machines);
    for (const FileFailure& failure : failed) {
        std::fprintf(stderr, "Export failed: %s: %s\n", failure.path.c_str(), failure.reason.c_str());
    }
    return failed.empty() ? 0 : 1;
}
