// keptpictures.cpp - the kept pictures' files, their locks and their pruning.
#include "keptpictures.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <chrono>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>

#include "slots.h"

namespace fs = std::filesystem;

namespace {

const char* const magicLine = "tessary kept picture";
const char* const keptSuffix = ".kept";
const char* const lockSuffix = ".lock";
const char* const shownSuffix = ".shown";
const char* const folderNote = "folder";
const char* const replacedPrefix = "replaced-";
constexpr mode_t privateFolderMode = 0700;
constexpr mode_t privateFileMode = 0600;
const char* const tooLarge = "Larger than any kept picture";

std::string stateRoot() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/tessary";
    const std::string home = homeFolder();
    return home.empty() ? "" : home + "/.local/state/tessary";
}

// FNV-1a, 64 bits: a stable name for a folder's path.
std::uint64_t pathHash(const std::string& path) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : path) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

// The last part of the folder's path, in safe characters, then its hash.
std::string storeName(const std::string& folder) {
    std::string name;
    for (char c : fs::path(folder).filename().string()) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_' || c == '.';
        if (name.size() < 40) name += safe ? c : '_';
    }
    char hash[24];
    std::snprintf(hash, sizeof hash, "-%016llx", static_cast<unsigned long long>(pathHash(folder)));
    return (name.empty() ? "root" : name) + hash;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

// A path as one line: a backslash doubled, a control byte as \xNN, every other
// byte as it is.
std::string escapedLine(const std::string& text) {
    std::string line;
    for (unsigned char c : text) {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02x", c);
        if (c == '\\') line += "\\\\";
        else if (c < 32 || c == 127) line += escape;
        else line += static_cast<char>(c);
    }
    return line;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The path of such a line. A backslash that starts no escape stands for
// itself, as in the files written before paths were escaped.
std::string unescapedLine(const std::string& line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const bool backslash = line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '\\';
        const bool byte = line.compare(i, 2, "\\x") == 0 && i + 3 < line.size() && hexDigit(line[i + 2]) >= 0 &&
                          hexDigit(line[i + 3]) >= 0;
        if (backslash) ++i;
        if (byte) {
            text += static_cast<char>(hexDigit(line[i + 2]) * 16 + hexDigit(line[i + 3]));
            i += 3;
        } else {
            text += line[i];
        }
    }
    return text;
}

// Why `path`, opened without following a link, could not be opened.
std::string openRefusal(const std::string& path, int error) {
    struct stat info;
    if (error == ELOOP || (error == ENOTDIR && lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)))
        return "Is a symbolic link, not followed";
    return failureReason(error);
}

// Makes `path` a folder of the user's alone: made with mode 700, or set to it
// when the user owns it; a link, no folder or another user's folder refused.
std::optional<FileFailure> ownFolder(const std::string& path) {
    if (mkdir(path.c_str(), privateFolderMode) != 0 && errno != EEXIST) return FileFailure{path, failureReason(errno)};
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return FileFailure{path, openRefusal(path, errno)};
    struct stat info;
    std::optional<FileFailure> failed;
    if (fstat(fd, &info) != 0) failed = FileFailure{path, failureReason(errno)};
    else if (info.st_uid != geteuid()) failed = FileFailure{path, "Owned by another user"};
    else if ((info.st_mode & 07777) != privateFolderMode && fchmod(fd, privateFolderMode) != 0)
        failed = FileFailure{path, failureReason(errno)};
    close(fd);
    return failed;
}

// True when `path` is a folder of the user's, not a link: one the store's
// files may be read from or removed in, as it is.
bool isOwnFolder(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
}

// Makes the missing parents of `path` with mode 700, as the state folder's
// convention asks; those that exist are left as they are.
std::optional<FileFailure> makeParents(const std::string& path) {
    for (std::string::size_type at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
        const std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), privateFolderMode) != 0 && errno != EEXIST)
            return FileFailure{part, failureReason(errno)};
    }
    return std::nullopt;
}

std::optional<FileFailure> asFailure(const std::string& path, FileWrite written) {
    if (written) return std::nullopt;
    return FileFailure{path, written.reason()};
}

