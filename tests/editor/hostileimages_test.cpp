// hostileimages_test.cpp - images whose headers claim far more than they hold
// cost no more memory than the picture needs. Each is read in a child
// process, whose peak of address space starts at its size at the fork, so
// the rise of that peak is what the read took.
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <fstream>

#include "file_fixture.h"
#include "traceimage.h"

namespace {

constexpr long memoryLimitKb = 64 * 1024;

std::string bigEndian(std::uint32_t value) {
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

std::string littleEndian(std::uint32_t value, int bytes) {
    std::string text;
    for (int k = 0; k < bytes; ++k) text += char(value >> (8 * k));
    return text;
}

// A chunk whose header claims `claimed` bytes (its own length when 0).
std::string pngChunk(const std::string& type, const std::string& data, std::uint32_t claimed = 0) {
    const std::string typed = type + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
    return bigEndian(claimed ? claimed : static_cast<std::uint32_t>(data.size())) + typed +
           bigEndian(static_cast<std::uint32_t>(crc));
}

// The signature and the header of a 4 x 4 RGB image, the start of every hostile PNG here.
std::string pngStart() {
    return std::string("\x89PNG\r\n\x1a\n", 8) +
           pngChunk("IHDR", bigEndian(4) + bigEndian(4) + std::string("\x08\x02\x00\x00\x00", 5));
}

// A chunk claiming nearly 2 GiB, followed by three bytes.
std::string hugeChunk(const char* type) { return pngChunk(type, "abc", 0x7ffffff0).substr(0, 11); }

// A BMP file header and the first `headerBytes` of a 40-byte picture header
// claiming width x height.
std::string bmpStart(std::int32_t width, std::int32_t height, int headerBytes) {
    const std::string info = littleEndian(40, 4) + littleEndian(width, 4) + littleEndian(height, 4) +
                             littleEndian(1, 2) + littleEndian(24, 2) + std::string(24, '\0');
    return "BM" + littleEndian(54, 4) + littleEndian(0, 4) + littleEndian(54, 4) + info.substr(0, headerBytes);
}

long statusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == key) return (status >> word, std::stol(word));
    return 0;
}

struct Hostile {
    const char* name;
    std::string bytes;
    const char* reason;  // the start of the refusal
};

}  // namespace

TEST_F(FileTest, AHostileImageCostsNoMoreMemoryThanThePictureNeeds) {
    const Hostile cases[] = {
        {"text.png", pngStart() + hugeChunk("tEXt"), "damaged PNG: "},
        {"ztext.png", pngStart() + hugeChunk("zTXt"), "damaged PNG: "},
        {"itext.png", pngStart() + hugeChunk("iTXt"), "damaged PNG: "},
        {"profile.png", pngStart() + hugeChunk("iCCP"), "damaged PNG: "},
        {"unknown.png", pngStart() + hugeChunk("zzZz"), "damaged PNG: "},
        {"short.bmp", bmpStart(50000, 50000, 9), "damaged BMP: shorter than its"},
        {"claims.bmp", bmpStart(10000, -10000, 40), "damaged BMP: shorter than its"},
        {"wide.bmp", bmpStart(70000, 1, 40), "too large: "},
    };
    for (const Hostile& c : cases) {
        writeFile(c.name, c.bytes);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const long before = statusKb("VmSize:");
            const TraceRead read = readTraceImage(c.name);
            const bool refused = !read.image && read.reason.rfind(c.reason, 0) == 0;
            _exit((refused ? 0 : 1) | (statusKb("VmPeak:") - before < memoryLimitKb ? 0 : 2));
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status)) << c.name;
        EXPECT_EQ(WEXITSTATUS(status) & 1, 0) << c.name << ": not refused as " << c.reason;
        EXPECT_EQ(WEXITSTATUS(status) & 2, 0) << c.name << ": took more than " << memoryLimitKb << " kB";
    }
}
