// The kept-picture store: an unsaved copy belongs to the editor that holds its
// lock, replaced slots are kept newest first up to the limit, and a file that
// cannot be read whole is reported and left.
#include <unistd.h>

#include "file_fixture.h"
#include "keptpictures.h"

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

}  // namespace
