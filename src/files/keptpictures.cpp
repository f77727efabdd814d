// keptpictures.cpp - the kept pictures' files, their locks and their pruning.
#include "keptpictures.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "filereplace.h"
#include "slots.h"

namespace fs = std::filesystem;

namespace {

const char* const magicLine = "tessary kept picture";
const char* const keptSuffix = ".kept";
const char* const lockSuffix = ".lock";
const char* const folderNote = "folder";
constexpr mode_t privateMode = 0700;

std::string stateRoot() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/tessary";
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {  // unset: the user's home as the system knows it
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    if (home && home[0] == '/') return std::string(home) + "/.local/state/tessary";
    return "";
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

// Makes `path` and its missing parents with mode 700, as the state folder's
// convention asks.
bool makeDirectories(const std::string& path) {
    std::string::size_type at = 1;
    while (at != std::string::npos) {
        at = path.find('/', at + 1);
        const std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), privateMode) != 0 && errno != EEXIST) return false;
    }
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The store folder with its note of the picture folder; the failing path or "".
std::string prepareStore(const KeptStore& store) {
    if (store.root.empty()) return "$XDG_STATE_HOME";
    if (!makeDirectories(store.directory)) return store.directory;
    const std::string note = store.directory + "/" + folderNote;
    if (access(note.c_str(), F_OK) == 0) return "";
    return replaceFile(note.c_str(), store.folder + "\n") ? "" : note;
}

// The bytes of a regular file; false for anything else or a failed read.
bool readWhole(const std::string& path, std::string& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    bytes.clear();
    char buffer[65536];
    for (ssize_t got = 1; ok && got > 0;) {
        got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got > 0) bytes.append(buffer, static_cast<std::size_t>(got));
        ok = got >= 0;
    }
    close(fd);
    return ok;
}

// Opens and locks `path` (created if missing) without waiting; -1 when another
// open of it holds the lock or it cannot be opened.
int tryLock(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    close(fd);
    return -1;
}

std::string baseOf(const std::string& keptPath) {
    return keptPath.substr(0, keptPath.size() - std::strlen(keptSuffix));
}

// True when a running editor holds the lock of the unsaved copy at `keptPath`.
bool heldByAnEditor(const std::string& keptPath) {
    const std::string lockPath = baseOf(keptPath) + lockSuffix;
    if (access(lockPath.c_str(), F_OK) != 0) return false;
    const int fd = open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0;
    close(fd);
    return held;
}

// The kept pictures' files in a store folder whose names start with `prefix`, sorted by name.
std::vector<std::string> keptFiles(const std::string& directory, const std::string& prefix) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (startsWith(name, prefix) && endsWith(name, keptSuffix)) paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
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

// Both texts read as tables, each to its end.
bool readTables(const std::string& points, const std::string& lines, PictureTables& tables) {
    tables.clear();
    return readTableText(points, pointTable(tables), tables.pixels_Amount) == ReadResult::complete &&
           readTableText(lines, lineTable(tables), tables.lines_amount) == ReadResult::complete;
}

std::vector<KeptPicture> readKeptFiles(const std::vector<std::string>& paths, std::vector<std::string>& unreadable) {
    std::vector<KeptPicture> pictures;
    for (const std::string& path : paths) {
        std::optional<KeptPicture> picture = readKeptPicture(path);
        if (picture) pictures.push_back(std::move(*picture));
        else unreadable.push_back(path);
    }
    std::stable_sort(pictures.begin(), pictures.end(),
                     [](const KeptPicture& a, const KeptPicture& b) { return a.timeMs > b.timeMs; });
    return pictures;
}

// A new, empty file of a unique name "<directory>/<stem>XXXXXX<suffix>"; its
// path, or an empty string when it cannot be made.
std::string uniqueFile(const std::string& directory, const std::string& stem, const char* suffix, int& fd) {
    std::string path = directory + "/" + stem + "XXXXXX" + suffix;
    fd = mkostemps(&path[0], static_cast<int>(std::strlen(suffix)), O_CLOEXEC);
    return fd < 0 ? "" : path;
}

