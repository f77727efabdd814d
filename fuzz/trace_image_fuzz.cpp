// trace_image_fuzz.cpp - reads arbitrary bytes as an image to trace over.
//
// The input becomes a file that readTraceImage reads as a PNG or BMP (by its
// first bytes). It must come back with a fitted image or a reason, never both
// or neither; every cell's premultiplied colour must lie within its coverage,
// and cells off the image's fit must be empty. Anything else aborts.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "fuzz_file.h"
#include "traceimage.h"

namespace {

void checkCells(const TraceImage& image) {
    if (image.cells.size() != static_cast<size_t>(Image_Width) * Image_Height) std::abort();
    for (const TraceCell& cell : image.cells) {
        if (cell.r > cell.coverage || cell.g > cell.coverage || cell.b > cell.coverage) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char directory[] = "/tmp/trace-fuzz-XXXXXX";
    if (!mkdtemp(directory) || chdir(directory) != 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const Uint8* data, size_t size) {
    writeFile("image", data, size);
    const TraceRead read = readTraceImage("image");
    if (read.image.has_value() == !read.reason.empty()) std::abort();
    if (read.image) checkCells(*read.image);
    return 0;
}
