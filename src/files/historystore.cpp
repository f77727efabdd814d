// historystore.cpp - the history files of a store: their names, keys, writing and reading.
#include "historystore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "slotlock.h"
#include "slots.h"

namespace {

constexpr mode_t privateFile = 0600;
const char* const unreadable = "unreadable";

std::string slotHistoryPath(const KeptStore& store, int nr) {
    return store.directory + "/slot" + std::to_string(nr) + keptHistorySuffix;
}

// Beside "<base>.kept", "<base>.history".
std::string copyHistoryPath(const std::string& copyPath) {
    return copyPath.substr(0, copyPath.rfind('.')) + keptHistorySuffix;
}

std::uint64_t keyOf(const PictureFileTexts& texts) { return historyKey(texts.points, texts.lines); }

std::optional<FileFailure> writeHistory(const std::string& path, const PictureTables& tables,
                                        const History& history) {
    if (history.undoSteps() + history.redoSteps() == 0) {
        if (unlink(path.c_str()) == 0 || errno == ENOENT) return std::nullopt;
        return FileFailure{path, failureReason(errno)};
    }
    const PictureFileTexts texts = pictureFileTexts(tables, ' ');
    PictureTables saved;  // as a load reads the texts back
    readTableText(texts.points, pointTable(saved), saved.pixels_Amount);
    readTableText(texts.lines, lineTable(saved), saved.lines_amount);
    const std::string bytes = encodeHistory(history, saved, keyOf(texts));
    if (const FileWrite written = writeNewFile(path.c_str(), bytes, privateFile); !written)
        return FileFailure{path, written.reason()};
    return std::nullopt;
}

// True when slot nr of the store's folder holds `tables` as a save writes them.
bool slotHolds(const KeptStore& store, int nr, const PictureTables& tables) {
    const PictureFileNames names = slotFileNames(nr);
    const PictureFileTexts texts = pictureFileTexts(tables, ' ');
    std::string points, lines, reason;
    return readLimitedFile(store.folder + "/" + names.points, true, longestPointsText, points, reason) &&
           readLimitedFile(store.folder + "/" + names.lines, true, longestLinesText, lines, reason) &&
           points == texts.points && lines == texts.lines;
}

KeptHistory readHistory(const std::string& path, const PictureTables& current, std::uint64_t key) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 && errno == ENOENT) return {};
    std::string bytes, reason;
    if (!readLimitedFile(path, false, historyFileLimit, bytes, reason)) {
        const bool large = reason == largerThanLimit;
        return {std::nullopt, HistoryFault{path, large ? historyFault::tooLarge : unreadable,
                                           large ? historyFault::tooLarge : reason}};
    }
    DecodedHistory decoded = decodeHistory(bytes, current, key);
    if (!decoded.fault.empty()) return {std::nullopt, HistoryFault{path, decoded.fault, decoded.fault}};
    return {std::move(decoded.history), std::nullopt};
}

}  // namespace

const char* const historySlotChanged = "slot changed";

std::uint64_t historyKey(const std::string& points, const std::string& lines) {
    return fnv1a64(lines, fnv1a64(points, fnv1a64(std::to_string(points.size()) + ":")));
}

std::optional<FileFailure> writeSlotHistory(const KeptStore& store, int nr, const PictureTables& tables,
                                            const History& history) {
    if (std::optional<FileFailure> failed = makeKeptStore(store)) return failed;
    // No save of the slot goes on meanwhile; one made since keeps its own history.
    const SlotSaveLock saving(store, nr, slotBusyWaitMs);
    if (!slotHolds(store, nr, tables)) return std::nullopt;
    return writeHistory(slotHistoryPath(store, nr), tables, history);
}

KeptHistory readSlotHistory(const KeptStore& store, int nr, const PictureTables& loaded) {
    if (store.directory.empty()) return {};
    const PictureFileNames names = slotFileNames(nr);
    std::string points, lines, reason;
    const std::string path = slotHistoryPath(store, nr);
    // The slot's files as this program saves them, and the history kept with
    // exactly those bytes; a history kept with other ones belongs to the
    // picture the slot held before its files were edited or replaced.
    const HistoryFault changed{path, historySlotChanged, "the slot's files changed since it was kept"};
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 && errno == ENOENT) return {};
    if (!readLimitedFile(names.points, true, longestPointsText, points, reason) ||
        !readLimitedFile(names.lines, true, longestLinesText, lines, reason))
        return {std::nullopt, changed};
    const std::uint64_t key = historyKey(points, lines);
    if (key != keyOf(pictureFileTexts(loaded, ' '))) return {std::nullopt, changed};
    KeptHistory kept = readHistory(path, loaded, key);
    if (!kept.history && !kept.fault) kept.fault = changed;
    return kept;
}

std::optional<FileFailure> writeCopyHistory(const std::string& copyPath, const PictureTables& tables,
                                            const History& history) {
    return writeHistory(copyHistoryPath(copyPath), tables, history);
}

KeptHistory readCopyHistory(const std::string& copyPath, const PictureTables& restored) {
    return readHistory(copyHistoryPath(copyPath), restored, keyOf(pictureFileTexts(restored, ' ')));
}
