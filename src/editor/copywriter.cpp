// copywriter.cpp - the copy's writer thread, what it was asked for and what it wrote.
#include "copywriter.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <cstdlib>
#include <thread>

#include "endsignals.h"
#include "gfx.h"
#include "historystore.h"

namespace {

using Clock = std::chrono::steady_clock;
// The copy is written at most this often while changes go on.
constexpr std::chrono::milliseconds copyInterval(1000);

// A saved slot's history, to be written.
struct SlotHistory {
    KeptStore store;  // of the folder the slot was saved in
    int nr;
    PictureTables tables;
    History history;
};

struct Writer {
    // The state below, changed briefly by the loop and the thread.
    std::mutex stateLock;
    std::condition_variable changed;
    std::optional<CopyContent> wanted;    // what the loop asked for last
    std::optional<CopyContent> onDisk;    // what the copy holds
    std::optional<CopyContent> failedOn;  // not tried again until the loop asks for something else
    std::deque<SlotHistory> slotHistories;  // asked for and not yet taken to be written
    Clock::time_point lastWrite;
    std::string failure;         // the copy's last failure, until taken
    std::string historyFailure;  // a slot history's, until taken
    std::thread thread;          // joinable from its start until stopThread
    bool stopping = false;       // the thread is to end, whatever is due

    // Held by whoever writes the files, for the whole write.
    std::mutex ioLock;
    KeptStore store = keptStoreForWorkingFolder();
    UnsavedCopy copy;
};

// Never destroyed: exit hooks use it after main has returned.
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
    std::optional<FileFailure> failed = w.copy.write(w.store, content->tables, content->slot, nowMs());
    if (!failed && content->history) failed = writeCopyHistory(w.copy.path(), content->tables, *content->history);
    return failed ? failed->path + ": " + failed->reason : "";
}

// Keeps a failure (of the copy, or of a slot history) for the loop to
// report, and wakes it. Needs stateLock.
void noteFailure(std::string& kept, const std::string& failed) {
    if (failed.empty()) return;
    kept = failed;
    wakeEventWait();  // the loop reports it, even while it waits for input
}

// Writes the slot histories asked for, each taken from the queue only now, so
// that whoever holds ioLock writes every one still asked for; a failure is
// noted for the loop before ioLock is let go. "<path>: <reason>" of the first
// failure, or "". Needs ioLock, not stateLock.
std::string writeSlotHistories(Writer& w) {
    std::string firstFailure;
    for (;;) {
        std::optional<SlotHistory> next;
        {
            std::lock_guard<std::mutex> state(w.stateLock);
            if (w.slotHistories.empty()) return firstFailure;
            next = std::move(w.slotHistories.front());
            w.slotHistories.pop_front();
        }
        const WriteInProgress writing;
        const std::optional<FileFailure> failed = writeSlotHistory(next->store, next->nr, next->tables, next->history);
        if (!failed) continue;
        const std::string text = failed->path + ": " + failed->reason;
        if (firstFailure.empty()) firstFailure = text;
        std::lock_guard<std::mutex> state(w.stateLock);
        noteFailure(w.historyFailure, text);
    }
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
    noteFailure(w.failure, failed);
}

bool due(const Writer& w) { return w.wanted != w.onDisk && !(w.failedOn && w.wanted == w.failedOn); }

void writeWhenDue() {
    Writer& w = writer();
    std::unique_lock<std::mutex> state(w.stateLock);
    for (;;) {
        w.changed.wait(state, [&] { return w.stopping || due(w) || !w.slotHistories.empty(); });
        if (w.stopping) return;
        if (!w.slotHistories.empty()) {
            state.unlock();
            {
                std::lock_guard<std::mutex> io(w.ioLock);
                writeSlotHistories(w);
            }
            state.lock();
            continue;
        }
        if (w.wanted && Clock::now() < w.lastWrite + copyInterval) {
            w.changed.wait_until(state, w.lastWrite + copyInterval);
            continue;  // what is wanted may have changed meanwhile
        }
        const std::optional<CopyContent> content = w.wanted;
        state.unlock();
        std::string failed;
        {
            std::lock_guard<std::mutex> io(w.ioLock);
            failed = perform(w, content);
        }
        state.lock();
        settle(w, content, failed);
    }
}

