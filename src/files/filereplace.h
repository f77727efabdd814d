// filereplace.h - replacing whole files so that a failure never leaves a torn one.
//
// Knows nothing of what the bytes mean; the slot and export writers build their
// content in memory and hand it over:
//
//     if (const FileWrite written = replaceFile("epixels1.txt", text); !written)
//         report the failure and written.reason();
//
// A file is replaced through a uniquely named temporary in the directory of the
// file it replaces, which is renamed over it once its bytes are on disk. A name
// that is a symbolic link has the file it points to replaced, and the link
// stays. When no temporary can be made there (a directory the user may not
// write, a quota) but the file itself is writable, it is rewritten in place
// instead, and put back as it was if that fails. Devices are written in place;
// a FIFO or a socket is refused, so that no write waits for a reader. A new
// file gets the permission bits the process's umask gives, which is never
// changed here. No other name is ever created, overwritten or removed, but
// for the temporaries a killed write left, which removeLeftTemporaries takes.
#ifndef TESSARY_FILEREPLACE_H
#define TESSARY_FILEREPLACE_H

#include <sys/stat.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

// The error value of a file refused because it is no regular file (a FIFO, a
// device, a socket), beside the system's errno values, which are all smaller.
constexpr int notRegularFile = 4096;

// The reason for an errno value, or for notRegularFile, as the user reads it.
inline const char* failureReason(int error) {
    return error == notRegularFile ? "Not a regular file" : std::strerror(error);
}

// The outcome of a write: true when the file holds the new bytes; otherwise
// `error` is the errno value of the step that failed, taken at once, so that
// the reason travels with the failure.
struct FileWrite {
    int error = 0;
    explicit operator bool() const { return error == 0; }
    const char* reason() const { return failureReason(error); }
};

// A file that could not be written, and why, as the system words it.
struct FileFailure {
    std::string path;
    std::string reason;
};

// Opens `path` for reading, without waiting (a FIFO would wait for a writer),
// when it is a regular file; with `follow` false a symbolic link is refused
// too (ELOOP). Its descriptor, with `info` filled, or -1 with `error`: the
// system's, EISDIR for a directory, notRegularFile for a FIFO, device or socket.
int openRegularFile(const char* path, bool follow, struct stat& info, int& error);

// Removes the temporaries that writes of `path` (replaceFile, writeNewFile)
// left when the process was killed during one: the regular files of this
// user beside the file that `path` names (links followed), named as those
// writes name them, "." name "." and six letters or digits, and not changed
// for `olderThanSeconds`, so that a write still going on keeps its own. Call
// it where no other writer of `path` runs meanwhile (under a lock).
void removeLeftTemporaries(const char* path, std::time_t olderThanSeconds);

// Adds `path` with the reason of `written` to `failed` when the write failed.
void noteFailure(std::vector<FileFailure>& failed, const std::string& path, FileWrite written);

// Replaces the file at `path` by `bytes`: atomically through a uniquely named
// temporary in the target's directory (following a symbolic link to the file it
// names, keeping permission bits and, where allowed, owner and group; fsync of
// file and directory), or in place (truncate + write + fsync) when no temporary
// can be made there but the file itself is writable. A FIFO or socket is
// refused with notRegularFile. Nothing else is created,
// overwritten or removed; no temporary is left behind. False on any failure,
// with its errno value.
FileWrite replaceFile(const char* path, const std::string& bytes);

// Writes `bytes` as the file at `path` through a new temporary of exactly
// `mode` beside it, renamed over whatever the name holds: a link or any other
// file there is replaced, never followed or written through. For the program's
// own files (the kept pictures' store), not the user's.
FileWrite writeNewFile(const char* path, const std::string& bytes, mode_t mode);

// What a file holds after a replacement was tried.
enum class FileState {
    old,       // what it held before (or it is still absent)
    replaced,  // the new bytes
    damaged,   // neither: a rewrite in place failed and could not be undone
};

// The outcome for a pair of files that must change together.
struct PairOutcome {
    const char* failed = nullptr;  // the path that could not be replaced; nullptr when both were
    int error = 0;                 // the errno value of the step that failed
    FileState first = FileState::old;
    FileState second = FileState::old;
};

// Replaces `firstPath` by `firstBytes` and `secondPath` by `secondBytes`, so that
// either both hold their new bytes or, as far as the file system lets it, both
// hold their old ones: when the second cannot be replaced after the first was,
// the first gets its old content back, or is removed again if it did not exist.
// The outcome says which file failed and what each one holds now.
PairOutcome replaceFilePair(const char* firstPath, const std::string& firstBytes, const char* secondPath,
                            const std::string& secondBytes);

#endif
