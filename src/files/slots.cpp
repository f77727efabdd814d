// slots.cpp - the picture to and from its pair of slot files.
#include "slots.h"

#include <string>

#include "filereplace.h"
#include "picturefiles.h"

PictureFileNames slotFileNames(int nr) { return pictureFileNames("pixels", "lines", nr); }

// Adds ", <name> new" or ", <name> damaged" for a file that no longer holds
// what it held before the save; nothing for one that does.
static void noteState(FileMessage& message, const char* fileName, FileState state) {
    if (state == FileState::old) return;
    message.text(", ").name(fileName).text(state == FileState::replaced ? " new" : " damaged");
}

// The report of a message whose full text is the line for standard error.
static SlotReport reportOf(const FileMessage& message) { return {message, message.full()}; }

SlotReport writeSlot(const PictureTables& tables, int nr) {
    const PictureFileNames names = slotFileNames(nr);
    const PictureFileTexts texts = pictureFileTexts(tables, ' ');
    const PairOutcome outcome = replaceFilePair(names.points, texts.points, names.lines, texts.lines);
    if (!outcome.failed) return {};
    FileMessage message =
        FileMessage().text("Save failed: ").name(outcome.failed).reason(failureReason(outcome.error));
    noteState(message, names.points, outcome.first);
    noteState(message, names.lines, outcome.second);
    return reportOf(message);
}

// One file's read, as it is shown and as it is logged with its reason.
struct FileRead {
    const char* name;
    ReadResult result;
    int error;
    std::string nameAndReason() const { return std::string(name) + ": " + failureReason(error); }
    FileMessage failed() const { return FileMessage().text("Load failed: ").name(name).reason(failureReason(error)); }
};

// The report for one file's read, or none when it came to the end.
static void noteRead(std::vector<SlotReport>& reports, const FileRead& read, int kept) {
    if (read.result == ReadResult::unreadable) reports.push_back(reportOf(read.failed()));
    if (read.result == ReadResult::stopped) {
        const std::string keptCount = ", " + std::to_string(kept) + " kept";
        reports.push_back(reportOf(FileMessage().text("Load stopped: ").name(read.name).text(keptCount)));
    }
}

SlotRead readSlot(int nr) {
    const PictureFileNames names = slotFileNames(nr);
    SlotRead read;
    PictureTables& t = read.tables;
    FileRead points{names.points, ReadResult::complete, 0};
    FileRead lines{names.lines, ReadResult::complete, 0};
    points.result = readTable(names.points, pointTable(t), t.pixels_Amount, points.error);
    lines.result = readTable(names.lines, lineTable(t), t.lines_amount, lines.error);
    read.neitherRead = points.result == ReadResult::unreadable && lines.result == ReadResult::unreadable;
    if (read.neitherRead) {
        // The prompt line has room for one file and its reason.
        read.reports.push_back(
            {points.failed(), "Load failed: " + points.nameAndReason() + ", " + lines.nameAndReason()});
    } else {
        noteRead(read.reports, points, t.pixels_Amount);
        noteRead(read.reports, lines, t.lines_amount);
    }
    return read;
}
