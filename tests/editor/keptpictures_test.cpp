// The kept-picture store: an unsaved copy belongs to the editor that holds its
// lock, replaced slots are kept newest first up to the limit, a file that
// cannot be read whole (or is no regular file) is reported and left, a link is
// never followed, any folder path round-trips, and only the stores of folders
// long missing are pruned. The editor's keys keep what they replace: `s` a
// slot's old picture (beside the slot when the store cannot take it), `l`, the
// clear key and `k` an unsaved picture.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <functional>

#include "file_fixture.h"
#include "copywriter.h"
#include "keeping.h"
#include "keptpictures.h"
#include "keys.h"
#include "slotcommands.h"
#include "slots.h"

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
    static unsigned modeOf(const std::string& path) {
        struct stat info;
        return lstat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
    }
    // The paths and reasons of the unreadable files, as one list to compare.
    std::vector<std::string> unreadableFiles() const {
        std::vector<std::string> files;
        for (const FileFailure& file : unreadable) files.push_back(file.path + ": " + file.reason);
        return files;
    }
    KeptStore store;
    std::vector<FileFailure> unreadable;
};

TEST_F(KeptPictures, ACopyIsClaimedOnlyOnceItsEditorHasEnded) {
    auto first = std::make_unique<UnsavedCopy>();
    ASSERT_FALSE(first->write(store, withPoint(5), 2, 1000));
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
    EXPECT_EQ(unreadableFiles(), std::vector<std::string>{kept.path + ": Not a whole kept picture"});
    EXPECT_EQ(readFile(kept.path.c_str()).size(), whole.size() - 2);
}

// The state folder is the user's alone: set to mode 700 when the user owns
// it, refused, with the reason, when it is a link, no folder or another's.
TEST_F(KeptPictures, TheStateFolderIsTheUsersAlone) {
    const std::pair<bool (*)(const std::string&), const char*> refused[] = {
        {[](const std::string& root) { return symlink(".", root.c_str()) == 0; }, "Is a symbolic link, not followed"},
        {[](const std::string& root) { return writeFile(root.c_str(), ""), true; }, "Not a directory"},
        {[](const std::string& root) { return mkdir(root.c_str(), 0700) == 0 && chown(root.c_str(), 65534, 0) == 0; },
         "Owned by another user"},
    };
    for (const auto& [arrange, reason] : refused) {
        std::filesystem::remove_all(store.root);
        if (!arrange(store.root)) continue;  // giving a folder away needs root
        const std::optional<FileFailure> failed = UnsavedCopy().write(store, withPoint(1), 1, 5);
        ASSERT_TRUE(failed);
        EXPECT_EQ(failed->path + ": " + failed->reason, store.root + ": " + reason);
    }
    EXPECT_FALSE(std::filesystem::exists(scratch / "here")) << "made through the link";
    std::filesystem::remove_all(store.root);
    ASSERT_TRUE(mkdir(store.root.c_str(), 0) == 0 && chmod(store.root.c_str(), 0777) == 0);
    ASSERT_FALSE(UnsavedCopy().write(store, withPoint(1), 1, 5));
    EXPECT_EQ(modeOf(store.root), 0700u);
    EXPECT_EQ(modeOf(store.directory), 0700u);
    EXPECT_EQ(modeOf(store.directory + "/folder"), 0600u);
}

