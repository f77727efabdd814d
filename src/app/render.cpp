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
// TERM, HUP and INT wait, blocked, until all are written or failed, and end
// the process only then. Reports each failure; returns the exit status.
template <typename Write>
static int writeWhole(Write write) {
    sigset_t ending, before;
    sigemptyset(&ending);
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaddset(&ending, sig);
    sigprocmask(SIG_BLOCK, &ending, &before);
    const std::vector<FileFailure> failed = write();
    sigprocmask(SIG_SETMASK, &before, nullptr);
    for (const FileFailure& failure : failed) {
        std::fprintf(stderr, "Export failed: %s: %s\n", failure.path.c_str(), failure.reason.c_str());
    }
    return failed.empty() ? 0 : 1;
}

static std::string workingFolder() {
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

static void logReports(const std::vector<SlotReport>& reports) {
    for (const SlotReport& report : reports) std::fprintf(stderr, "%s\n", report.logged.c_str());
}

int renderSlot(const RenderRequest& request) {
    const SlotRead read = readSlot(request.nr);
    if (read.neitherRead) {
        std::fprintf(stderr, "tessary: slot %d has no picture in %s\n", request.nr, workingFolder().c_str());
        return 1;
    }
    logReports(read.reports);
    return writeWhole([&] {
        std::vector<FileFailure> failed = writeImageFiles(pictureImage(read.tables, request.colors), request.files);
        const LaserFrame frame = {request.colors.drawing, laserFrameName(request.nr)};
        for (const FileFailure& failure : writePlotterFiles(read.tables, request.plotterFiles, frame))
            failed.push_back(failure);
        return failed;
    });
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
    return writeWhole([&] { return writeAnimationFiles(frames, request.files, request.colors, request.fps); });
}
