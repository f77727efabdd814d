// ildafile.cpp - the ILDA frame's header and format 5 records.
#include "ildafile.h"

#include <cmath>
#include <initializer_list>

namespace {

struct Record {
    int x, y;  // in ILDA units
    bool lit;
};

Record at(Cell c, bool lit) { return {ildaUnitsPerCell * (c.x - 128), ildaUnitsPerCell * (100 - c.y), lit}; }

void putWord(std::string& bytes, int value) {
    bytes += static_cast<char>((value >> 8) & 0xFF);
    bytes += static_cast<char>(value & 0xFF);
}

// A text field of 8 bytes, padded with zero bytes.
void putName(std::string& bytes, std::string name) {
    name.resize(8, '\0');
    bytes += name;
}

std::string header(size_t records, const std::string& frameName, const std::string& companyName) {
    std::string bytes("ILDA\0\0\0\5", 8);
    putName(bytes, frameName);
    putName(bytes, companyName);
    putWord(bytes, static_cast<int>(records));
    putWord(bytes, 0);  // frame number
    putWord(bytes, 1);  // total frames
    return bytes + std::string(2, '\0');  // projector, reserved
}

// The lit records from a to b, b included: the line cut into the fewest
// pieces, a power of two, none longer than litStep cells.
void lineRecords(std::vector<Record>& records, Cell a, Cell b) {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    int pieces = 1;
    while (length > litStep * pieces) pieces *= 2;
    const Record from = at(a, true), to = at(b, true);
    for (int k = 1; k <= pieces; ++k)
        records.push_back({from.x + (to.x - from.x) / pieces * k, from.y + (to.y - from.y) / pieces * k, true});
}

std::vector<Record> frameRecords(const std::vector<Stroke>& order) {
    std::vector<Record> records;
    for (const Stroke& stroke : order) {
        records.push_back(at(stroke.front(), false));
        const int dwell = stroke.size() == 1 ? dotDwell : 1;
        for (int i = 0; i < dwell; ++i) records.push_back(at(stroke.front(), true));
        for (size_t i = 1; i < stroke.size(); ++i) lineRecords(records, stroke[i - 1], stroke[i]);
    }
    if (records.empty()) records.push_back({0, 0, false});
    return records;
}

}  // namespace

std::string encodeIlda(const std::vector<Stroke>& order, ColorRGB color, const std::string& frameName,
                       const std::string& companyName) {
    const std::vector<Record> records = frameRecords(order);
    std::string bytes = header(records.size(), frameName, companyName);
    for (size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        putWord(bytes, r.x);
        putWord(bytes, r.y);
        bytes += static_cast<char>((r.lit ? 0 : ildaBlanked) | (i + 1 == records.size() ? ildaLast : 0));
        const ColorRGB shown = r.lit ? color : ColorRGB();
        for (int channel : {shown.b, shown.g, shown.r}) bytes += static_cast<char>(channel & 0xFF);
    }
    return bytes + header(0, frameName, companyName);
}
