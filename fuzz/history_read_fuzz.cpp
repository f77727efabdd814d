// history_read_fuzz.cpp - reads arbitrary bytes as the history of an unsaved copy.
//
// The input becomes the history file beside a copy holding two points and a
// line. Inputs as long as a header and a checksum get the copy's key and a
// right checksum written in, so that the steps themselves are what gets
// fuzzed; shorter ones cannot be whole. So each input must come back as a
// history or a fault with its reason, never both or neither. A history
// read back must have at most History::depth steps, each with the counts of
// its entries in use, and must read back the same once written again.
// Anything else aborts.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "fuzz_file.h"
#include "historystore.h"
#include "picturefiles.h"

namespace {

const char* const copyPath = "unsaved-FUZZED.kept";
const char* const historyPath = "unsaved-FUZZED.history";
constexpr std::size_t headerSize = 32;

PictureTables copyTables() {
    PictureTables t;
    t.createPixel(3, 4);
    t.createPixel(10, 20);
    t.createLine(1, 2, 30, 40);
    return t;
}

// The copy's key at its place, and the checksum of what comes before it last.
void signAsTheCopys(std::string& bytes, const PictureTables& tables) {
    const PictureFileTexts texts = pictureFileTexts(tables, ' ');
    const std::uint64_t key = historyKey(texts.points, texts.lines);
    for (int i = 0; i < 8; ++i) bytes[historyKeyOffset + i] = static_cast<char>(key >> (8 * i));
    const std::uint32_t checksum = historyChecksum(bytes.data(), bytes.size() - 4);
    for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<char>(checksum >> (8 * i));
}

int inUse(const bool* used) { return static_cast<int>(std::count(used, used + p_number, true)); }

void checkHistory(const History& history, const PictureTables& tables) {
    if (history.undoSteps() + history.redoSteps() > History::depth) std::abort();
    for (const History::Steps* chain : {&history.undoable(), &history.redoable()})
        for (const History::Step& step : *chain)
            if (step->pixels_Amount != inUse(step->pixel_oc) || step->lines_amount != inUse(step->line_oc))
                std::abort();
    const DecodedHistory again = decodeHistory(encodeHistory(history, tables, 1), tables, 1);
    if (!again.history || !(*again.history == history)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char directory[] = "/tmp/history-fuzz-XXXXXX";
    if (!mkdtemp(directory) || chdir(directory) != 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const Uint8* data, size_t size) {
    static const PictureTables tables = copyTables();
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.size() >= headerSize + 4) signAsTheCopys(bytes, tables);
    writeFile(historyPath, reinterpret_cast<const Uint8*>(bytes.data()), bytes.size());
    const KeptHistory read = readCopyHistory(copyPath, tables);
    if (read.history.has_value() == read.fault.has_value()) std::abort();  // signed or too short to be whole
    if (read.fault && read.fault->shown.empty()) std::abort();
    if (read.history) checkHistory(*read.history, tables);
    return 0;
}