// The store folder, the user's alone, with its note of the picture folder.
std::optional<FileFailure> prepareStore(const KeptStore& store) {
    if (store.root.empty()) return FileFailure{"~/.local/state/tessary", "No home folder known"};
    std::optional<FileFailure> failed = makeParents(store.root);
    if (!failed) failed = ownFolder(store.root);
    if (!failed) failed = ownFolder(store.directory);
    if (failed) return failed;
    const std::string note = store.directory + "/" + folderNote;
    struct stat info;
    if (lstat(note.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return std::nullopt;
    return asFailure(note, writeNewFile(note.c_str(), escapedLine(store.folder) + "\n", privateFileMode));
}

// Reads the regular file open at `fd` whole, unless it holds more than
// `limit` bytes: then no more than one byte beyond is read.
bool readOpen(int fd, const struct stat& info, std::size_t limit, std::string& bytes, std::string& reason) {
    bytes.clear();
    if (static_cast<std::size_t>(info.st_size) > limit) {
        reason = tooLarge;
        return false;
    }
    char buffer[65536];
    while (bytes.size() <= limit) {
        const ssize_t got = read(fd, buffer, std::min(sizeof buffer, limit + 1 - bytes.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) reason = failureReason(errno);
        if (got <= 0) return got == 0;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    reason = tooLarge;
    return false;
}

// The bytes of the regular file at `path`, up to `limit`, opened without
// waiting and, unless `follow`, without following a link; false with the reason.
bool readBounded(const std::string& path, bool follow, std::size_t limit, std::string& bytes, std::string& reason) {
    struct stat info;
    int error = 0;
    const int fd = openRegularFile(path.c_str(), follow, info, error);
    if (fd < 0) {
        reason = follow ? failureReason(error) : openRefusal(path, error);
        return false;
    }
    const bool read = readOpen(fd, info, limit, bytes, reason);
    close(fd);
    return read;
}

// Opens and locks the lock file at `path` without waiting, exclusively or, with
// LOCK_SH as `mode`, shared; creating it when `create` and it is missing, never
// through a link; -1 when another open of it holds a lock in the way, it cannot
// be opened, or it was removed before it was locked.
int tryLock(const std::string& path, bool create, int mode = LOCK_EX) {
    const int fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | (create ? O_CREAT : 0),
                        privateFileMode);
    if (fd < 0) return -1;
    struct stat info;
    if (flock(fd, mode | LOCK_NB) == 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink > 0)
        return fd;
    close(fd);
    return -1;
}

std::string baseOf(const std::string& keptPath) {
    return keptPath.substr(0, keptPath.size() - std::strlen(keptSuffix));
}

// True when a running editor holds the file beside the kept picture at
// `keptPath` that ends in `suffix`: the lock `probe` (LOCK_SH or LOCK_EX)
// cannot be had on it without waiting.
bool lockedBeside(const std::string& keptPath, const char* suffix, int probe) {
    const std::string lockPath = baseOf(keptPath) + suffix;
    const int fd = open(lockPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = flock(fd, probe | LOCK_NB) != 0;
    close(fd);
    return held;
}

// True when a running editor holds the lock of the unsaved copy at `keptPath`
// (exclusive: a shared probe fails).
bool heldByAnEditor(const std::string& keptPath) { return lockedBeside(keptPath, lockSuffix, LOCK_SH); }

// A kept picture no pruning may remove: an editor's unsaved copy, or one an
// editor shows (it holds a shared lock on its ".shown" file: an exclusive probe fails).
bool spared(const std::string& keptPath) {
    return heldByAnEditor(keptPath) || lockedBeside(keptPath, shownSuffix, LOCK_EX);
}

// Removes a kept picture with the files that go with it: its lock, its hold and its history.
void removeKept(const std::string& keptPath) {
    unlink(keptPath.c_str());
    for (const char* suffix : {lockSuffix, shownSuffix, keptHistorySuffix}) unlink((baseOf(keptPath) + suffix).c_str());
}

// The files in a store folder whose names start with `prefix` and end with
// `suffix`, links left out, sorted by name.
std::vector<std::string> storeFiles(const std::string& directory, const std::string& prefix, const char* suffix) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (startsWith(name, prefix) && endsWith(name, suffix) && !entry.is_symlink(error))
            paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// The kept pictures' files in a store folder whose names start with `prefix`.
std::vector<std::string> keptFiles(const std::string& directory, const std::string& prefix) {
    return storeFiles(directory, prefix, keptSuffix);
}

// One "<key> <value>" line of the header; false when the line is not that.
bool headerLine(std::istringstream& in, const char* key, std::string& value) {
    std::string line;
    if (!std::getline(in, line) || !startsWith(line, std::string(key) + " ")) return false;
    value = line.substr(std::strlen(key) + 1);
    return true;
}

bool wholeNumber(const std::string& text, long long& value) {
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::stoll(text);
    return true;
}

// A "<name> <length>" line and the bytes after it, no more than the file holds.
bool section(std::istringstream& in, const char* name, std::size_t fileSize, std::string& bytes) {
    std::string count;
    long long length = 0;
    if (!headerLine(in, name, count) || !wholeNumber(count, length) || static_cast<std::size_t>(length) > fileSize)
        return false;
    bytes.assign(static_cast<std::size_t>(length), '\0');
    return static_cast<bool>(in.read(&bytes[0], static_cast<std::streamsize>(bytes.size())));
}

// Both texts read as tables as a load reads a slot's files: the records
// before a stop (a bad token, a record beyond the table) are kept. True when
// each was read to its end.
bool readTables(const std::string& points, const std::string& lines, PictureTables& tables) {
    tables.clear();
    const bool pointsWhole = readTableText(points, pointTable(tables), tables.pixels_Amount) == ReadResult::complete;
    const bool linesWhole = readTableText(lines, lineTable(tables), tables.lines_amount) == ReadResult::complete;
    return pointsWhole && linesWhole;
}

// A kept picture's file as it was last read: what told the file apart then
// (a file rewritten gets a new inode, as the store's files are renamed into
// place, or at least a new time), and what it gave.
struct ReadBefore {
    dev_t device;
    ino_t inode;
    off_t size;
    timespec modified;
    std::optional<KeptPicture> picture;
    std::string reason;

    bool sameFile(const struct stat& info) const {
        return device == info.st_dev && inode == info.st_ino && size == info.st_size &&
               modified.tv_sec == info.st_mtim.tv_sec && modified.tv_nsec == info.st_mtim.tv_nsec;
    }
};

// The files read so far, by path; emptied when it holds more than the stores'
// limits can explain, so that it never grows without end.
struct ReadCache {
    std::mutex lock;
    std::map<std::string, ReadBefore> files;
};
constexpr std::size_t readCacheLimit = 4 * (keptReplacedLimit + keptUnsavedLimit);

// Never destroyed: a copy may still be written at exit.
ReadCache& readCache() {
    static ReadCache* const cache = new ReadCache;
    return *cache;
}

// The kept picture at `path`, read and parsed only when it is not the file
// read before under that name; nothing, with the reason, when it cannot be.
std::optional<KeptPicture> readKeptFile(const std::string& path, std::string& reason) {
    struct stat info;
    int error = 0;
    const int fd = openRegularFile(path.c_str(), false, info, error);
    if (fd < 0) {
        reason = openRefusal(path, error);
        return std::nullopt;
    }
    ReadCache& cache = readCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    const auto before = cache.files.find(path);
    if (before == cache.files.end() || !before->second.sameFile(info)) {
        ReadBefore read{info.st_dev, info.st_ino, info.st_size, info.st_mtim, std::nullopt, ""};
        std::string bytes;
        if (readOpen(fd, info, keptPictureLimit, bytes, read.reason)) {
            read.picture = parseKeptPicture(bytes);
            if (read.picture) read.picture->path = path;
            else read.reason = "Not a whole kept picture";
        }
        if (cache.files.size() >= readCacheLimit) cache.files.clear();
        cache.files[path] = std::move(read);
    }
    close(fd);
    reason = cache.files[path].reason;
    return cache.files[path].picture;
}

// A name reserved for a kept picture still being written: the empty file
// made for it.
bool reservedName(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0;
}

// The order of a picture kept in the store among those kept in the same
// millisecond: the number after the time in its name,
// "replaced-<time>-<order>-XXXXXX.kept"; 0 for every other name, those
// written before the order was part of it included.
long long orderInMillisecond(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    const std::string::size_type timeEnd = name.find('-', std::strlen(replacedPrefix));
    const std::string::size_type orderEnd = name.find('-', timeEnd + 1);
    long long order = 0;
    if (!startsWith(name, replacedPrefix) || orderEnd == std::string::npos ||
        !wholeNumber(name.substr(timeEnd + 1, orderEnd - timeEnd - 1), order))
        return 0;
    return order;
}

bool newerFirst(const KeptPicture& a, const KeptPicture& b) {
    if (a.timeMs != b.timeMs) return a.timeMs > b.timeMs;
    return orderInMillisecond(a.path) > orderInMillisecond(b.path);
}

std::vector<KeptPicture> readKeptFiles(const std::vector<std::string>& paths, std::vector<FileFailure>& unreadable) {
    std::vector<KeptPicture> pictures;
    for (const std::string& path : paths) {
        if (reservedName(path)) continue;
        std::string reason;
        std::optional<KeptPicture> picture = readKeptFile(path, reason);
        if (picture) pictures.push_back(std::move(*picture));
        else unreadable.push_back({path, reason});
    }
    std::stable_sort(pictures.begin(), pictures.end(), newerFirst);
    return pictures;
}

// The name's start for a picture kept at `timeMs`: "replaced-<time>-<order>-",
// the order one above the highest of those kept in the store in that millisecond.
std::string replacedStem(const std::string& directory, long long timeMs) {
    char time[32];
    std::snprintf(time, sizeof time, "%s%013lld-", replacedPrefix, timeMs);
    long long order = 0;
    for (const std::string& path : keptFiles(directory, time)) order = std::max(order, orderInMillisecond(path));
    return time + std::to_string(order + 1) + "-";
}

// The kept pictures' files of a store that may be read, no running editor's among them.
std::vector<std::string> unheldKeptFiles(const KeptStore& store, const std::string& prefix) {
    if (store.directory.empty() || !isOwnFolder(store.root) || !isOwnFolder(store.directory)) return {};
    std::vector<std::string> paths = keptFiles(store.directory, prefix);
    paths.erase(std::remove_if(paths.begin(), paths.end(), heldByAnEditor), paths.end());
    return paths;
}

// A new, empty file of mode 600 and a unique name "<directory>/<stem>XXXXXX<suffix>";
// its path, or what failed.
std::optional<FileFailure> uniqueFile(const std::string& directory, const std::string& stem, const char* suffix,
                                      std::string& path, int& fd) {
    path = directory + "/" + stem + "XXXXXX" + suffix;
    fd = mkostemps(&path[0], static_cast<int>(std::strlen(suffix)), O_CLOEXEC);
    if (fd >= 0) return std::nullopt;
    return FileFailure{path, failureReason(errno)};
}

// A new lock file "unsaved-XXXXXX.lock" in the store folder, locked. Made
// again when a pruning editor took the new file for one left behind.
std::optional<FileFailure> newLock(const std::string& directory, std::string& lockPath, int& fd) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::optional<FileFailure> failed = uniqueFile(directory, "unsaved-", lockSuffix, lockPath, fd);
        if (failed) return failed;
        struct stat info;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &info) == 0 && info.st_nlink > 0) return std::nullopt;
        close(fd);
    }
    return FileFailure{lockPath, "Removed by another editor as it was made"};
}

