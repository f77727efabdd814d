// hostileimages_test.cpp - images that claim far more than they hold, or hold
// seconds of reading, read by trace_probe in a process of its own on each SDL
// 1.2 library: the reason, the processor time of the reading (all of it, or
// what it still took once cancelled) and the address space it took.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "file_fixture.h"

namespace {

// Made absolute as the program starts, before a test enters its own folder.
const std::string corpus =
    std::filesystem::absolute(std::filesystem::path(__FILE__).parent_path() / "../../fuzz/corpus/trace_image/");
constexpr long long MiB = 1LL << 20, longestChunk = (1LL << 31) - 1;

// The lowest `bytes` bytes of `value`, least significant first unless `bigEndian`.
std::string bytesOf(long long value, int bytes, bool bigEndian = false) {
    std::string out;
    for (int k = 0; k < bytes; ++k) out += char(value >> (8 * (bigEndian ? bytes - 1 - k : k)));
    return out;
}

// A sparse file of `size` bytes: `head`, then `chunks` PNG chunk headers of
// the longest length each followed by its zeros, then zeros.
void writeSparse(const char* path, long long size, const std::string& head, int chunks = 0) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_EQ(pwrite(fd, head.data(), head.size(), 0), ssize_t(head.size()));
    for (long long k = 0, at = head.size(); k < chunks; ++k, at += 12 + longestChunk)
        ASSERT_EQ(pwrite(fd, (bytesOf(longestChunk, 4, true) + "prIv").data(), 8, at), 8);
    ASSERT_EQ(ftruncate(fd, size), 0);
    close(fd);
}

// The headers of a BMP of width x height at `bits` a pixel.
std::string bmpHeader(int width, int height, int bits) {
    return "BM" + bytesOf(0, 8) + bytesOf(54, 4) + bytesOf(40, 4) + bytesOf(width, 4) + bytesOf(height, 4) +
           bytesOf(1, 2) + bytesOf(bits, 2) + std::string(24, '\0');
}

struct Hostile {
    const char *file, *reason;  // how the reason starts
    long cancelMs, peakMiB;     // -1: never cancelled; the most address space the reading may take
};

const char chunkPastEnd[] = "damaged PNG: a chunk claims more than the file holds";
const char bmpTooShort[] = "damaged BMP: shorter than its size says";
const Hostile hostiles[] = {
    {"ten-long-chunks.png", "cancelled", 50, 64},  // 20 GiB of chunks really there: the cancel stops libpng in them
    {"chunk-past-the-end.png", chunkPastEnd, -1, 64},  // a 2 GiB chunk in 1 GiB: refused at its length
    {"huge-tEXt.png", chunkPastEnd, -1, 64},
    {"huge-iCCP.png", chunkPastEnd, -1, 64},
    {"claims-32-bits.bmp", bmpTooShort, -1, 64},  // 16384 x 16384 in 32 MiB: refused before SDL allocates
    {"claims-24-bits.bmp", bmpTooShort, -1, 64},
    {"claims-1-bit.bmp", "unsupported BMP: not 24 or 32 bits per pixel", -1, 64},
    {"short-header.bmp", "damaged BMP: shorter than its header", -1, 64},
    {"claims-more.bmp", bmpTooShort, -1, 64},
    {"whole-4096.bmp", "cancelled", 10, 48 + 64},  // takes the 48 MiB it needs; the cancel stops it
};

class HostileImages : public FileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(HostileImages, AreRefusedOrCancelledWithinWhatThePictureNeeds) {
    const std::string library = GetParam();
    const std::string pngHead = readFile((corpus + "huge-tEXt.png").c_str()).substr(0, 33);  // signature, 4 x 4 IHDR
    writeSparse("ten-long-chunks.png", 33 + 10 * (12 + longestChunk) + 100, pngHead, 10);
    writeSparse("chunk-past-the-end.png", 1024 * MiB, pngHead, 1);
    writeSparse("claims-32-bits.bmp", 32 * MiB, bmpHeader(16384, 16384, 32));
    writeSparse("claims-24-bits.bmp", 32 * MiB, bmpHeader(16384, 16384, 24));
    writeSparse("claims-1-bit.bmp", 32 * MiB, bmpHeader(16384, 16384, 1));
    writeSparse("whole-4096.bmp", 54 + 4096LL * 4096 * 3, bmpHeader(4096, 4096, 24));
    for (const Hostile& h : hostiles) {
        const std::string command = "LD_LIBRARY_PATH='" + library + "' '" + TRACE_PROBE + "' '" +
                                    (std::filesystem::exists(h.file) ? h.file : corpus + h.file) + "' " +
                                    std::to_string(h.cancelMs);
        FILE* said = popen(command.c_str(), "r");  // a fork and an exec at once: safe beside the test's threads
        ASSERT_NE(said, nullptr);
        long cpuMs = -1, peakKb = -1, sdlPatch = -1;
        char reason[256] = "";
        std::fscanf(said, "%ld %ld %ld %255[^\n]", &cpuMs, &peakKb, &sdlPatch, reason);
        pclose(said);
        const std::string what = std::string(h.file) + (library.empty() ? " on SDL 1.2" : " on sdl12-compat");
        EXPECT_EQ(std::string(reason).substr(0, std::strlen(h.reason)), h.reason) << what;
        // Processor time, which a busy machine does not stretch.
        EXPECT_TRUE(cpuMs >= 0 && cpuMs < 100) << what << ": " << cpuMs << " ms";
        EXPECT_TRUE(peakKb >= 0 && peakKb < h.peakMiB * 1024) << what << ": " << peakKb << " KiB";
        EXPECT_EQ(sdlPatch >= 50, !library.empty()) << what << ": SDL 1.2." << sdlPatch << " linked";
    }
}

INSTANTIATE_TEST_SUITE_P(BothLibraries, HostileImages, ::testing::Values("", SDL12_COMPAT_LIBDIR),
                         [](const auto& library) { return std::string(library.index == 0 ? "SDL12" : "sdl12compat"); });

}  // namespace
