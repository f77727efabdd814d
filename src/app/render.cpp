// render.cpp - a slot's picture to image files, headless.
#include "render.h"

#include <cstdio>

#include "slots.h"

int renderSlot(const RenderRequest& request) {
    const SlotRead read = readSlot(request.nr);
    for (const std::string& message : read.messages) std::fprintf(stderr, "%s\n", message.c_str());
    const CellImage image = pictureImage(read.tables, request.colors);
    const std::vector<std::string> failed = writeImageFiles(image, request.files);
    for (const std::string& path : failed) std::fprintf(stderr, "Export failed: %s\n", path.c_str());
    return failed.empty() ? 0 : 1;
}