// A time of the file, to tell older from newer.
fs::file_time_type modifiedTime(const std::string& path) {
    std::error_code error;
    return fs::last_write_time(path, error);
}

// Removes the oldest of the store's pictures whose names start with `prefix`, beyond `limit`,
// those of running editors aside, with their lock files and histories.
void pruneToLimit(const std::string& directory, const std::string& prefix, std::size_t limit) {
    std::vector<std::string> paths = keptFiles(directory, prefix);
    if (paths.size() <= limit) return;
    std::vector<std::pair<fs::file_time_type, std::string>> byAge;
    for (const std::string& path : paths) byAge.emplace_back(modifiedTime(path), path);
    std::sort(byAge.begin(), byAge.end());
    std::size_t excess = paths.size() - limit;
    for (const auto& [time, path] : byAge) {
        if (excess == 0) return;
        if (spared(path)) continue;
        removeKept(path);
        --excess;
    }
}

// Removes the lock files (or the shown pictures' holds) ending in `suffix`
// whose kept picture is gone and which no editor holds.
void removeLeftLocks(const std::string& directory, const char* suffix) {
    for (const std::string& lockPath : storeFiles(directory, "", suffix)) {
        const std::string copy = lockPath.substr(0, lockPath.size() - std::strlen(suffix)) + keptSuffix;
        struct stat info;
        if (lstat(copy.c_str(), &info) == 0) continue;
        const int fd = tryLock(lockPath, false);
        if (fd < 0) continue;
        if (lstat(copy.c_str(), &info) != 0) unlink(lockPath.c_str());  // the copy may have come meanwhile
        close(fd);
    }
}

