// The history kept with a saved slot: `l` of the slot as saved brings it back
// (u takes back the last change before the save), while a slot whose bytes
// changed since, or a history that cannot be read, loads as one step, the
// latter said on the prompt line. The histories go as kept pictures go.
#include <unistd.h>

#include <functional>

#include "copywriter.h"
#include "file_fixture.h"
#include "historykeeping.h"
#include "historystore.h"
#include "keptpictures.h"
#include "slotcommands.h"

namespace {

using KeptHistories = FileTest;

TEST_F(KeptHistories, LoadBringsBackTheHistoryOnlyOfTheSlotAsSaved) {
    const std::string history = keptStoreForWorkingFolder().directory + "/slot1.history";
    const std::tuple<const char*, std::function<void()>, bool, std::string> rows[] = {  // ..., history back, shown
        {"as saved", [] {}, true, ""},
        {"spaced otherwise", [] { writeFile("pixels1.txt", "1 1\n2 2\n"); }, false, "History of slot 1 not read: slot changed"},
        {"history cut short", [&] { truncate(history.c_str(), 40); }, false, "History of slot 1 not read: truncated"},
        {"history changed", [&] { writeFile(history.c_str(), readFile(history.c_str()) + " "); }, false,
         "History of slot 1 not read: damaged"},
        {"history a link", [&] { unlink(history.c_str()), symlink("/dev/null", history.c_str()); }, false,
         "History of slot 1 not read: unreadable"},
    };
    for (const auto& [name, spoil, historyBack, shown] : rows) {
        SCOPED_TRACE(name);
        e = Editor();
        e.picture.addPoint(1, 1);
        const PictureTables beforeLast = e.picture.tables();
        e.picture.addPoint(2, 2);
        ASSERT_TRUE(savePicture(e));
        finishSlotHistories();
        spoil();
        e = Editor();
        ::testing::internal::CaptureStderr();
        loadPicture(e);
        const std::string logged = ::testing::internal::GetCapturedStderr();
        if (!shown.empty()) {
            EXPECT_TRUE(promptLineShows(shown, packed(Colors[0])));
        }
        EXPECT_EQ(logged.rfind("History of slot 1 not read: " + history + ": ", 0) == 0, !shown.empty()) << logged;
        EXPECT_EQ(logged.empty(), shown.empty()) << logged;
        ASSERT_TRUE(e.picture.undo());
        EXPECT_EQ(e.picture.tables() == beforeLast, historyBack) << "otherwise the empty picture before the load";
        EXPECT_TRUE(e.picture.redo());
        EXPECT_FALSE(e.picture.unsaved());
    }
}

// A history that cannot be read stays as it is (a newer version may read it)
// until its picture changes: `s` of the slot as loaded writes none, nor does
// the copy's writer for the picture as restored.
TEST_F(KeptHistories, AnUnreadHistoryIsLeftUntilItsPictureChanges) {
    const KeptStore store = keptStoreForWorkingFolder();
    const std::string history = store.directory + "/slot1.history";
    e.picture.addPoint(1, 1);
    ASSERT_TRUE(savePicture(e));
    finishSlotHistories();
    writeFile(history.c_str(), readFile(history.c_str()) + " ");
    const std::string damaged = readFile(history.c_str());
    ::testing::internal::CaptureStderr();
    for (const bool changed : {false, true}) {
        e = Editor();
        loadPicture(e);
        if (changed) e.picture.addPoint(2, 2);
        ASSERT_TRUE(savePicture(e));
        finishSlotHistories();
        EXPECT_EQ(readFile(history.c_str()) == damaged, !changed);
    }
    ::testing::internal::GetCapturedStderr();

    UnsavedCopy copy;
    ASSERT_FALSE(copy.write(store, e.picture.tables(), 1, 0));
    const KeptPicture left{copy.path(), KeptReason::unsaved, 1, 0, e.picture.tables(), store.folder};
    writeFile((copy.path().substr(0, copy.path().size() - 5) + ".history").c_str(), "too short");
    e = Editor();
    EXPECT_EQ(placeRestoredCopy(e, left).value().message.fitted(messageLength), "Restored; history not read: damaged");
    EXPECT_FALSE(copyHistoryToKeep(e));
    e.picture.addPoint(3, 3);
    e.picture.undo();
    EXPECT_TRUE(copyHistoryToKeep(e)) << "changed once, the copy keeps the picture's own";
}

// A copy's history is the user's alone and goes with the copy; a slot's goes
// with the store of a folder long gone, as kept pictures do.
TEST_F(KeptHistories, HistoriesGoWithTheirPicturesAndStores) {
    Picture picture;
    picture.addPoint(3, 3);
    const std::filesystem::path gone = scratch / "gone";
    std::filesystem::create_directory(gone);
    const KeptStore store = keptStoreFor(gone.string());
    UnsavedCopy copy;
    ASSERT_FALSE(copy.write(store, picture.tables(), 1, 0));
    ASSERT_FALSE(writeCopyHistory(copy.path(), picture.tables(), picture.history()));
    const std::string copyHistory = copy.path().substr(0, copy.path().size() - 5) + ".history";
    EXPECT_EQ(std::filesystem::status(copyHistory).permissions(), std::filesystem::perms(0600));
    copy.remove();
    EXPECT_FALSE(std::filesystem::exists(copyHistory));

    const std::string slotHistory = store.directory + "/slot2.history";
    writeFile((gone / "pixels2.txt").c_str(), "3 3 \n");  // as saved
    writeFile((gone / "lines2.txt").c_str(), "\n");
    ASSERT_FALSE(writeSlotHistory(store, 2, picture.tables(), picture.history()));
    std::filesystem::last_write_time(slotHistory, std::filesystem::file_time_type::clock::now() -
                                                      std::chrono::hours(24 * (keptOrphanDays + 1)));
    std::filesystem::remove_all(gone);
    pruneKeptStores(store.root);
    EXPECT_FALSE(std::filesystem::exists(store.directory));
}

}  // namespace
