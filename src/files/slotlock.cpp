// slotlock.cpp - the lock of a slot's save, and the temporaries of killed saves.
#include "slotlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "filereplace.h"
#include "slots.h"

namespace {

// Between two tries for a lock another editor holds.
constexpr std::chrono::milliseconds retryInterval(10);

// The lock file `fd` has locked is still the one at `path`: not removed (and
// perhaps made again) while this editor waited for it.
bool stillAt(int fd, const std::string& path) {
    struct stat held, named;
    return fstat(fd, &held) == 0 && held.st_nlink > 0 && lstat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

SlotSaveLock::SlotSaveLock(const KeptStore& store, int nr, int waitMs) {
    if (makeKeptStore(store)) return;  // the save goes on as it would without a store
    const std::string path = store.directory + "/slot" + std::to_string(nr) + slotLockSuffix;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (fd < 0) fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) return;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (stillAt(fd, path)) {
                result = Outcome::held;
                return;
            }
            close(fd);  // made again at once
            fd = -1;
            continue;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {  // a file system without locks
            close(fd);
            fd = -1;
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            close(fd);
            fd = -1;
            result = Outcome::busy;
            return;
        }
        std::this_thread::sleep_for(retryInterval);
    }
}

SlotSaveLock::~SlotSaveLock() {
    if (fd >= 0) close(fd);
}

void removeLeftSaveTemporaries(int nr) {
    const PictureFileNames names = slotFileNames(nr);
    for (const char* name : {names.points, names.lines}) {
        removeLeftTemporaries(name, leftTemporaryAgeSeconds);
        removeLeftTemporaries((std::string(name) + besideSuffix).c_str(), leftTemporaryAgeSeconds);
    }
}