// Removes the temporaries of writes that a crash or power loss cut short; an
// hour spares those of writes still going on in another editor.
void removeStaleTemporaries(const std::string& directory) {
    const auto limit = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const std::string& path : storeFiles(directory, ".", ""))
        if (modifiedTime(path) < limit) unlink(path.c_str());
}

// True when the picture folder named in the store's note is known to be
// missing now (not merely unreachable).
bool pictureFolderMissing(const std::string& directory) {
    std::string line, reason;
    if (!readBounded(directory + "/" + folderNote, false, keptHeaderLimit, line, reason) || line.empty()) return false;
    line.pop_back();  // the note's line end
    std::error_code error;
    return !fs::exists(unescapedLine(line), error) && !error;
}

// Removes a store of a missing picture folder once its newest kept picture
// or history is older than keptOrphanDays, unless a running editor holds one of them.
void removeOrphanedStore(const std::string& directory) {
    const auto limit = fs::file_time_type::clock::now() - std::chrono::hours(24 * keptOrphanDays);
    const std::vector<std::string> paths = keptFiles(directory, "");
    const std::vector<std::string> histories = storeFiles(directory, "", keptHistorySuffix);
    for (const std::string& path : paths)
        if (modifiedTime(path) > limit || spared(path)) return;
    for (const std::string& path : histories)
        if (modifiedTime(path) > limit) return;
    for (const std::string& path : paths) removeKept(path);
    for (const std::string& path : histories) unlink(path.c_str());
    for (const std::string& path : storeFiles(directory, "slot", slotLockSuffix)) unlink(path.c_str());
    unlink((directory + "/" + folderNote).c_str());
    rmdir(directory.c_str());  // stays when something else is in it
}

