// tracememory.cpp - the "trace" and "fps" files of a kept-picture store.
//
// The file is the program's own, kept as the store keeps its files: written
// only as a new file of mode 600 renamed into place (writeNewFile), read only
// when it is a small regular file, never through a link.
#include "tracememory.h"

#include <unistd.h>

#include <cerrno>

#include "animationfiles.h"

namespace {

constexpr mode_t privateFile = 0600;
constexpr size_t largestFile = 8192;  // a word and a path; anything longer is not ours

std::string traceFile(const KeptStore& store) { return store.directory + "/trace"; }
std::string fpsFile(const KeptStore& store) { return store.directory + "/fps"; }

// Writes `text` as the store's file at `path`, making the store when needed.
std::optional<FileFailure> writeStoreFile(const KeptStore& store, const std::string& path, const std::string& text) {
    if (std::optional<FileFailure> failed = makeKeptStore(store)) return failed;
    if (const FileWrite written = writeNewFile(path.c_str(), text, privateFile); !written)
        return FileFailure{path, written.reason()};
    return std::nullopt;
}

// The bytes of the plain file at `path` when it holds at most largestFile.
std::optional<std::string> readSmall(const std::string& path) {
    struct stat info;
    int error = 0;
    const int fd = openRegularFile(path.c_str(), false, info, error);
    if (fd < 0) return std::nullopt;
    std::string bytes(largestFile + 1, '\0');
    ssize_t got = 0;
    do got = read(fd, &bytes[0], bytes.size());
    while (got < 0 && errno == EINTR);
    close(fd);
    if (got < 0 || static_cast<size_t>(got) > largestFile) return std::nullopt;
    bytes.resize(static_cast<size_t>(got));
    return bytes;
}

}  // namespace

std::optional<TraceChoice> rememberedTrace(const KeptStore& store) {
    if (store.directory.empty()) return std::nullopt;
    const std::optional<std::string> bytes = readSmall(traceFile(store));
    if (!bytes) return std::nullopt;
    const size_t firstEnd = bytes->find('\n');
    if (firstEnd == std::string::npos || bytes->back() != '\n') return std::nullopt;
    const std::string state = bytes->substr(0, firstEnd);
    TraceChoice choice{bytes->substr(firstEnd + 1, bytes->size() - firstEnd - 2), state == "shown"};
    const bool wellFormed = (state == "shown" || state == "hidden") && !choice.path.empty() &&
                            choice.path.find('\n') == std::string::npos;
    return wellFormed ? std::optional<TraceChoice>(choice) : std::nullopt;
}

std::optional<FileFailure> rememberTrace(const KeptStore& store, const TraceChoice& choice) {
    const std::string text = choice.path.empty() ? "" : (choice.shown ? "shown\n" : "hidden\n") + choice.path + "\n";
    return writeStoreFile(store, traceFile(store), text);
}

int rememberedFps(const KeptStore& store) {
    if (store.directory.empty()) return defaultFps;
    const std::optional<std::string> bytes = readSmall(fpsFile(store));
    for (int fps = fewestFps; bytes && fps <= mostFps; ++fps) {
        if (*bytes == std::to_string(fps) + "\n") return fps;
    }
    return defaultFps;
}

std::optional<FileFailure> rememberFps(const KeptStore& store, int fps) {
    return writeStoreFile(store, fpsFile(store), std::to_string(fps) + "\n");
}
