// filereplace.cpp - whole-file replacement through a temporary, or in place.
#include "filereplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <ctime>

namespace {

// Symbolic links followed before giving up, as the kernel does for a path.
constexpr int maxLinkHops = 40;

std::string directoryOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that a write to `path` ends up in: the link chain followed to its
// end, which need not exist yet (a dangling link gets its file created).
bool followLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hop = 0; hop < maxLinkHops; ++hop) {
        struct stat info;
        if (lstat(target.c_str(), &info) != 0) return errno == ENOENT;
        if (!S_ISLNK(info.st_mode)) return true;
        char linkText[PATH_MAX];
        const ssize_t length = readlink(target.c_str(), linkText, sizeof linkText - 1);
        if (length < 0) return false;
        const std::string next(linkText, static_cast<std::size_t>(length));
        target = next[0] == '/' ? next : directoryOf(target) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// fsync, where the file can be flushed at all (devices and some file systems
// cannot, and say so with EINVAL).
bool flush(int fd) { return fsync(fd) == 0 || errno == EINVAL; }

// Closes `fd`, and is true only when `ok` was and the close succeeded too.
bool closeAfter(int fd, bool ok) { return close(fd) == 0 && ok; }

bool readAll(const std::string& path, std::string& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return closeAfter(fd, got == 0);
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

bool syncDirectory(const std::string& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    return closeAfter(fd, flush(fd));
}

// Creates a new file "<path with its last six X replaced>" with `mode`, of
// which the kernel takes the umask's bits off, as fopen has it done; never
// through a link, never over a file. Its descriptor, or -1 with errno.
int createUnique(std::string& path, mode_t mode) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const std::string::size_type at = path.size() - 6;
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[6];
        if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) return -1;
        for (int i = 0; i < 6; ++i) path[at + i] = letters[random[i] % (sizeof letters - 1)];
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;  // errno stays EEXIST
}

// A file about to be replaced.
struct Target {
    std::string path;  // where the bytes go, links followed
    bool exists = false;
    struct stat info = {};

    bool regular() const { return !exists || S_ISREG(info.st_mode); }
};

// A directory is no file to write; a FIFO or socket would make the write wait
// for a reader, or hand the bytes to another program.
bool findTarget(const char* path, Target& target) {
    if (!followLinks(path, target.path)) return false;
    target.exists = stat(target.path.c_str(), &target.info) == 0;
    if (!target.exists) return errno == ENOENT;
    const mode_t type = target.info.st_mode & S_IFMT;
    if (type != S_IFDIR && type != S_IFIFO && type != S_IFSOCK) return true;
    errno = type == S_IFDIR ? EISDIR : notRegularFile;
    return false;
}

// True when `name` is one createUnique makes for a temporary of `base`:
// "." base "." and six of its letters.
bool temporaryNameOf(const std::string& name, const std::string& base) {
    const std::string start = "." + base + ".";
    if (name.size() != start.size() + 6 || name.compare(0, start.size(), start) != 0) return false;
    for (std::size_t i = start.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// Only a privileged process may give a file away; a group of the user's own is
// still worth keeping when the owner cannot be. Neither is an error: the file
// then belongs to whoever saves it, as a new file would.
bool keepOwnerAndGroup(int fd, const struct stat& info) {
    return fchown(fd, info.st_uid, info.st_gid) == 0 || fchown(fd, static_cast<uid_t>(-1), info.st_gid) == 0;
}

// Writes `bytes` to a new, uniquely named file beside the target, with the
// target's owner, group and permission bits (those of a new file when there is
// no target yet), flushed to disk. Its name goes to `temporary`; on failure
// nothing is left of it.
bool writeTemporary(const Target& target, const std::string& bytes, std::string& temporary) {
    temporary = directoryOf(target.path) + "/." + baseNameOf(target.path) + ".XXXXXX";
    const int fd = createUnique(temporary, target.exists ? 0600 : 0666);
    if (fd < 0) return false;
    bool ok = true;
    if (target.exists) {
        // Owner first: changing it may clear set-id bits that fchmod then restores.
        keepOwnerAndGroup(fd, target.info);
        ok = fchmod(fd, target.info.st_mode & 07777) == 0;
    }
    ok = closeAfter(fd, ok && writeAll(fd, bytes) && flush(fd));
    if (!ok) unlink(temporary.c_str());
    return ok;
}

// Truncates and rewrites an existing file (or writes a device) through its
// own name, flushed.
bool rewriteInPlace(const Target& target, const std::string& bytes) {
    // Without waiting, should a FIFO have taken the file's place meanwhile.
    const int flags = O_WRONLY | O_NONBLOCK | O_CLOEXEC | (target.regular() ? O_TRUNC : 0);
    const int fd = open(target.path.c_str(), flags);
    if (fd < 0) return false;
    return closeAfter(fd, writeAll(fd, bytes) && flush(fd));
}

// A replacement made ready up to its last step, which is the only one that
// changes the target.
struct Pending {
    Target target;
    std::string temporary;  // empty when the target is rewritten in place
    bool oldKnown = false;  // oldBytes holds what the target holds now
    std::string oldBytes;

    void discard() {
        if (!temporary.empty()) unlink(temporary.c_str());
        temporary.clear();
    }
};

// Everything short of touching the target. With `keepOld`, the target's
// present content is read as well, so that it can be put back; failing that
// read fails the preparation.
bool prepare(const char* path, const std::string& bytes, bool keepOld, Pending& pending) {
    if (!findTarget(path, pending.target)) return false;
    const Target& target = pending.target;
    if (target.exists && target.regular() && keepOld) {
        if (!readAll(target.path, pending.oldBytes)) return false;
        pending.oldKnown = true;
    }
    if (!target.regular()) return true;  // a device takes its bytes in place
    if (writeTemporary(target, bytes, pending.temporary)) return true;
    const int cause = errno;
    pending.temporary.clear();
    if (!target.exists || access(target.path.c_str(), W_OK) != 0) {
        errno = cause;
        return false;
    }
    // In place, a failure half-way is undone from the old content.
    if (!pending.oldKnown) pending.oldKnown = readAll(target.path, pending.oldBytes);
    return true;
}

// The step that changes the target. True when it holds `bytes` and they are on
// disk; `state` says what the target holds either way.
bool commit(Pending& pending, const std::string& bytes, FileState& state) {
    const Target& target = pending.target;
    state = FileState::old;
    if (!pending.temporary.empty()) {
        if (rename(pending.temporary.c_str(), target.path.c_str()) != 0) {
            pending.discard();
            return false;
        }
        pending.temporary.clear();
        state = FileState::replaced;
        return syncDirectory(directoryOf(target.path));
    }
    if (rewriteInPlace(target, bytes)) {
        state = FileState::replaced;
        return true;
    }
    // A device keeps nothing to undo; a regular file gets its old bytes back.
    if (target.regular() && !(pending.oldKnown && rewriteInPlace(target, pending.oldBytes))) state = FileState::damaged;
    return false;
}

// Undoes a committed replacement: the old bytes back, or the file that was
// created removed again. Returns what the file holds afterwards.
FileState undo(const char* path, const Pending& pending) {
    if (!pending.target.exists) return unlink(pending.target.path.c_str()) == 0 ? FileState::old : FileState::replaced;
    if (!pending.oldKnown) return FileState::replaced;
    Pending restore;
    if (!prepare(path, pending.oldBytes, false, restore)) return FileState::replaced;
    FileState state;
    commit(restore, pending.oldBytes, state);
    // The restore's "replaced" is the old content back, even if not yet
    // confirmed on disk; its "old" is the new content still there.
    if (state == FileState::replaced) return FileState::old;
    return state == FileState::old ? FileState::replaced : state;
}

}  // namespace

int openRegularFile(const char* path, bool follow, struct stat& info, int& error) {
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW));
    error = fd < 0 ? errno : 0;
    if (fd < 0) return -1;
    if (fstat(fd, &info) != 0) error = errno;
    else if (!S_ISREG(info.st_mode)) error = S_ISDIR(info.st_mode) ? EISDIR : notRegularFile;
    if (error == 0) return fd;
    close(fd);
    return -1;
}