// Leaves the newest keptReplacedLimit replaced slots; their names sort by time.
void pruneReplaced(const std::string& directory) {
    const std::vector<std::string> paths = keptFiles(directory, "replaced-");
    const std::size_t excess = paths.size() > keptReplacedLimit ? paths.size() - keptReplacedLimit : 0;
    for (std::size_t i = 0; i < excess; ++i) unlink(paths[i].c_str());
}

}  // namespace

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
         << "\nfolder " << folder << "\ntime " << timeMs << "\npixels " << points.size() << "\n"
         << points << "lines " << lines.size() << "\n"
         << lines;
    return text.str();
}

std::optional<KeptPicture> readKeptPicture(const std::string& path) {
    std::string bytes;
    if (!readWhole(path, bytes)) return std::nullopt;
    std::istringstream in(bytes);
    std::string line, reason, slot, folder, time, points, lines;
    long long slotNumber = 0;
    KeptPicture picture;
    std::optional<KeptReason> why;
    const bool header = std::getline(in, line) && line == magicLine && headerLine(in, "reason", reason) &&
                        (why = keptReasonNamed(reason)) && headerLine(in, "slot", slot) &&
                        wholeNumber(slot, slotNumber) && slotNumber >= 1 && slotNumber <= 7 &&
                        headerLine(in, "folder", folder) && headerLine(in, "time", time) &&
                        wholeNumber(time, picture.timeMs);
    if (!header || !section(in, "pixels", bytes.size(), points) || !section(in, "lines", bytes.size(), lines) ||
        in.peek() != EOF ||
        !readTables(points, lines, picture.tables))
        return std::nullopt;
    picture.path = path;
    picture.reason = *why;
    picture.slot = static_cast<int>(slotNumber);
    return picture;
}

std::vector<KeptPicture> listKeptPictures(const KeptStore& store, std::vector<std::string>& unreadable) {
    std::vector<std::string> paths = keptFiles(store.directory, "");
    paths.erase(std::remove_if(paths.begin(), paths.end(), heldByAnEditor), paths.end());
    return readKeptFiles(paths, unreadable);
}

// Keeps a picture held as the texts of its slot files as a new
// "replaced-<time>-XXXXXX.kept", then prunes the store to the newest
// keptReplacedLimit of those.
static ReplacedSlot keepTexts(const KeptStore& store, KeptReason reason, int slot, long long timeMs,
                              const std::string& points, const std::string& lines) {
    ReplacedSlot result;
    result.failed = prepareStore(store);
    if (!result.failed.empty()) return result;
    char stem[40];
    std::snprintf(stem, sizeof stem, "replaced-%013lld-", timeMs);
    int fd;
    result.path = uniqueFile(store.directory, stem, keptSuffix, fd);
    if (result.path.empty()) {
        result.failed = store.directory;
        return result;
    }
    close(fd);
    const std::string text = keptPictureText(reason, slot, store.folder, timeMs, points, lines);
    if (!replaceFile(result.path.c_str(), text)) {
        unlink(result.path.c_str());
        result.failed = result.path;
        return result;
    }
    result.kept = true;
    pruneReplaced(store.directory);
    return result;
}

ReplacedSlot keepReplacedSlot(const KeptStore& store, int nr, const PictureTables& next, long long timeMs) {
    ReplacedSlot result;
    const PictureFileNames names = slotFileNames(nr);
    std::string points, lines;
    const bool hasPoints = readWhole(names.points, points);
    const bool hasLines = readWhole(names.lines, lines);
    if (!hasPoints && !hasLines) return result;
    PictureTables old;
    // A slot read whole that holds the same picture, or none, has nothing to lose.
    if (readTables(points, lines, old) && (old == next || old.empty())) return result;
    return keepTexts(store, KeptReason::replaced, nr, timeMs, points, lines);
}

