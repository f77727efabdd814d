// The kept-picture store: an unsaved copy belongs to the editor that holds its
// lock, replaced slots are kept newest first up to the limit, and a file that
// cannot be read whole is reported and left. The editor's keys keep what they
// replace: `s` a slot's old picture (beside the slot when the store cannot take
// it), `l`, the clear key and `k` an unsaved picture.
#include <unistd.h>

#include "file_fixture.h"
#include "keptpictures.h"
#include "keys.h"
#include "slotcommands.h"

namespace {

using namespace std::chrono_literals;

class KeptPictures : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        store = {(scratch / "state").string(), (scratch / "state" / "here").string(), scratch.string()};
    }
    static PictureTables withPoint(int x) {
        PictureTables t;
        t.createPixel(x, 0);
        return t;
    }
    KeptStore store;
    std::vector<std::string> unreadable;
};

TEST_F(KeptPictures, ACopyIsClaimedOnlyOnceItsEditorHasEnded) {
    auto first = std::make_unique<UnsavedCopy>();
    ASSERT_EQ(first->write(store, withPoint(5), 2, 1000), "");
    UnsavedCopy second, third;
    EXPECT_FALSE(second.claimLeft(store, unreadable)) << "held by the running editor";
    EXPECT_TRUE(listKeptPictures(store, unreadable).empty());

    first.reset();  // ends without removing its copy, as a crash does
    const std::optional<KeptPicture> claimed = second.claimLeft(store, unreadable);
    ASSERT_TRUE(claimed);
    EXPECT_EQ(claimed->slot, 2);
    EXPECT_EQ(claimed->tables, withPoint(5));
    EXPECT_FALSE(third.claimLeft(store, unreadable)) << "held by the editor that claimed it";

    second.remove();
    EXPECT_FALSE(third.claimLeft(store, unreadable));
    EXPECT_TRUE(unreadable.empty());
}

TEST_F(KeptPictures, ReplacedSlotsAreKeptNewestFirstUpToTheLimit) {
    EXPECT_FALSE(keepReplacedSlot(store, 1, withPoint(1), 0).kept) << "no slot files";
    writeFile("lines1.txt", "\n");
    EXPECT_FALSE(keepReplacedSlot(store, 1, withPoint(1), 0).kept) << "an empty picture";
    for (int i = 0; i < keptReplacedLimit + 2; ++i) {
        writeFile("pixels1.txt", std::to_string(i) + " 0 \n");
        EXPECT_TRUE(keepReplacedSlot(store, 1, PictureTables(), i).kept);
    }
    EXPECT_FALSE(keepReplacedSlot(store, 1, withPoint(keptReplacedLimit + 1), 99).kept) << "the same picture";
    const std::vector<KeptPicture> kept = listKeptPictures(store, unreadable);
    ASSERT_EQ(kept.size(), static_cast<size_t>(keptReplacedLimit));
    EXPECT_EQ(kept.front().tables, withPoint(keptReplacedLimit + 1));
    EXPECT_EQ(kept.back().tables, withPoint(2));
}

TEST_F(KeptPictures, AFileReadOnlyInPartIsReportedAndLeft) {
    writeFile("pixels1.txt", "4 0 \n");
    const ReplacedSlot kept = keepReplacedSlot(store, 1, PictureTables(), 7);
    ASSERT_TRUE(kept.kept);
    const std::string whole = readFile(kept.path.c_str());
    writeFile(kept.path.c_str(), whole.substr(0, whole.size() - 2));
    EXPECT_TRUE(listKeptPictures(store, unreadable).empty());
    EXPECT_EQ(unreadable, std::vector<std::string>{kept.path});
    EXPECT_EQ(readFile(kept.path.c_str()).size(), whole.size() - 2);
}