// What else the store may hold where a copy could be: none makes the editor
// wait, none is followed or restored, and each that is no regular file is named.
TEST_F(KeptPictures, PlantedFilesAreNeitherRestoredNorFollowed) {
    const std::string outside = (scratch / "outside.kept").string();
    const std::string outsideText = keptPictureText(KeptReason::unsaved, 1, "/", 9, "7 7 \n", "\n");
    writeFile(outside.c_str(), outsideText);
    const std::string planted = store.directory + "/unsaved-PLANTD.kept";
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { mkfifo(planted.c_str(), 0600); }, "Not a regular file"},
        {[&] { std::filesystem::create_directory(planted); }, "Is a directory"},
        {[&] { std::filesystem::create_symlink(outside, planted); }, ""},  // not even listed
        {[&] { writeFile(planted.c_str(), std::string(keptPictureLimit + 1, ' ')); }, "Larger than any kept picture"},
    };
    for (const auto& [plant, reason] : cases) {
        SCOPED_TRACE(reason);
        std::filesystem::remove_all(store.root);
        unreadable.clear();
        ASSERT_FALSE(UnsavedCopy().write(store, withPoint(4), 1, 5)) << "makes the store, leaves a copy";
        plant();
        UnsavedCopy restorer;
        const std::optional<KeptPicture> claimed = restorer.claimLeft(store, unreadable);
        ASSERT_TRUE(claimed);
        EXPECT_EQ(claimed->tables, withPoint(4));
        const std::vector<std::string> named = {planted + ": " + reason};
        EXPECT_EQ(unreadableFiles(), reason.empty() ? std::vector<std::string>() : named);
        ASSERT_FALSE(restorer.write(store, withPoint(6), 1, 6));
        EXPECT_EQ(readFile(outside.c_str()), outsideText);
    }
}

// A store of a folder that is missing now (perhaps on a medium not mounted)
// goes only once its newest picture is over keptOrphanDays old.
TEST_F(KeptPictures, OnlyStoresOfFoldersLongGoneArePruned) {
    const struct {
        const char* name;
        bool gone;
        std::vector<int> ages;  // days since each picture was kept
        bool left;
    } folders[] = {
        {"here", false, {keptOrphanDays + 1}, true},
        {"unmounted", true, {keptOrphanDays + 2, keptOrphanDays - 1}, true},
        {"long gone", true, {keptOrphanDays + 2, keptOrphanDays + 1}, false},
    };
    writeFile("pixels1.txt", "4 0 \n");
    std::vector<std::string> paths;
    for (const auto& folder : folders) {
        const std::string path = (scratch / folder.name).string();
        std::filesystem::create_directory(path);
        for (int days : folder.ages) {
            paths.push_back(keepReplacedSlot(keptStoreFor(path), 1, PictureTables(), days).path);
            std::filesystem::last_write_time(paths.back(), std::filesystem::file_time_type::clock::now() - days * 24h);
        }
        if (folder.gone) std::filesystem::remove(path);
    }
    pruneKeptStores(keptStoreFor(scratch.string()).root);
    auto path = paths.begin();
    for (const auto& folder : folders) {
        for (std::size_t i = 0; i < folder.ages.size(); ++i) EXPECT_EQ(std::filesystem::exists(*path++), folder.left);
        EXPECT_EQ(std::filesystem::exists(keptStoreFor((scratch / folder.name).string()).directory), folder.left);
    }
}

// A picture an editor shows is spared by the pruning (the next oldest goes),
// and pictures kept in one millisecond list newest first.
TEST_F(KeptPictures, APictureShownIsNeverPrunedAndOneMillisecondKeepsItsOrder) {
    ShownHold shown;
    std::vector<PictureTables> expected, listed;
    for (int i = 0; i <= keptReplacedLimit; ++i) {
        writeFile("pixels1.txt", std::to_string(i) + " 0 \n");
        const ReplacedSlot kept = keepReplacedSlot(store, 1, PictureTables(), 5);
        if (i == 0) shown.hold(kept.path);
        if (i != 1) expected.insert(expected.begin(), withPoint(i));
    }
    for (const KeptPicture& picture : listKeptPictures(store, unreadable)) listed.push_back(picture.tables);
    EXPECT_EQ(listed, expected);
}

