// hostileimages_test.cpp - images that claim far more than they hold, read in
// a child, whose peak address space starts at its size at the fork.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "traceimage.h"

namespace {

long statusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == key) return (status >> word, std::stol(word));
    return 0;
}

TEST(HostileImages, AreRefusedWithinWhatThePictureNeeds) {
    const std::string corpus = std::filesystem::path(__FILE__).parent_path().string() + "/../../fuzz/corpus/";
    const std::pair<const char*, const char*> cases[] = {  // a chunk claiming 2 GiB; a BMP claiming more than it holds
        {"huge-tEXt.png", "damaged PNG: "}, {"huge-zTXt.png", "damaged PNG: "}, {"huge-iTXt.png", "damaged PNG: "},
        {"huge-iCCP.png", "damaged PNG: "}, {"short-header.bmp", "damaged BMP: shorter than its header"},
        {"claims-more.bmp", "damaged BMP: shorter than its size says"}};
    for (const auto& [name, reason] : cases) {
        const pid_t child = fork();
        if (child == 0) {
            const long before = statusKb("VmSize:");
            const TraceRead read = readTraceImage(corpus + "trace_image/" + name);
            _exit((read.reason.rfind(reason, 0) == 0 ? 0 : 1) | (statusKb("VmPeak:") - before < 65536 ? 0 : 2));
        }
        int status = (waitpid(child, &status, 0), status);
        EXPECT_EQ(status, 0) << name << ": 1 not refused as " << reason << ", 2 took over 64 MiB";
    }
}

}  // namespace
