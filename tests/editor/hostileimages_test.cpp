// hostileimages_test.cpp - images that claim far more than they hold, or hold
// seconds of reading, read by trace_probe in a process of its own on each SDL
// 1.2 library: the reason, the processor time of the reading (all of it, or
// what it still took once cancelled) and the address space it took.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

#include "file_fixture.h"

namespace {

// Made absolute as the program starts, before a test enters its own folder.
const std::string corpus =
    std::filesystem::absolute(std::filesystem::path(__FILE__).parent_path() / "../../fuzz/corpus/trace_image/");
constexpr long long GiB = 1LL << 30, MiB = 1LL << 20;
constexpr long long longestChunk = (1LL << 31) - 1;

// A sparse file of `size` bytes holding `pieces` at their offsets, zeros elsewhere.
void writeSparse(const std::string& path, long long size, const std::vector<std::pair<long long, std::string>>& pieces) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path;
    for (const auto& [at, bytes] : pieces) ASSERT_EQ(pwrite(fd, bytes.data(), bytes.size(), at), ssize_t(bytes.size()));
    ASSERT_EQ(ftruncate(fd, size), 0);
    close(fd);
}

std::string bigEndian(std::uint32_t value) {
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

std::string littleEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int k = 0; k < bytes; ++k) out += char(value >> (8 * k));
    return out;
}

// A 4 x 4 PNG's signature and header (from the corpus), then `chunks` private
// chunks of the longest length, all zeros; the file is `size` bytes long.
void writeLongChunks(const std::string& path, int chunks, long long size) {
    std::vector<std::pair<long long, std::string>> pieces = {{0, readFile((corpus + "huge-tEXt.png").c_str()).substr(0, 33)}};
    for (long long k = 0, at = 33; k < chunks; ++k, at += 12 + longestChunk) pieces.push_back({at, bigEndian(longestChunk) + "prIv"});
    writeSparse(path, size, pieces);
}

// A BMP whose headers claim width x height at `bits` a pixel, `size` bytes long.
void writeBmpClaim(const std::string& path, int width, int height, int bits, long long size) {
    const std::string header = "BM" + littleEndian(std::uint32_t(size), 4) + littleEndian(0, 4) + littleEndian(54, 4) +
                               littleEndian(40, 4) + littleEndian(width, 4) + littleEndian(height, 4) +
                               littleEndian(1, 2) + littleEndian(bits, 2) + std::string(24, '\0');
    writeSparse(path, size, {{0, header}});
}

struct Hostile {
    const char* file;
    long cancelMs;      // -1: never
    const char* reason;  // how the reason starts
    double cpuMs;       // the most processor time of the reading after the cancel, or in all when never cancelled
    long peakKb;        // the most address space the reading takes
};

const Hostile hostiles[] = {
    // Ten chunks of 2 GiB, really there: libpng reads through them, and the cancel stops it.
    {"ten-long-chunks.png", 50, "cancelled", 100, 64 * 1024},
    // A chunk of 2 GiB in a 1 GiB file: refused at its length, not read to the end.
    {"chunk-past-the-end.png", -1, "damaged PNG: a chunk claims more than the file holds", 100, 64 * 1024},
    {"huge-tEXt.png", -1, "damaged PNG: a chunk claims more than the file holds", 100, 64 * 1024},
    {"huge-iCCP.png", -1, "damaged PNG: a chunk claims more than the file holds", 100, 64 * 1024},
    // 16384 x 16384 claimed in 32 MiB: refused before SDL takes the picture's memory.
    {"claims-32-bits.bmp", -1, "damaged BMP: shorter than its size says", 100, 64 * 1024},
    {"claims-24-bits.bmp", -1, "damaged BMP: shorter than its size says", 100, 64 * 1024},
    {"claims-1-bit.bmp", -1, "unsupported BMP: not 24 or 32 bits per pixel", 100, 64 * 1024},
    {"short-header.bmp", -1, "damaged BMP: shorter than its header", 100, 64 * 1024},
    {"claims-more.bmp", -1, "damaged BMP: shorter than its size says", 100, 64 * 1024},
    // 4096 x 4096 at 24 bits, whole: it takes the 48 MiB it needs, and the cancel stops it.
    {"whole-4096.bmp", 10, "cancelled", 100, (48 + 64) * 1024},
};