// Any folder path comes back from a kept picture's text as it went in, and a
// text as first written (the path as it is, a backslash alone) still reads.
TEST(KeptPictureText, FolderPathsRoundTrip) {
    const std::pair<std::string, std::string> cases[] = {
        {"/home/me/pictures", ""},
        {"/media/a\nb", ""},
        {"/media/a\rb\tc\x7f", ""},
        {"/tmp/back\\slash\\x41\\", ""},
        {"/tmp/\xff\xfe not UTF-8", ""},
        {"/tmp/ spaces around ", ""},
        {"/old/a\\b c",
         "tessary kept picture\nreason replaced\nslot 3\nfolder /old/a\\b c\ntime 5\n"
         "pixels 6\n12 7 \nlines 10\n3 4 10 4 \n"},
    };
    PictureTables tables;
    tables.createPixel(12, 7);
    tables.createLine(3, 4, 10, 4);
    for (const auto& [folder, given] : cases) {
        SCOPED_TRACE(folder);
        const std::string text =
            given.empty() ? keptPictureText(KeptReason::replaced, 3, folder, 5, "12 7 \n", "3 4 10 4 \n") : given;
        const std::optional<KeptPicture> read = parseKeptPicture(text);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->folder, folder);
        EXPECT_EQ(read->tables, tables);
    }
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
    std::vector<FileFailure> unreadable;
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

// `l`, the clear key and `k` leave an unsaved picture that the store cannot
// take (no file over 16 bytes) in place, and say why.
TEST_F(KeptByKeys, LoadClearAndKRefuseWhenTheUnsavedPictureCannotBeKept) {
    writeFile("pixels1.txt", "3 3 \n");
    ASSERT_TRUE(keepReplacedSlot(keptStoreForWorkingFolder(), 1, PictureTables(), 1).kept);  // for k to find
    e.picture.addPoint(9, 9);
    const PictureTables drawn = e.picture.tables();
    const std::pair<int, std::string> rows[] = {{SDLK_l, "loaded"}, {SDLK_BACKQUOTE, "cleared"}, {SDLK_k, "replaced"}};
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit full = {16, before.rlim_max};
    for (const auto& [key, verb] : rows) {
        fillSurface(packed(Colors[4]));
        setrlimit(RLIMIT_FSIZE, &full);
        pressKey(key, [&] { runKeyCommands(e); });
        setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_TRUE(e.picture.unsaved() && e.picture.tables() == drawn) << verb;
        EXPECT_TRUE(promptLineShows("Not " + verb + ", not kept: File too large", packed(Colors[4])));
    }
}

// A store full: the save's message keeps the prompt line; the slot history's
// failure goes to standard error.
TEST_F(KeptByKeys, ASaveOnAFullStoreSaysWhatTheSaveDid) {
    writeFile("pixels1.txt", "1 1 \n");
    e.picture.addPoint(8, 5);
    ASSERT_FALSE(makeKeptStore(keptStoreForWorkingFolder()));  // its note is longer than 16 bytes
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit full = {16, before.rlim_max};  // the slot's files fit, no kept picture nor history does
    fillSurface(packed(Colors[4]));
    setrlimit(RLIMIT_FSIZE, &full);
    saveCommand(e);
    finishSlotHistories();
    setrlimit(RLIMIT_FSIZE, &before);
    ::testing::internal::CaptureStderr();  // not before: a line would be cut at 16 bytes
    keepAfterPass(e);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("/slot1.history: File too large\n"), std::string::npos);
    EXPECT_TRUE(promptLineShows("Saved; old slot 1 kept in pixels1.txt~", packed(Colors[4])));
}

// `k` after `s` brings the slot's old picture back as `l` would read it (513
// points, a bad token); shown, it is kept again when its file has gone.
TEST_F(KeptByKeys, KBringsBackWhatLWouldReadAndKeepsItAgainWhenItsFileIsGone) {
    std::string points;
    for (int i = 0; i <= p_number; ++i) points += std::to_string(i) + " 0 \n";
    writeFile("pixels1.txt", points);
    writeFile("lines1.txt", "1 2 3 4 \n5 6 x 8 \n\n");
    const PictureTables loaded = readSlot(1).tables;
    e.picture.addPoint(1, 1);
    saveCommand(e);
    pressKey(SDLK_k, [&] { runKeyCommands(e); });
    EXPECT_EQ(e.picture.tables(), loaded);
    std::vector<FileFailure> unreadable;
    std::filesystem::remove(listKeptPictures(keptStoreForWorkingFolder(), unreadable).at(0).path);
    pressKey(SDLK_BACKQUOTE, [&] { runKeyCommands(e); });
    EXPECT_EQ(listKeptPictures(keptStoreForWorkingFolder(), unreadable).at(0).tables, loaded);
}

}  // namespace