// Writes a new kept picture of the texts of two slot files to the store,
// then prunes its replaced pictures to their limit.
ReplacedSlot keepTexts(const KeptStore& store, KeptReason reason, int slot, long long timeMs,
                       const std::string& points, const std::string& lines) {
    ReplacedSlot result;
    result.failed = prepareStore(store);
    if (result.failed) return result;
    int fd;
    result.failed = uniqueFile(store.directory, replacedStem(store.directory, timeMs), keptSuffix, result.path, fd);
    if (result.failed) return result;
    close(fd);
    const std::string text = keptPictureText(reason, slot, store.folder, timeMs, points, lines);
    result.failed = asFailure(result.path, writeNewFile(result.path.c_str(), text, privateFileMode));
    if (result.failed) {
        unlink(result.path.c_str());
        return result;
    }
    result.kept = true;
    pruneToLimit(store.directory, replacedPrefix, keptReplacedLimit);
    return result;
}

// What slot nr's files hold, to be kept: as they are, or, when they hold more
// than twice the longest texts of a full picture, the records they hold.
// `any` is false when neither is a regular file that could be read.
struct SlotTexts {
    bool any = false;
    std::string points;
    std::string lines;
};
SlotTexts slotTexts(int nr) {
    const PictureFileNames names = slotFileNames(nr);
    SlotTexts texts;
    std::string pointsReason, linesReason;
    const bool points = readBounded(names.points, true, 2 * longestPointsText, texts.points, pointsReason);
    const bool lines = readBounded(names.lines, true, 2 * longestLinesText, texts.lines, linesReason);
    texts.any = points || lines;
    if (pointsReason != tooLarge && linesReason != tooLarge) return texts;
    const SlotRead read = readSlot(nr);
    const PictureFileTexts records = pictureFileTexts(read.tables, ' ');
    return {!read.neitherRead, records.points, records.lines};
}

}  // namespace

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    passwd entry;
    passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir[0] == '/')
        return found->pw_dir;
    return "";
}

