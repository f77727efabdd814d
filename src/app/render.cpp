// render.cpp - a slot's picture to image files, headless.
#include "render.h"

#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>

#include "slots.h"

// Writes the image files whole: TERM, HUP and INT wait, blocked, until both
// are written or failed, and end the process only then.
static std::vector<FileFailure> writeWhole(const CellImage& image, const ImageFiles& files) {
    sigset_t ending, before;
    sigemptyset(&ending);
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaddset(&ending, sig);
    sigprocmask(SIG_BLOCK, &ending, &before);
    std::vector<FileFailure> failed = writeImageFiles(image, files);
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
    const CellImage image = pictureImage(read.tables, request.colors);
    const std::vector<FileFailure> failed = writeWhole(image, request.files);
    for (const FileFailure& failure : failed) {
        std::fprintf(stderr, "Export failed: %s: %s\n", failure.path.c_str(), failure.reason.c_str());
    }
    return failed.empty() ? 0 : 1;
}
