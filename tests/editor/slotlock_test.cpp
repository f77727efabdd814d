// One save of a slot at a time: two editors (processes of their own, each
// fsync slowed) saving slot 1 at once leave every picture reachable, in the
// slot or kept; a save that finds the slot's lock held too long refuses and
// keeps its picture; the next save removes what killed saves left, and
// nothing else.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <set>

#include "file_fixture.h"
#include "filereplace.h"
#include "keptpictures.h"
#include "slotcommands.h"
#include "slotlock.h"
#include "slots.h"

extern char** environ;

namespace {

using SlotLock = FileTest;

PictureTables withPoint(int x) {
    PictureTables tables;
    tables.createPixel(x, 0);
    return tables;
}

// Starts slot_saver for a point at (x, 0), waiting for its start on `start`.
pid_t startSaver(int x, int start) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, start, 0);
    std::string xText = std::to_string(x);
    char* arguments[] = {const_cast<char*>(SLOT_SAVER), xText.data(), nullptr};
    pid_t child = -1;
    const int failed = posix_spawn(&child, SLOT_SAVER, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? child : -1;
}

int exitStatus(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST_F(SlotLock, TwoEditorsSavingAtOnceLeaveEveryPictureReachable) {
    writeFile("pixels1.txt", "1 0 \n");
    writeFile("lines1.txt", "\n");
    int start[2];
    ASSERT_EQ(pipe2(start, O_CLOEXEC), 0);
    const pid_t first = startSaver(2, start[0]), second = startSaver(3, start[0]);
    close(start[0]);
    ASSERT_EQ(write(start[1], "go", 2), 2);  // one byte each, at once
    close(start[1]);
    EXPECT_EQ(exitStatus(first), 0);
    EXPECT_EQ(exitStatus(second), 0);
    // The old picture and both new ones, each once: one in the slot, two kept.
    std::map<int, int> found;
    ++found[readSlot(1).tables.pixel[0][0]];
    std::vector<FileFailure> unreadable;
    for (const KeptPicture& kept : listKeptPictures(keptStoreForWorkingFolder(), unreadable))
        ++found[kept.tables.pixel[0][0]];
    EXPECT_EQ(found, (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}}));
}

TEST_F(SlotLock, ASaveRefusesWhileAnotherHoldsTheSlotTooLong) {
    writeFile("pixels1.txt", "1 0 \n");
    const SlotSaveLock other(keptStoreForWorkingFolder(), 1, 0);
    ASSERT_EQ(other.outcome(), SlotSaveLock::Outcome::held);
    e.picture.replace(withPoint(2));
    fillSurface(packed(Colors[4]));
    ::testing::internal::CaptureStderr();
    saveCommand(e);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Not saved: Slot 1 busy"), std::string::npos);
    EXPECT_TRUE(promptLineShows("Slot 1 busy: another editor is saving it", packed(Colors[4])));
    EXPECT_TRUE(e.picture.unsaved());
    EXPECT_EQ(readFile("pixels1.txt"), "1 0 \n");
    EXPECT_EQ(SlotSaveLock(keptStoreForWorkingFolder(), 2, 0).outcome(), SlotSaveLock::Outcome::held);
}

TEST_F(SlotLock, TheNextSaveRemovesOnlyTheTemporariesKilledSavesLeft) {
    const std::pair<const char*, bool> rows[] = {  // name, a minute old and more
        {".pixels1.txt.Ab3xYz", true}, {".lines1.txt.000000", true}, {".pixels1.txt~.qQ9rR9", true},
        {".pixels1.txt.young1", false}, {".pixels2.txt.Ab3xYz", true}, {".pixels1.txt.Ab3xY", true},
        {".pixels1.txt.Ab-xYz", true},  {"pixels1.txt.Ab3xYz", true}, {".lines1.txt.dir123", true}};
    const std::set<std::string> removed = {".pixels1.txt.Ab3xYz", ".lines1.txt.000000", ".pixels1.txt~.qQ9rR9"};
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::seconds(leftTemporaryAgeSeconds + 5);
    for (const auto& [name, aged] : rows) {
        if (std::string(name).find("dir") != std::string::npos) std::filesystem::create_directory(name);
        else writeFile(name, "left");
        if (aged) std::filesystem::last_write_time(name, old);
    }
    e.picture.replace(withPoint(4));
    saveCommand(e);
    for (const auto& [name, aged] : rows) EXPECT_EQ(std::filesystem::exists(name), !removed.count(name)) << name;
}

}  // namespace