// Ends the thread once the write it is doing is whole; nothing is written
// on it afterwards. Not on the thread itself, nor holding a lock.
void stopThread(Writer& w) {
    std::thread ending;
    {
        std::lock_guard<std::mutex> state(w.stateLock);
        w.stopping = true;
        w.changed.notify_one();
        ending.swap(w.thread);
    }
    if (ending.get_id() == std::this_thread::get_id()) ending.detach();  // an exit from the thread itself
    else if (ending.joinable()) ending.join();
    std::lock_guard<std::mutex> state(w.stateLock);
    w.stopping = false;
}

// The last exit hook of those that may write, so that no write goes on while
// the program ends (and whatever removes files at exit runs after it).
void stopAtExit() { stopCopyWriter(); }

// Wakes the thread, starting it when it does not run. Needs stateLock.
void wakeWriter(Writer& w) {
    if (!w.thread.joinable() && !w.stopping) {
        static const bool stopsAtExit = std::atexit(stopAtExit) == 0;
        (void)stopsAtExit;
        w.thread = std::thread(writeWhenDue);
    }
    w.changed.notify_one();
}

// A failure kept for the loop (one of Writer's), taken: empty until another comes.
std::string takeFailure(std::string Writer::*kept) {
    Writer& w = writer();
    std::lock_guard<std::mutex> state(w.stateLock);
    std::string failed;
    failed.swap(w.*kept);
    return failed;
}

}  // namespace

std::optional<KeptPicture> claimLeftCopy(std::vector<FileFailure>& unreadable) {
    Writer& w = writer();
    std::lock_guard<std::mutex> io(w.ioLock);
    std::optional<KeptPicture> left = w.copy.claimLeft(w.store, unreadable);
    std::lock_guard<std::mutex> state(w.stateLock);
    // Its history file, as it is, belongs to it.
    if (left) w.onDisk = w.wanted = CopyContent{left->tables, left->slot, std::nullopt};
    return left;
}

void wantCopy(const std::optional<CopyContent>& content) {
    Writer& w = writer();
    std::lock_guard<std::mutex> state(w.stateLock);
    if (w.wanted == content) return;
    w.wanted = content;
    wakeWriter(w);
}

void keepSlotHistory(int nr, const PictureTables& tables, const History& history) {
    Writer& w = writer();
    SlotHistory asked{keptStoreForWorkingFolder(), nr, tables, history};
    std::lock_guard<std::mutex> state(w.stateLock);
    for (SlotHistory& before : w.slotHistories) {
        if (before.nr != nr || before.store.directory != asked.store.directory) continue;
        before = std::move(asked);  // the thread is awake for it already
        return;
    }
    w.slotHistories.push_back(std::move(asked));
    wakeWriter(w);
}

void finishSlotHistories() {
    Writer& w = writer();
    std::lock_guard<std::mutex> io(w.ioLock);
    writeSlotHistories(w);
}

std::string stopCopyWriter() {
    Writer& w = writer();
    stopThread(w);
    std::lock_guard<std::mutex> io(w.ioLock);
    return writeSlotHistories(w);
}

std::string finishCopy(const std::optional<CopyContent>& content) {
    Writer& w = writer();
    const std::string historyFailed = stopCopyWriter();
    std::lock_guard<std::mutex> io(w.ioLock);
    std::lock_guard<std::mutex> state(w.stateLock);
    if (content == w.onDisk) return historyFailed;
    const std::string failed = perform(w, content);
    settle(w, content, failed);
    return failed.empty() ? historyFailed : failed;
}

std::string takeCopyFailure() { return takeFailure(&Writer::failure); }

std::string takeSlotHistoryFailure() { return takeFailure(&Writer::historyFailure); }
