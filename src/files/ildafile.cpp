// ildafile.cpp - the ILDA frame's header and format 5 records.
#include "ildafile.h"

#include <initializer_list>

namespace {

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

}  // namespace

std::string encodeIlda(const LaserFrame& frame, const std::string& frameName, const std::string& companyName) {
    const std::vector<LaserRecord>& records = frame.records;
    std::string bytes = header(records.size(), frameName, companyName);
    for (size_t i = 0; i < records.size(); ++i) {
        const LaserRecord& r = records[i];
        putWord(bytes, r.x);
        putWord(bytes, r.y);
        bytes += static_cast<char>((r.lit ? 0 : ildaBlanked) | (i + 1 == records.size() ? ildaLast : 0));
        const ColorRGB shown = r.lit ? frame.color : ColorRGB();
        for (int channel : {shown.b, shown.g, shown.r}) bytes += static_cast<char>(channel & 0xFF);
    }
    return bytes + header(0, frameName, companyName);
}