TEST_F(KeptPictures, OnlyOldPicturesOfAFolderGoneArePruned) {
    const auto daysAgo = [](int days) { return std::filesystem::file_time_type::clock::now() - days * 24h; };
    std::vector<std::string> paths;
    for (const char* folder : {"gone", "here"}) {
        const std::string path = (scratch / folder).string();
        std::filesystem::create_directory(path);
        const KeptStore other = keptStoreFor(path);
        writeFile("pixels1.txt", "4 0 \n");
        for (int days : {keptOrphanDays + 1, keptOrphanDays - 1}) {
            paths.push_back(keepReplacedSlot(other, 1, PictureTables(), days).path);
            std::filesystem::last_write_time(paths.back(), daysAgo(days));
        }
    }
    std::filesystem::remove(scratch / "gone");
    pruneOrphanedStores(keptStoreFor(scratch.string()).root);
    const std::vector<bool> left = {false, true, true, true};
    for (size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(std::filesystem::exists(paths[i]), left[i]) << paths[i];
}

using KeptByKeys = FileTest;

// `s` keeps the slot's old picture in the store, beside the slot when the store
// cannot take it (told once, with its reason), and saves nothing when neither can.
TEST_F(KeptByKeys, SaveKeepsTheOldSlotInTheStoreOrBesideItOrNotAtAll) {
    const std::string stateHome = std::getenv("XDG_STATE_HOME");
    const std::tuple<std::string, bool, std::string> rows[] = {  // state home, lines1.txt~ blocked, prompt line
        {stateHome, false, "Saved; old slot 1 kept, k brings it"},
        {"statefile", false, "Saved; old slot 1 kept in pixels1.txt~"},
        {"statefile", true, "Not saved: old slot 1 could not be kept"}};
    writeFile("statefile", "");
    ::testing::internal::CaptureStderr();
    for (const auto& [home, besideBlocked, shown] : rows) {
        writeFile("pixels1.txt", "1 1 \n");
        if (besideBlocked) std::filesystem::create_directory("lines1.txt~");
        e.picture.addPoint(static_cast<int>(shown.size()), 5);  // a new picture for each row
        setenv("XDG_STATE_HOME", (scratch / home).c_str(), 1);
        fillSurface(packed(Colors[4]));
        saveCommand(e);
        EXPECT_TRUE(promptLineShows(shown, packed(Colors[4])));
        EXPECT_EQ(e.picture.unsaved(), besideBlocked) << shown;
        EXPECT_EQ(readFile("pixels1.txt") == "1 1 \n", besideBlocked) << shown;
        EXPECT_EQ(std::filesystem::is_regular_file("pixels1.txt~"), home != stateHome && !besideBlocked) << shown;
        for (const char* name : {"pixels1.txt~", "lines1.txt~"}) std::filesystem::remove_all(name);
    }
    setenv("XDG_STATE_HOME", stateHome.c_str(), 1);
    const std::string logged = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(logged.find("Kept copy failed: "), logged.rfind("Kept copy failed: ")) << logged;
    EXPECT_NE(logged.find(": Not a directory\nSaved slot 1; its old picture is kept in pixels1.txt~"),
              std::string::npos) << logged;
}

// `l`, the clear key and `k` keep an unsaved picture with the reason, where a
// restart finds it; `k` then shows the picture that was newest before.
TEST_F(KeptByKeys, AnUnsavedPictureIsKeptBeforeLoadClearOrKReplacesIt) {
    const std::pair<int, KeptReason> rows[] = {
        {SDLK_l, KeptReason::load}, {SDLK_BACKQUOTE, KeptReason::clear}, {SDLK_k, KeptReason::kept}};
    std::vector<std::string> unreadable;
    std::vector<KeptPicture> kept;
    for (const auto& [key, reason] : rows) {
        e.picture.addPoint(9, static_cast<int>(reason));
        const PictureTables drawn = e.picture.tables();
        setKey(key, true);
        readKeys();
        runKeyCommands(e);
        setKey(key, false);
        kept = listKeptPictures(keptStoreForWorkingFolder(), unreadable);
        ASSERT_FALSE(kept.empty());
        EXPECT_EQ(kept.front().tables, drawn);
        EXPECT_EQ(kept.front().reason, reason);
    }
    EXPECT_EQ(e.picture.tables(), kept.at(1).tables);
}

}  // namespace