std::optional<KeptPicture> UnsavedCopy::claimLeft(const KeptStore& store, std::vector<std::string>& unreadable) {
    std::vector<std::string> paths = keptFiles(store.directory, "unsaved-");
    paths.erase(std::remove_if(paths.begin(), paths.end(), heldByAnEditor), paths.end());
    for (KeptPicture& picture : readKeptFiles(paths, unreadable)) {
        const std::string claimed = baseOf(picture.path);
        const int fd = tryLock(claimed + lockSuffix);
        if (fd < 0) continue;  // another editor has just claimed it
        if (access(picture.path.c_str(), F_OK) != 0) {  // and has just removed it again
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

std::string UnsavedCopy::write(const KeptStore& store, const PictureTables& tables, int slot, long long timeMs) {
    if (base.empty()) {
        const std::string failed = prepareStore(store);
        if (!failed.empty()) return failed;
        int fd;
        const std::string lockPath = uniqueFile(store.directory, "unsaved-", lockSuffix, fd);
        if (lockPath.empty()) return store.directory;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            unlink(lockPath.c_str());
            close(fd);
            return lockPath;
        }
        base = lockPath.substr(0, lockPath.size() - std::strlen(lockSuffix));
        lockFd = fd;
    }
    const PictureFileTexts texts = pictureFileTexts(tables, ' ');
    const std::string path = base + keptSuffix;
    const std::string text = keptPictureText(KeptReason::unsaved, slot, store.folder, timeMs, texts.points, texts.lines);
    return replaceFile(path.c_str(), text) ? "" : path;
}

void UnsavedCopy::remove() {
    if (base.empty()) return;
    unlink((base + keptSuffix).c_str());
    unlink((base + lockSuffix).c_str());
    release();
}

void UnsavedCopy::release() {
    if (lockFd >= 0) close(lockFd);
    lockFd = -1;
    base.clear();
}

void pruneOrphanedStores(const std::string& root) {
    std::error_code error;
    const auto limit = fs::file_time_type::clock::now() - std::chrono::hours(24 * keptOrphanDays);
    for (const auto& store : fs::directory_iterator(root, error)) {
        std::string folder;
        if (!readWhole(store.path().string() + "/" + folderNote, folder) || folder.empty()) continue;
        folder.pop_back();  // the note's line end
        if (fs::exists(folder, error) || error) continue;
        for (const std::string& path : keptFiles(store.path().string(), "")) {
            if (heldByAnEditor(path) || fs::last_write_time(path, error) > limit || error) continue;
            unlink(path.c_str());
            unlink((baseOf(path) + lockSuffix).c_str());
        }
        if (keptFiles(store.path().string(), "").empty()) fs::remove_all(store.path(), error);
    }
}

namespace {

// The words of the reasons, in the order of KeptReason.
const char* const reasonWords[] = {"unsaved", "replaced", "load", "clear", "kept"};

// A slot file's bytes, none for a missing one; false when it is there but
// cannot be read whole.
bool slotFileBytes(const char* path, std::string& bytes) {
    return readWhole(path, bytes) || access(path, F_OK) != 0;
}

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

FileFailure keepSlotBeside(int nr) {
    const PictureFileNames names = slotFileNames(nr);
    std::string points, lines;
    if (!slotFileBytes(names.points, points)) return {names.points, "cannot be read whole"};
    if (!slotFileBytes(names.lines, lines)) return {names.lines, "cannot be read whole"};
    const std::string pointsBeside = std::string(names.points) + besideSuffix;
    const std::string linesBeside = std::string(names.lines) + besideSuffix;
    const PairOutcome outcome = replaceFilePair(pointsBeside.c_str(), points, linesBeside.c_str(), lines);
    if (!outcome.failed) return {};
    return {outcome.failed, std::strerror(outcome.error)};
}
