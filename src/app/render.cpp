// render.cpp - a slot's picture to image, plotter and laser files, headless.
#include "render.h"

#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>

#include "slots.h"

// Writes the files whole: TERM, HUP and INT wait, blocked, until all are
// written or failed, and end the process only then.
static std::vector<FileFailure> writeWhole(const PictureTables& tables, const RenderRequest& request) {
    sigset_t ending, before;
    sigemptyset(&ending);
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaddset(&ending, sig);
    sigprocmask(SIG_BLOCK, &ending, &before);
    std::vector<FileFailure> failed = writeImageFiles(pictureImage(tables, request.colors), request.files);
    const LaserFrame frame = {request.colors.drawing, laserFrameName(request.nr)};
    for (const FileFailure& failure : writePlotterFiles(tables, request.plotterFiles, frame)) failed.push_back(failure);
    sigprocmask(SIG_SETMASK, &before, nullptr);
    return failed;
}

int renderSlot(const RenderRequest& request) {
    const SlotRead read = readSlot(request.nr);
    if (read.neitherRead) {
        std::error_code error;
        const std::string here = std::filesystem::current_path(error).string();
        std::fprintf(stderr, "tessary: slot %d has no picture in %s\n", request.nr, here.c_str());
        return 1;
    }
    for (const SlotReport& report : read.reports) std::fprintf(stderr, "%s\n", report.logged.c_str());
    const std::vector<FileFailure> failed = writeWhole(read.tables, request);
    for (const FileFailure& failure : failed) {
        std::fprintf(stderr, "Export failed: %s: %s\n", failure.path.c_str(), failure.reason.c_str());
    }
    return failed.empty() ? 0 : 1;
}
