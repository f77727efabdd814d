// ildashow.cpp - renumbering single ILDA frames into one show.
#include "ildashow.h"

namespace {

void setWord(std::string& bytes, size_t at, size_t value) {
    bytes[at] = static_cast<char>((value >> 8) & 0xFF);
    bytes[at + 1] = static_cast<char>(value & 0xFF);
}

// A header of `bytes` starting at `at`, numbered `number` of `total`.
void numberHeader(std::string& bytes, size_t at, size_t number, size_t total) {
    setWord(bytes, at + ildaFrameNumberAt, number);
    setWord(bytes, at + ildaTotalFramesAt, total);
}

}  // namespace

std::string joinIldaFrames(const std::vector<std::string>& frameFiles) {
    const size_t total = frameFiles.size();
    std::string show;
    for (size_t number = 0; number < total; ++number) {
        const std::string& file = frameFiles[number];
        if (file.size() < 2 * ildaHeaderSize) return "";
        const size_t at = show.size();
        show.append(file, 0, file.size() - ildaHeaderSize);
        numberHeader(show, at, number, total);
    }
    if (total == 0) return "";
    const size_t closing = show.size();
    show.append(frameFiles.back(), frameFiles.back().size() - ildaHeaderSize, ildaHeaderSize);
    numberHeader(show, closing, total, total);
    return show;
}