FileWrite replaceFile(const char* path, const std::string& bytes) {
    errno = 0;
    Pending pending;
    FileState state;
    if (prepare(path, bytes, false, pending) && commit(pending, bytes, state)) return {};
    return {errno != 0 ? errno : EIO};  // every failing step leaves its errno
}

FileWrite writeNewFile(const char* path, const std::string& bytes, mode_t mode) {
    errno = 0;
    std::string temporary = directoryOf(path) + "/." + baseNameOf(path) + ".XXXXXX";
    const int fd = createUnique(temporary, mode);
    if (fd < 0) return {errno};
    bool ok = closeAfter(fd, fchmod(fd, mode) == 0 && writeAll(fd, bytes) && flush(fd));
    ok = ok && rename(temporary.c_str(), path) == 0;
    const int error = ok ? 0 : (errno != 0 ? errno : EIO);
    if (!ok) unlink(temporary.c_str());
    if (ok) syncDirectory(directoryOf(path));
    return {error};
}

void removeLeftTemporaries(const char* path, std::time_t olderThanSeconds) {
    Target target;
    if (!followLinks(path, target.path)) return;
    const std::string directory = directoryOf(target.path);
    const std::string base = baseNameOf(target.path);
    DIR* folder = opendir(directory.c_str());
    if (!folder) return;
    const std::time_t limit = std::time(nullptr) - olderThanSeconds;
    while (const dirent* entry = readdir(folder)) {
        if (!temporaryNameOf(entry->d_name, base)) continue;
        const std::string temporary = directory + "/" + entry->d_name;
        struct stat info;
        const bool left = lstat(temporary.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                          info.st_uid == geteuid() && info.st_mtime < limit;
        if (left) unlink(temporary.c_str());
    }
    closedir(folder);
}

void noteFailure(std::vector<FileFailure>& failed, const std::string& path, FileWrite written) {
    if (!written) failed.push_back({path, written.reason()});
}

PairOutcome replaceFilePair(const char* firstPath, const std::string& firstBytes, const char* secondPath,
                            const std::string& secondBytes) {
    PairOutcome outcome;
    Pending first, second;
    errno = 0;
    if (!prepare(firstPath, firstBytes, true, first)) {
        outcome = {firstPath, errno};
        return outcome;
    }
    if (!prepare(secondPath, secondBytes, false, second)) {
        outcome = {secondPath, errno};
        first.discard();
        return outcome;
    }
    if (!commit(first, firstBytes, outcome.first)) {
        outcome.failed = firstPath;
        outcome.error = errno;
        second.discard();
    } else if (!commit(second, secondBytes, outcome.second)) {
        outcome.failed = secondPath;
        outcome.error = errno;
    }
    if (outcome.failed && outcome.error == 0) outcome.error = EIO;  // every failing step leaves its errno
    // A pair half new, half old (or damaged) is worse than the old pair.
    const bool firstAlone = outcome.first == FileState::replaced && outcome.second != FileState::replaced;
    if (outcome.failed && firstAlone) outcome.first = undo(firstPath, first);
    return outcome;
}
