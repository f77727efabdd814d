// render.cpp - a slot's picture to image files, headless.
#include "render.h"

#include <cstdio>
#include <filesystem>

#include "slots.h"

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
    const std::vector<FileFailure> failed = writeImageFiles(image, request.files);
    for (const FileFailure& failure : failed) {
        std::fprintf(stderr, "Export failed: %s: %s\n", failure.path.c_str(), failure.reason.c_str());
    }
    return failed.empty() ? 0 : 1;
}
