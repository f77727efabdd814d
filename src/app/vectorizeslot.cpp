// vectorizeslot.cpp - reading the image, finding its lines and saving them through the editor's safe save.
#include "vectorizeslot.h"

#include <cstdio>

#include "endsignals.h"
#include "keeping.h"
#include "slots.h"

int vectorizeSlot(const VectorizeRequest& request) {
    const TraceRead read = readTraceImage(request.image.path);
    if (!read.image) {
        const FileMessage failure = FileMessage().text("Cannot trace ").name(request.image.name).reason(read.reason);
        std::fprintf(stderr, "%s\n", failure.full().c_str());
        return 1;
    }
    const FoundLines found = findLines(*read.image, request.kind, PictureTables());
    Editor e;
    e.nr = request.nr;
    e.picture.replace(withPlacedLines(PictureTables(), found.placed));
    const SaveNote note = keepSlotBeforeSave(e);
    if (!note.logged.empty()) std::fprintf(stderr, "%s\n", note.logged.c_str());
    if (!note.mayReplace) return 1;
    SlotReport failure;
    {
        const WriteInProgress writing;
        failure = writeSlot(e.picture.tables(), e.nr);
    }
    if (!failure.logged.empty()) {
        std::fprintf(stderr, "%s\n", failure.logged.c_str());
        return 1;
    }
    std::printf("%s\n", foundLinesReport(found.placed).c_str());
    return 0;
}
