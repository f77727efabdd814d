// The kept-picture store: an unsaved copy belongs to the editor that holds its
// lock, replaced slots are kept newest first up to the limit, and a file that
// cannot be read whole is reported and left. The editor's keys keep what they
// replace: `s` a slot's old picture (beside the slot when the store cannot take
// it), `l`, the clear key and `k` an unsaved picture.
#include <unistd.h>

#include <functional>

#include "file_fixture.h"
#include "keeping.h"
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

// XDG_STATE_HOME set to `path` for as long as it lives.
class StateHome {
public:
    explicit StateHome(const std::string& path) : previous(std::getenv("XDG_STATE_HOME")) {
        setenv("XDG_STATE_HOME", path.c_str(), 1);
    }
    ~StateHome() { setenv("XDG_STATE_HOME", previous.c_str(), 1); }

private:
    std::string previous;
};

using KeptByKeys = FileTest;

TEST_F(KeptByKeys, SaveKeepsTheOldSlotInTheStoreOrBesideItOrDoesNotSave) {
    struct Row {
        const char* what;
        bool storeBlocked;   // a file stands where the state folder should be
        bool besideBlocked;  // a directory stands at lines1.txt~
        std::string shown;
        bool saved;
    };
    const Row rows[] = {
        {"the store", false, false, "Saved; old slot 1 kept, k brings it", true},
        {"beside the slot", true, false, "Saved; old slot 1 kept in pixels1.txt~", true},
        {"nowhere: not saved", true, true, "Not saved: old slot 1 could not be kept", false},
    };
    writeFile("statefile", "");
    ::testing::internal::CaptureStderr();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        writeFile("pixels1.txt", "1 1 \n");
        writeFile("lines1.txt", "1 1 2 2 \n\n");
        if (row.besideBlocked) std::filesystem::create_directory("lines1.txt~");
        const std::string point = std::to_string(&row - rows) + " 5 \n";
        e.picture.erasePoint(0);
        e.picture.addPoint(&row - rows, 5);
        const StateHome home(row.storeBlocked ? (scratch / "statefile").string() : std::getenv("XDG_STATE_HOME"));
        fillSurface(packed(Colors[4]));
        saveCommand(e);
        EXPECT_TRUE(promptLineShows(row.shown, packed(Colors[4])));
        EXPECT_EQ(readFile("pixels1.txt"), row.saved ? point : "1 1 \n");
        EXPECT_EQ(e.picture.unsaved(), !row.saved);
        if (row.storeBlocked && !row.besideBlocked) {
            EXPECT_EQ(readFile("pixels1.txt~"), "1 1 \n");
            EXPECT_EQ(readFile("lines1.txt~"), "1 1 2 2 \n\n");
        }
        for (const char* name : {"pixels1.txt~", "lines1.txt~"}) std::filesystem::remove_all(name);
    }
    const std::string logged = ::testing::internal::GetCapturedStderr();
    const std::string failure = "Kept copy failed: " + (scratch / "statefile").string();
    EXPECT_EQ(logged.find(failure), logged.rfind(failure)) << "once, with its reason:\n" << logged;
    EXPECT_NE(logged.find(": Not a directory\nSaved slot 1; its old picture is kept in pixels1.txt~"),
              std::string::npos) << logged;
}

TEST_F(KeptByKeys, AnUnsavedPictureIsKeptBeforeLoadClearOrKReplacesIt) {
    struct Row {
        const char* what;
        std::function<void(Editor&)> command;
        bool saved;  // the picture is saved before the command
        std::optional<KeptReason> kept;
    };
    const auto clearKey = [](Editor& ed) {
        for (bool down : {true, false}) {
            releaseAllKeys();
            setKey(SDLK_BACKQUOTE, down);
            readKeys();
            runKeyCommands(ed);
        }
    };
    const Row rows[] = {
        {"load", loadCommand, false, KeptReason::load},
        {"clear", clearKey, false, KeptReason::clear},
        {"k", keptPictureCommand, false, KeptReason::kept},
        {"load over a saved picture", loadCommand, true, std::nullopt},
    };
    writeFile("pixels1.txt", "1 1 \n");
    writeFile("lines1.txt", "\n");
    const KeptStore store = keptStoreForWorkingFolder();
    std::vector<std::string> unreadable;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        e.picture.addPoint(9, &row - rows);
        const PictureTables drawn = e.picture.tables();
        if (row.saved) e.picture.markSaved();
        const size_t before = listKeptPictures(store, unreadable).size();
        row.command(e);
        const std::vector<KeptPicture> kept = listKeptPictures(store, unreadable);
        ASSERT_EQ(kept.size(), before + (row.kept ? 1 : 0));
        if (row.kept) {
            EXPECT_EQ(kept.front().tables, drawn);
            EXPECT_EQ(kept.front().reason, *row.kept);
        }
        if (row.kept == KeptReason::kept) {
            EXPECT_EQ(e.picture.tables(), kept[1].tables) << "k goes past the one it kept";
        }
        e.picture.replace(PictureTables());
    }
}

}  // namespace