std::optional<FileFailure> makeKeptStore(const KeptStore& store) { return prepareStore(store); }

KeptStore keptStoreFor(const std::string& pictureFolder) {
    KeptStore store;
    store.root = stateRoot();
    store.folder = pictureFolder;
    if (!store.root.empty()) store.directory = store.root + "/" + storeName(pictureFolder);
    return store;
}

KeptStore keptStoreForWorkingFolder() {
    std::error_code error;  // a working folder removed meanwhile has no path: its store is only named
    return keptStoreFor(fs::current_path(error).string());
}

std::string keptPictureText(KeptReason reason, int slot, const std::string& folder, long long timeMs,
                            const std::string& points, const std::string& lines) {
    std::ostringstream text;
    text << magicLine << "\nreason " << keptReasonWord(reason) << "\nslot " << slot
         << "\nfolder " << escapedLine(folder) << "\ntime " << timeMs << "\npixels " << points.size() << "\n"
         << points << "lines " << lines.size() << "\n"
         << lines;
    return text.str();
}

std::optional<KeptPicture> parseKeptPicture(const std::string& text) {
    std::istringstream in(text);
    std::string line, reason, slot, folder, time, points, lines;
    long long slotNumber = 0;
    KeptPicture picture;
    std::optional<KeptReason> why;
    const bool header = std::getline(in, line) && line == magicLine && headerLine(in, "reason", reason) &&
                        (why = keptReasonNamed(reason)) && headerLine(in, "slot", slot) &&
                        wholeNumber(slot, slotNumber) && slotNumber >= 1 && slotNumber <= 7 &&
                        headerLine(in, "folder", folder) && headerLine(in, "time", time) &&
                        wholeNumber(time, picture.timeMs);
    if (!header || !section(in, "pixels", text.size(), points) || !section(in, "lines", text.size(), lines) ||
        in.peek() != EOF)
        return std::nullopt;
    readTables(points, lines, picture.tables);  // a slot kept as it was reads as a load would read it
    picture.reason = *why;
    picture.slot = static_cast<int>(slotNumber);
    picture.folder = unescapedLine(folder);
    return picture;
}

std::vector<KeptPicture> listKeptPictures(const KeptStore& store, std::vector<FileFailure>& unreadable) {
    return readKeptFiles(unheldKeptFiles(store, ""), unreadable);
}

ReplacedSlot keepReplacedSlot(const KeptStore& store, int nr, const PictureTables& next, long long timeMs) {
    const SlotTexts old = slotTexts(nr);
    if (!old.any) return {};
    PictureTables tables;
    // A slot read whole that holds the same picture, or none, has nothing to lose.
    if (readTables(old.points, old.lines, tables) && (tables == next || tables.empty())) return {};
    return keepTexts(store, KeptReason::replaced, nr, timeMs, old.points, old.lines);
}

std::optional<KeptPicture> UnsavedCopy::claimLeft(const KeptStore& store, std::vector<FileFailure>& unreadable) {
    for (KeptPicture& picture : readKeptFiles(unheldKeptFiles(store, "unsaved-"), unreadable)) {
        const std::string claimed = baseOf(picture.path);
        const int fd = tryLock(claimed + lockSuffix, true);
        if (fd < 0) continue;  // another editor has just claimed it
        struct stat info;
        if (lstat(picture.path.c_str(), &info) != 0) {  // and has just removed it again
            unlink((claimed + lockSuffix).c_str());
            close(fd);
            continue;
        }
        release();
        base = claimed;
        lockFd = fd;
        return std::move(picture);
    }
    return std::nullopt;
}

