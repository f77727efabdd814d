// copywriter.cpp - the copy's writer thread, what it was asked for and what it wrote.
#include "copywriter.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "endsignals.h"
#include "gfx.h"

namespace {

using Clock = std::chrono::steady_clock;
// The copy is written at most this often while changes go on.
constexpr std::chrono::milliseconds copyInterval(1000);

struct Writer {
    // The state below, changed briefly by the loop and the thread.
    std::mutex stateLock;
    std::condition_variable changed;
    std::optional<CopyContent> wanted;    // what the loop asked for last
    std::optional<CopyContent> onDisk;    // what the copy holds
    std::optional<CopyContent> failedOn;  // not tried again until the loop asks for something else
    Clock::time_point lastWrite;
    std::string failure;  // the last failure, until taken
    bool running = false;
    std::atomic<bool> finished{false};

    // Held by whoever writes the files, for the whole write.
    std::mutex ioLock;
    KeptStore store = keptStoreForWorkingFolder();
    UnsavedCopy copy;
};

// Never destroyed: the detached thread may still wait on it while the program exits.
Writer& writer() {
    static Writer* const state = new Writer;
    return *state;
}

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Writes or removes the copy, whole even when an ending signal comes;
// "<path>: <reason>" of a failure, or "". Needs ioLock.
std::string perform(Writer& w, const std::optional<CopyContent>& content) {
    const WriteInProgress writing;
    if (!content) {
        w.copy.remove();
        return "";
    }
    const std::optional<FileFailure> failed = w.copy.write(w.store, content->tables, content->slot, nowMs());
    return failed ? failed->path + ": " + failed->reason : "";
}

// Notes what a write or removal left. Needs stateLock.
void settle(Writer& w, const std::optional<CopyContent>& content, const std::string& failed) {
    if (content) w.lastWrite = Clock::now();
    if (failed.empty()) {
        w.onDisk = content;
        w.failedOn.reset();
        return;
    }
    w.failedOn = content;
    w.failure = failed;
}

bool due(const Writer& w) { return w.wanted != w.onDisk && !(w.failedOn && w.wanted == w.failedOn); }

void writeWhenDue() {
    Writer& w = writer();
    std::unique_lock<std::mutex> state(w.stateLock);
    for (;;) {
        w.changed.wait(state, [&] { return w.finished || due(w); });
        if (w.finished) return;
        if (w.wanted && Clock::now() < w.lastWrite + copyInterval) {
            w.changed.wait_until(state, w.lastWrite + copyInterval);
            continue;  // what is wanted may have changed meanwhile
        }
        const std::optional<CopyContent> content = w.wanted;
        state.unlock();
        std::string failed;
        {
            std::lock_guard<std::mutex> io(w.ioLock);
            if (w.finished) return;  // finishCopy has written the last state
            failed = perform(w, content);
        }
        state.lock();
        settle(w, content, failed);
        if (!failed.empty()) wakeEventWait();  // the loop reports it, even while it waits for input
    }
}

}  // namespace

std::optional<KeptPicture> claimLeftCopy(std::vector<FileFailure>& unreadable) {
    Writer& w = writer();
    std::lock_guard<std::mutex> io(w.ioLock);
    std::optional<KeptPicture> left = w.copy.claimLeft(w.store, unreadable);
    std::lock_guard<std::mutex> state(w.stateLock);
    if (left) w.onDisk = w.wanted = CopyContent{left->tables, left->slot};
    return left;
}

void wantCopy(const std::optional<CopyContent>& content) {
    Writer& w = writer();
    std::lock_guard<std::mutex> state(w.stateLock);
    if (w.wanted == content) return;
    w.wanted = content;
    if (!w.running) std::thread(writeWhenDue).detach();
    w.running = true;
    w.changed.notify_one();
}

std::string finishCopy(const std::optional<CopyContent>& content) {
    Writer& w = writer();
    std::lock_guard<std::mutex> io(w.ioLock);
    std::lock_guard<std::mutex> state(w.stateLock);
    w.finished = true;
    w.changed.notify_one();
    if (content == w.onDisk) return "";
    const std::string failed = perform(w, content);
    settle(w, content, failed);
    return failed;
}

std::string takeCopyFailure() {
    Writer& w = writer();
    std::lock_guard<std::mutex> state(w.stateLock);
    std::string failed;
    failed.swap(w.failure);
    return failed;
}
