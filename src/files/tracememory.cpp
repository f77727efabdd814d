// tracememory.cpp - the "trace" file of a kept-picture store.
//
// The store's folders are private (mode 700) and its files too (600): a new
// file is first made empty with mode 600, never through a link, and then
// filled through replaceFile, which keeps that mode. A name that is a link or
// anything but a plain file is neither read nor written.
#include "tracememory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "filereplace.h"

namespace {

constexpr mode_t privateFolder = 0700;
constexpr mode_t privateFile = 0600;
constexpr size_t largestFile = 8192;  // a path and a word; anything longer is not ours

std::string traceFile(const KeptStore& store) { return store.directory + "/trace"; }

// Makes `path` and its missing parents, private.
bool makeFolders(const std::string& path) {
    for (std::string::size_type at = path.find('/', 1);; at = path.find('/', at + 1)) {
        const std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), privateFolder) != 0 && errno != EEXIST) return false;
        if (at == std::string::npos) break;
    }
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The path as a plain file: made empty and private when missing; false when it
// is a link or anything but a plain file, or cannot be made.
bool plainFile(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, privateFile);
    if (fd >= 0) return close(fd) == 0;
    struct stat info;
    return errno == EEXIST && lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool writePlain(const std::string& path, const std::string& text) {
    return plainFile(path) && replaceFile(path.c_str(), text);
}

// The bytes of a plain file of at most largestFile bytes, read without following a link.
std::optional<std::string> readSmall(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info;
    std::string bytes(largestFile + 1, '\0');
    ssize_t got = -1;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        do got = read(fd, &bytes[0], bytes.size());
        while (got < 0 && errno == EINTR);
    }
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

std::string rememberTrace(const KeptStore& store, const TraceChoice& choice) {
    if (store.root.empty()) return "$XDG_STATE_HOME";
    if (!makeFolders(store.directory)) return store.directory;
    // The note that names the picture folder, as every store has one.
    const std::string note = store.directory + "/folder";
    if (access(note.c_str(), F_OK) != 0 && !writePlain(note, store.folder + "\n")) return note;
    const std::string path = traceFile(store);
    const std::string text = choice.path.empty() ? "" : (choice.shown ? "shown\n" : "hidden\n") + choice.path + "\n";
    return writePlain(path, text) ? "" : path;
}