struct Probed {
    std::string reason;
    double readingCpuMs = -1, cpuAfterCancelMs = -1, wallAfterCancelMs = -1;
    long peakKb = -1;
    int sdlPatch = -1;
};

// Runs trace_probe on `file`, with `libraryPath` (when not empty) first in the library path.
Probed probe(const std::string& libraryPath, const std::string& file, long cancelMs) {
    const std::string command = (libraryPath.empty() ? "" : "LD_LIBRARY_PATH='" + libraryPath + "' ") + "'" +
                                TRACE_PROBE + "' '" + file + "' " + std::to_string(cancelMs);
    Probed result;
    FILE* output = popen(command.c_str(), "r");  // a fork and an exec at once: safe beside the test's threads
    if (output == nullptr) return result;
    char line[512] = "";
    const bool got = std::fgets(line, sizeof line, output) != nullptr;
    pclose(output);
    std::istringstream fields(got ? line : "");
    std::getline(fields, result.reason, '|');
    char bar;
    fields >> result.readingCpuMs >> bar >> result.cpuAfterCancelMs >> bar >> result.wallAfterCancelMs >> bar >>
        result.peakKb >> bar >> result.sdlPatch;
    return result;
}

class HostileImages : public FileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(HostileImages, AreRefusedOrCancelledWithinWhatThePictureNeeds) {
    const std::string library = GetParam();
    if (!library.empty()) {
        ASSERT_TRUE(std::filesystem::exists(library + "/libSDL-1.2.so.0")) << library;
    }
    writeLongChunks("ten-long-chunks.png", 10, 33 + 10 * (12 + longestChunk) + 100);
    writeLongChunks("chunk-past-the-end.png", 1, GiB);
    writeBmpClaim("claims-32-bits.bmp", 16384, 16384, 32, 32 * MiB);
    writeBmpClaim("claims-24-bits.bmp", 16384, 16384, 24, 32 * MiB);
    writeBmpClaim("claims-1-bit.bmp", 16384, 16384, 1, 32 * MiB);
    writeBmpClaim("whole-4096.bmp", 4096, 4096, 24, 54 + 4096LL * 4096 * 3);
    for (const Hostile& h : hostiles) {
        const std::string path = std::filesystem::exists(h.file) ? h.file : corpus + h.file;
        const Probed read = probe(library, std::filesystem::absolute(path), h.cancelMs);
        const std::string what = std::string(h.file) + (library.empty() ? " on SDL 1.2" : " on sdl12-compat");
        EXPECT_EQ(read.reason.substr(0, std::string(h.reason).size()), h.reason) << what;
        const double cpu = h.cancelMs < 0 ? read.readingCpuMs : read.cpuAfterCancelMs;
        EXPECT_GE(cpu, 0) << what;
        EXPECT_LT(cpu, h.cpuMs) << what << ": processor time";
        // The clock too, generously: a busy machine may keep the reading waiting.
        if (h.cancelMs >= 0) {
            EXPECT_LT(read.wallAfterCancelMs, 2000) << what << ": time after the cancel";
        }
        EXPECT_GE(read.peakKb, 0) << what;
        EXPECT_LT(read.peakKb, h.peakKb) << what << ": address space";
        EXPECT_EQ(read.sdlPatch >= 50, !library.empty()) << what << ": SDL 1.2." << read.sdlPatch << " linked";
    }
}

INSTANTIATE_TEST_SUITE_P(BothLibraries, HostileImages, ::testing::Values("", SDL12_COMPAT_LIBDIR),
                         [](const auto& library) { return std::string(library.index == 0 ? "SDL12" : "sdl12compat"); });

}  // namespace
