// One save of a slot at a time: two editors (processes, fsync slowed) saving
// slot 1 at once leave every picture reachable; a save that finds the slot
// busy too long refuses; a save removes what killed saves left, only that.
#include <cstdio>
#include <map>

#include "file_fixture.h"
#include "keptpictures.h"
#include "slotcommands.h"
#include "slotlock.h"
#include "slots.h"

namespace {

using SlotLock = FileTest;

TEST_F(SlotLock, TwoEditorsSavingAtOnceLeaveEveryPictureReachable) {
    writeFile("pixels1.txt", "1 0 \n");
    FILE* first = popen(SLOT_SAVER " 2", "w");
    FILE* second = popen(SLOT_SAVER " 3", "w");
    for (FILE* start : {first, second}) std::fputc('s', start);
    for (FILE* start : {first, second}) std::fflush(start);  // both at once
    for (FILE* saver : {first, second}) EXPECT_EQ(pclose(saver), 0) << "saved";
    std::map<int, int> found;  // the old picture and both new ones, each once
    ++found[readSlot(1).tables.pixel[0][0]];
    std::vector<FileFailure> unreadable;
    for (const KeptPicture& kept : listKeptPictures(keptStoreForWorkingFolder(), unreadable))
        ++found[kept.tables.pixel[0][0]];
    EXPECT_EQ(found, (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}}));
}

TEST_F(SlotLock, ASaveRefusesWhileAnotherHoldsTheSlotTooLong) {
    const SlotSaveLock other(keptStoreForWorkingFolder(), 1, 0);
    ASSERT_EQ(other.outcome(), SlotSaveLock::Outcome::held);
    e.picture.addPoint(2, 0);
    ::testing::internal::CaptureStderr();
    saveCommand(e);
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(promptLineShows("Slot 1 busy: another editor is saving it", packed(Colors[0])));
    EXPECT_TRUE(e.picture.unsaved() && !std::filesystem::exists("pixels1.txt"));
}

TEST_F(SlotLock, ASaveRemovesOnlyTheTemporariesKilledSavesLeft) {
    const std::pair<std::string, bool> rows[] = {  // name, removed
        {".pixels1.txt.Ab3xYz", true}, {".lines1.txt.000000", true}, {".pixels1.txt~.qQ9rR9", true},
        {".pixels1.txt.young1", false}, {".pixels2.txt.Ab3xYz", false}, {".pixels1.txt.Ab3xY", false},
        {".pixels1.txt.Ab-xYz", false}, {"pixels1.txt.Ab3xYz", false}, {".lines1.txt.folder", false}};
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const auto& [name, removed] : rows) {
        if (name.find("folder") != std::string::npos) std::filesystem::create_directory(name);
        else writeFile(name.c_str(), "left");
        if (name.find("young") == std::string::npos) std::filesystem::last_write_time(name, old);
    }
    saveCommand(e);
    for (const auto& [name, removed] : rows) EXPECT_NE(std::filesystem::exists(name), removed) << name;
}

}  // namespace
