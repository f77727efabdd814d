// historyformat.cpp - the history file's bytes: steps as changed entries, the header and the checksum.
#include "historyformat.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

const char magic[] = "TSHISTRY";
constexpr std::size_t magicSize = 8;
constexpr std::size_t headerSize = magicSize + 4 + 8 + 4 + 4 + 4;
constexpr std::size_t checksumSize = 4;
static_assert(historyKeyOffset == magicSize + 4, "the key follows the magic and the version");

// Appends the low `count` bytes of `value`, least significant first.
void put(std::string& out, std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

// Takes numbers from bytes[at, end) in order; `ok` turns false for good at
// the first that runs past the end, and every number after it is 0.
struct Reader {
    const std::string& bytes;
    std::size_t at;
    std::size_t end;
    bool ok = true;

    std::uint64_t take(std::size_t count) {
        if (!ok || at + count > end) ok = false;
        if (!ok) return 0;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value |= std::uint64_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
        at += count;
        return value;
    }
    std::int32_t int32() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(take(4))); }
};

bool sameEntry(const ConstTable& a, const ConstTable& b, int i) {
    if (a.used[i] != b.used[i]) return false;
    for (int row = 0; row < a.fields; ++row)
        if (a.rows[row][i] != b.rows[row][i]) return false;
    return true;
}

// The entries of `to` that differ from those of `from`, whole.
void putChangedEntries(std::string& out, const ConstTable& from, const ConstTable& to) {
    std::vector<int> changed;
    for (int i = 0; i < p_number; ++i)
        if (!sameEntry(from, to, i)) changed.push_back(i);
    put(out, changed.size(), 2);
    for (int i : changed) {
        put(out, static_cast<std::uint64_t>(i), 2);
        put(out, to.used[i] ? 1 : 0, 1);
        for (int row = 0; row < to.fields; ++row) put(out, static_cast<std::uint32_t>(to.rows[row][i]), 4);
    }
}

// Such entries onto `table`; false when they are not as written: an index
// beyond the table or not above the one before, a flag neither 0 nor 1.
bool takeChangedEntries(Reader& in, const Table& table) {
    const std::uint64_t count = in.take(2);
    std::uint64_t next = 0;  // the lowest index the next entry may have
    for (std::uint64_t k = 0; k < count && in.ok; ++k) {
        const std::uint64_t i = in.take(2);
        const std::uint64_t used = in.take(1);
        if (i < next || i >= p_number || used > 1) return false;
        table.used[i] = used == 1;
        for (int row = 0; row < table.fields; ++row) table.rows[row][i] = in.int32();
        next = i + 1;
    }
    return in.ok;
}

std::string stepBytes(const PictureTables& from, const PictureTables& to) {
    std::string out;
    putChangedEntries(out, pointTable(from), pointTable(to));
    putChangedEntries(out, lineTable(from), lineTable(to));
    put(out, static_cast<std::uint32_t>(to.pixels_Amount), 4);
    put(out, static_cast<std::uint32_t>(to.lines_amount), 4);
    return out;
}

int entriesInUse(const bool* used) { return static_cast<int>(std::count(used, used + p_number, true)); }

// The step after `tables`, made on them; false when it is not well formed or
// its counts are not those of the entries in use, as every picture's are.
bool takeStep(Reader& in, PictureTables& tables) {
    if (!takeChangedEntries(in, pointTable(tables)) || !takeChangedEntries(in, lineTable(tables))) return false;
    tables.pixels_Amount = in.int32();
    tables.lines_amount = in.int32();
    return in.ok && tables.pixels_Amount == entriesInUse(tables.pixel_oc) &&
           tables.lines_amount == entriesInUse(tables.line_oc);
}

// The steps of a chain (undoable() or redoable(): the nearest last), nearest
// first, each against the tables before it, the first against `saved`: as
// many as fit in `budget` bytes, which they take from it.
std::vector<std::string> chainBytes(const History::Steps& chain, const PictureTables& saved, std::size_t& budget) {
    std::vector<std::string> steps;
    const PictureTables* before = &saved;
    for (auto step = chain.rbegin(); step != chain.rend(); ++step) {
        std::string bytes = stepBytes(*before, **step);
        if (bytes.size() > budget) break;
        budget -= bytes.size();
        steps.push_back(std::move(bytes));
        before = step->get();
    }
    return steps;
}

// `count` such steps back into a chain in the history's order.
bool takeChain(Reader& in, std::uint64_t count, const PictureTables& current, History::Steps& chain) {
    PictureTables tables = current;
    for (std::uint64_t k = 0; k < count; ++k) {
        if (!takeStep(in, tables)) return false;
        chain.push_front(std::make_shared<const PictureTables>(tables));
    }
    return true;
}

// CRC-32 with the polynomial of zip and PNG, a byte at a time through a table.
std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

DecodedHistory refused(const char* reason) { return {std::nullopt, reason}; }

}  // namespace

std::uint32_t historyChecksum(const char* bytes, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = crcTable();
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

std::string encodeHistory(const History& history, const PictureTables& saved, std::uint64_t key, std::size_t limit) {
    // The oldest steps are the far end of the undo steps: the redo steps, made
    // after them, take their room first.
    const std::size_t room = limit > headerSize + checksumSize ? limit - headerSize - checksumSize : 0;
    std::size_t budget = room;
    const std::vector<std::string> redo = chainBytes(history.redoable(), saved, budget);
    const std::vector<std::string> undo = chainBytes(history.undoable(), saved, budget);
    std::string out(magic, magicSize);
    put(out, historyVersion, 4);
    put(out, key, 8);
    put(out, undo.size(), 4);
    put(out, redo.size(), 4);
    put(out, room - budget, 4);
    for (const std::vector<std::string>* chain : {&undo, &redo})
        for (const std::string& step : *chain) out += step;
    put(out, historyChecksum(out.data(), out.size()), 4);
    return out;
}

DecodedHistory decodeHistory(const std::string& bytes, const PictureTables& current, std::uint64_t key) {
    if (bytes.size() > historyFileLimit) return refused(historyFault::tooLarge);
    const std::size_t magicHere = std::min(bytes.size(), magicSize);
    if (bytes.compare(0, magicHere, magic, magicHere) != 0) return refused(historyFault::damaged);
    Reader in{bytes, magicSize, bytes.size()};
    const std::uint64_t version = in.take(4);
    if (in.ok && version > historyVersion) return refused(historyFault::tooNew);
    const std::uint64_t savedKey = in.take(8);
    const std::uint64_t undoCount = in.take(4);
    const std::uint64_t redoCount = in.take(4);
    const std::uint64_t length = in.take(4);
    if (!in.ok || bytes.size() < headerSize + length + checksumSize) return refused(historyFault::truncated);
    if (bytes.size() > headerSize + length + checksumSize || version == 0) return refused(historyFault::damaged);
    in.end = bytes.size() - checksumSize;
    Reader checksum{bytes, in.end, bytes.size()};
    if (checksum.take(4) != historyChecksum(bytes.data(), in.end)) return refused(historyFault::damaged);
    if (savedKey != key) return {};
    History::Steps undone, redone;
    if (undoCount + redoCount > History::depth || !takeChain(in, undoCount, current, undone) ||
        !takeChain(in, redoCount, current, redone) || in.at != in.end)
        return refused(historyFault::damaged);
    return {History(std::move(undone), std::move(redone)), ""};
}

std::uint64_t fnv1a64(const std::string& bytes, std::uint64_t hash) {
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}
