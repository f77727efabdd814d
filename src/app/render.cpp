// render.cpp - a slot's picture to image, plotter and laser files, or slots
// to an animation, headless.
#include "render.h"

#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <optional>

#include "slots.h"

// Runs `write`, which writes files and returns those that failed, whole:
// TERM, HUP and INT wait, blocked, until it is done, and end the process only
// then.
template <typename Write>
static std::vector<FileFailure> writeWhole(Write write) {
    sigset_t ending, before;
    sigemptyset(&ending);
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaddset(&ending, sig);
    sigprocmask(SIG_BLOCK, &ending, &before);
    std::vector<FileFailure> failed = write();
    sigprocmask(SIG_SETMASK, &before, nullptr);
    return failed;
}

// The laser frame's note, then each file that could not be written, on
// standard error; returns the exit status.
static int report(const std::optional<LaserNote>& note, const std::vector<FileFailure>& failed) {
    if (note) std::fprintf(stderr, "%s\n", note->whole.c_str());
    for (const FileFailure& failure : failed) {
        std::fprintf(stderr, "Export failed: %s: %s\n", failure.path.c_str(), failure.reason.c_str());
    }
    return failed.empty() ? 0 : 1;
}

static void logReports(const std::vector<SlotReport>& reports) {
    for (const SlotReport& report : reports) std::fprintf(stderr, "%s\n", report.logged.c_str());
}

static std::string workingFolder() {
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

// The settings file named, or the default one; none, after saying why on
// standard error, when it is refused.
static std::optional<MachineProfile> readMachinesFile(const std::string& machinesFile) {
    const MachinesRead read = readMachines(machinesPath(machinesFile), !machinesFile.empty());
    if (!read.failure) return read.profile;
    std::fprintf(stderr, "tessary: %s\n", read.failure->full().c_str());
    return std::nullopt;
}

// The settings file with the command line's choices over it; none, after
// saying why on standard error, when the file is refused or the paper has no room.
static std::optional<MachineProfile> machinesFor(const RenderRequest& request) {
    std::optional<MachineProfile> read = readMachinesFile(request.machinesFile);
    if (!read) return std::nullopt;
    MachineProfile& machines = *read;
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
    if (problem.empty()) return read;
    std::fprintf(stderr, "tessary: %s\n", problem.c_str());
    return std::nullopt;
}

int renderSlot(const RenderRequest& request) {
    const SlotRead read = readSlot(request.nr);
    if (read.neitherRead) {
        std::fprintf(stderr, "tessary: slot %d has no picture in %s\n", request.nr, workingFolder().c_str());
        return 1;
    }
    const std::optional<MachineProfile> machines = machinesFor(request);
    if (!machines) return 1;
    logReports(read.reports);
    PlotterWrite written;
    const std::vector<FileFailure> failed = writeWhole([&] {
        std::vector<FileFailure> images = writeImageFiles(pictureImage(read.tables, request.colors), request.files);
        const PlotterJob job = {laserFrameName(request.nr), request.colors.drawing, *machines};
        written = writePlotterFiles(read.tables, request.plotterFiles, job);
        images.insert(images.end(), written.failed.begin(), written.failed.end());
        return images;
    });
    return report(written.note, failed);
}

int renderAnimation(const AnimationRequest& request) {
    std::vector<AnimationFrame> frames;
    for (int slot : request.slots) {
        std::vector<SlotReport> reports;
        std::optional<PictureTables> tables = slotFrame(slot, &reports);
        if (!tables) {
            std::fprintf(stderr, "tessary: slot %d holds no picture, left out\n", slot);
            continue;
        }
        logReports(reports);  // a file read in part, or one missing beside the other
        frames.push_back({slot, std::move(*tables)});
    }
    if (frames.empty()) {
        std::fprintf(stderr, "tessary: no slot holds a picture in %s\n", workingFolder().c_str());
        return 1;
    }
    const std::optional<MachineProfile> machines = readMachinesFile(request.machinesFile);
    if (!machines) return 1;
    AnimationWrite written;
    writeWhole([&] {
        written = writeAnimationFiles(frames, request.files, {request.colors, request.fps, machines->laser});
        return written.failed;
    });
    return report(written.note, written.failed);
}