std::optional<FileFailure> UnsavedCopy::write(const KeptStore& store, const PictureTables& tables, int slot,
                                              long long timeMs) {
    if (base.empty()) {
        if (std::optional<FileFailure> failed = prepareStore(store)) return failed;
        std::string lockPath;
        int fd;
        if (std::optional<FileFailure> failed = newLock(store.directory, lockPath, fd)) return failed;
        base = lockPath.substr(0, lockPath.size() - std::strlen(lockSuffix));
        lockFd = fd;
        pruneToLimit(store.directory, "unsaved-", keptUnsavedLimit);
    }
    const PictureFileTexts texts = pictureFileTexts(tables, ' ');
    const std::string path = base + keptSuffix;
    const std::string text =
        keptPictureText(KeptReason::unsaved, slot, store.folder, timeMs, texts.points, texts.lines);
    return asFailure(path, writeNewFile(path.c_str(), text, privateFileMode));
}

void UnsavedCopy::remove() {
    if (base.empty()) return;
    removeKept(base + keptSuffix);
    release();
}

std::string UnsavedCopy::path() const { return base.empty() ? "" : base + keptSuffix; }

void UnsavedCopy::release() {
    if (lockFd >= 0) close(lockFd);
    lockFd = -1;
    base.clear();
}

void ShownHold::hold(const std::string& keptPath) {
    release();
    // A pruning editor may remove it meanwhile: then the picture is gone too, and no hold is had.
    fd = tryLock(baseOf(keptPath) + shownSuffix, true, LOCK_SH);
}

void ShownHold::release() {
    if (fd >= 0) close(fd);
    fd = -1;
}

void pruneKeptStores(const std::string& root) {
    if (root.empty() || !isOwnFolder(root)) return;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root, error)) {
        const std::string directory = entry.path().string();
        if (!isOwnFolder(directory)) continue;
        for (const char* suffix : {lockSuffix, shownSuffix}) removeLeftLocks(directory, suffix);
        removeStaleTemporaries(directory);
        pruneToLimit(directory, replacedPrefix, keptReplacedLimit);
        pruneToLimit(directory, "unsaved-", keptUnsavedLimit);
        if (pictureFolderMissing(directory)) removeOrphanedStore(directory);
    }
}

namespace {

// The words of the reasons, in the order of KeptReason.
const char* const reasonWords[] = {"unsaved", "replaced", "load", "clear", "kept"};

}  // namespace

const char* keptReasonWord(KeptReason reason) { return reasonWords[static_cast<int>(reason)]; }

std::optional<KeptReason> keptReasonNamed(const std::string& word) {
    const auto end = std::end(reasonWords);
    const auto found = std::find(std::begin(reasonWords), end, word);
    if (found == end) return std::nullopt;
    return static_cast<KeptReason>(found - std::begin(reasonWords));
}

ReplacedSlot keepPicture(const KeptStore& store, KeptReason reason, int slot, const PictureTables& tables,
                         long long timeMs) {
    const PictureFileTexts texts = pictureFileTexts(tables, ' ');
    return keepTexts(store, reason, slot, timeMs, texts.points, texts.lines);
}

std::optional<FileFailure> keepSlotBeside(int nr) {
    const PictureFileNames names = slotFileNames(nr);
    const SlotTexts old = slotTexts(nr);
    const std::string pointsBeside = std::string(names.points) + besideSuffix;
    const std::string linesBeside = std::string(names.lines) + besideSuffix;
    const PairOutcome outcome = replaceFilePair(pointsBeside.c_str(), old.points, linesBeside.c_str(), old.lines);
    if (!outcome.failed) return std::nullopt;
    return FileFailure{outcome.failed, failureReason(outcome.error)};
}

const char* const largerThanLimit = tooLarge;

bool readLimitedFile(const std::string& path, bool follow, std::size_t limit, std::string& bytes,
                     std::string& reason) {
    return readBounded(path, follow, limit, bytes, reason);
}
