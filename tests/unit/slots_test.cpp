// slots_test.cpp - the slot files: exact format, round trips, and loading and
// saving files that are missing, damaged, oversized or cannot be written.
#include "slots.h"

#include <cstdlib>

#include "file_fixture.h"

using SlotFiles = FileTest;

TEST_F(SlotFiles, EmptyPictureWritesEmptyPointsAndOneLineEnd) {
    ASSERT_TRUE(savePicture(e));
    EXPECT_EQ(readFile("pixels1.txt"), "");
    EXPECT_EQ(readFile("lines1.txt"), "\n");
    for (int x = 0; x < 5; ++x) e.picture.addPoint(x, 0);
    ASSERT_TRUE(loadPicture(e));
    EXPECT_EQ(e.picture.tables().pixels_Amount, 0);
    EXPECT_EQ(e.picture.tables().lines_amount, 0);
    EXPECT_TRUE(pointsInUse().empty());
    EXPECT_EQ(directoryNames(), (std::vector<std::string>{"lines1.txt", "pixels1.txt"}));  // no temporaries left
}

TEST_F(SlotFiles, RecordsAreBlankSeparatedAndRoundTrip) {
    e.picture.addPoint(12, 7);
    e.picture.addPoint(0, 199);
    e.picture.addLine(3, 4, 10, 4);
    ASSERT_TRUE(savePicture(e));
    EXPECT_EQ(readFile("pixels1.txt"), "12 7 \n0 199 \n");
    EXPECT_EQ(readFile("lines1.txt"), "3 4 10 4 \n\n");
    e.picture.clear();
    e.picture.addPoint(1, 1);
    ASSERT_TRUE(loadPicture(e));
    EXPECT_EQ(pointsInUse(), (std::vector<Point>{{12, 7}, {0, 199}}));
    EXPECT_TRUE(tables().pixel_oc[0] && tables().pixel_oc[1]);
    EXPECT_EQ(e.picture.tables().pixels_Amount, 2);
    EXPECT_EQ(linesInUse(), (std::vector<Line>{{3, 4, 10, 4}}));
    EXPECT_EQ(e.picture.tables().lines_amount, 1);
}

TEST_F(SlotFiles, GapsAreSkippedAndLoadCloses) {
    for (int x = 0; x < 3; ++x) e.picture.addPoint(x, 5);
    e.picture.erasePoint(0);
    e.nr = 3;
    ASSERT_TRUE(savePicture(e));
    EXPECT_EQ(readFile("pixels3.txt"), "1 5 \n2 5 \n");
    EXPECT_EQ(readFile("lines3.txt"), "\n");
    ASSERT_TRUE(loadPicture(e));
    EXPECT_EQ(pointEntry(0), (Point{1, 5}));
    EXPECT_EQ(pointEntry(1), (Point{2, 5}));
    EXPECT_EQ(pointEntry(2), (Point{-1, -1}));
    EXPECT_EQ(e.picture.tables().pixels_Amount, 2);
}

TEST_F(SlotFiles, LoadClearsTheWindowToTheBackground) {
    writeFile("pixels1.txt", "");
    writeFile("lines1.txt", "\n");
    e.Background_Color = Colors[3];
    fillSurface(packed(Colors[1]));
    ASSERT_TRUE(loadPicture(e));
    EXPECT_EQ(countPixels(packed(Colors[3])), 640 * 640);
}

// Loads `points` as pixels1.txt and `lineRecords` as lines1.txt.
static void loadSlotOne(Editor& e, const std::string& points, const std::string& lineRecords) {
    writeFile("pixels1.txt", points);
    writeFile("lines1.txt", lineRecords);
    EXPECT_TRUE(loadPicture(e));
    const PictureTables& t = e.picture.tables();
    EXPECT_EQ(t.pixels_Amount, std::count(t.pixel_oc, t.pixel_oc + p_number, true));
    EXPECT_EQ(t.lines_amount, std::count(t.line_oc, t.line_oc + l_number, true));
}

TEST_F(SlotFiles, LoadReadsCrLfAndLastRecordsWithoutWhiteSpace) {
    loadSlotOne(e, "12 7\r\n0 199", "3 4 10 4 \r\n1 2 3 4 \r\n\r\n");
    EXPECT_EQ(pointsInUse(), (std::vector<Point>{{12, 7}, {0, 199}}));
    EXPECT_EQ(linesInUse(), (std::vector<Line>{{3, 4, 10, 4}, {1, 2, 3, 4}}));
    loadSlotOne(e, "", "5 6 7 8");
    EXPECT_EQ(linesInUse(), (std::vector<Line>{{5, 6, 7, 8}}));
}

TEST_F(SlotFiles, LoadStopsAtTheFirstTokenThatIsNoWholeNumber) {
    loadSlotOne(e, "1 2 \n3 4 \n5 x6 7 8 \n", "1 2 3 4 \n+5 6 7 8 \n9 9 9 9z 1 1 1 1 \n");
    EXPECT_EQ(pointsInUse(), (std::vector<Point>{{1, 2}, {3, 4}}));
    EXPECT_EQ(linesInUse(), (std::vector<Line>{{1, 2, 3, 4}, {5, 6, 7, 8}}));
    loadSlotOne(e, "1 2 - 3 \n", "1 2 3 4 \n1.5 2 3 4 \n");
    EXPECT_EQ(pointsInUse(), (std::vector<Point>{{1, 2}}));
    EXPECT_EQ(linesInUse(), (std::vector<Line>{{1, 2, 3, 4}}));
}

TEST_F(SlotFiles, LoadDropsOffCanvasHugeAndPartialRecords) {
    loadSlotOne(e, "256 0 \n0 200 \n-1 -1 \n255 199 \n99999999999999999999999 1 \n2147483648 1 \n0 0 \n7",
                "0 0 255 200 \n-4294967296 0 0 0 \n0 0 255 199 \n1 2 3");
    EXPECT_EQ(pointsInUse(), (std::vector<Point>{{255, 199}, {0, 0}}));
    EXPECT_EQ(linesInUse(), (std::vector<Line>{{0, 0, 255, 199}}));
    EXPECT_EQ(pointEntry(2), (Point{-1, -1}));
}

TEST_F(SlotFiles, LoadStopsAtTheTableSize) {
    std::string points, lineRecords;
    for (int i = 0; i < 600; ++i) {
        points += std::to_string(i % 256) + " " + std::to_string(i % 200) + " \n";
        lineRecords += "1 2 3 " + std::to_string(i % 200) + " \n";
    }
    loadSlotOne(e, points, lineRecords + "\n");
    EXPECT_EQ(e.picture.tables().pixels_Amount, 512);
    EXPECT_EQ(e.picture.tables().lines_amount, 512);
    EXPECT_EQ(pointEntry(511), (Point{255, 111}));
    EXPECT_EQ(lineEntry(511), (Line{1, 2, 3, 111}));
}

TEST_F(SlotFiles, MissingFilesLeaveTheirTablesEmptyAndAreReported) {
    fillSurface(packed(Colors[4]));
    e.picture.addPoint(9, 9);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(loadPicture(e));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Load failed: pixels1.txt, lines1.txt\n");
    EXPECT_TRUE(promptLineShows("Load failed: pixels1.txt, lines1.txt", packed(Colors[0])));
    EXPECT_EQ(e.picture.tables().pixels_Amount, 0);
    EXPECT_EQ(pointEntry(0), (Point{-1, -1}));

    writeFile("pixels1.txt", "4 4 \n");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(loadPicture(e));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Load failed: lines1.txt\n");
    EXPECT_EQ(pointsInUse(), (std::vector<Point>{{4, 4}}));
    EXPECT_EQ(e.picture.tables().pixels_Amount, 1);
    EXPECT_EQ(e.picture.tables().lines_amount, 0);
}

TEST_F(SlotFiles, UnreadableFileLeavesItsTableEmpty) {
    writeFile("pixels1.txt", "4 4 \n");
    std::filesystem::create_directory("lines1.txt");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(loadPicture(e));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Load failed: lines1.txt\n");
    EXPECT_EQ(e.picture.tables().pixels_Amount, 1);
    EXPECT_TRUE(linesInUse().empty());
}

// Something standing where a file of the slot must be written: nothing of the
// slot changes, and the slot file concerned is named.
struct Blocker {
    const char* path;      // a directory is made here, or a link to /dev/full
    const char* reported;  // the slot file named in the message
    bool deviceFull;
};

class UnwritableSlot : public FileTest, public ::testing::WithParamInterface<Blocker> {};

TEST_P(UnwritableSlot, SaveKeepsTheOldFilesAndReports) {
    const Blocker blocker = GetParam();
    writeFile("pixels1.txt", "1 1 \n");
    writeFile("lines1.txt", "1 1 2 2 \n\n");
    std::vector<std::string> expectedNames = {"lines1.txt", "pixels1.txt"};
    if (blocker.deviceFull) {
        if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
        std::filesystem::create_symlink("/dev/full", blocker.path);
    } else {
        std::filesystem::remove(blocker.path);
        std::filesystem::create_directory(blocker.path);
        writeFile((std::string(blocker.path) + "/keep").c_str(), "x");
        expectedNames.push_back(blocker.path);
        std::sort(expectedNames.begin(), expectedNames.end());
        expectedNames.erase(std::unique(expectedNames.begin(), expectedNames.end()), expectedNames.end());
    }
    e.picture.addPoint(5, 5);
    e.picture.addLine(6, 6, 7, 7);
    fillSurface(packed(Colors[4]));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(savePicture(e));
    const std::string message = std::string("Save failed: ") + blocker.reported;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), message + "\n");
    EXPECT_TRUE(promptLineShows(message, packed(Colors[4])));
    for (const auto& [name, old] : {std::pair<const char*, const char*>{"pixels1.txt", "1 1 \n"},
                                    std::pair<const char*, const char*>{"lines1.txt", "1 1 2 2 \n\n"}}) {
        if (name != std::string(blocker.path)) {
            EXPECT_EQ(readFile(name), old) << name;
        }
    }
    EXPECT_EQ(directoryNames(), expectedNames);  // temporaries removed
}

INSTANTIATE_TEST_SUITE_P(EveryStep, UnwritableSlot,
                         ::testing::Values(Blocker{"pixels1.txt", "pixels1.txt", false},
                                           Blocker{"lines1.txt", "lines1.txt", false},
                                           Blocker{"lines1.txt.tmp", "lines1.txt", false},
                                           Blocker{"pixels1.txt.tmp", "pixels1.txt", true}));

// The lines file refuses to be replaced only when the rename is tried (an
// immutable file, which needs root and a file system that supports it): the
// points file, already replaced by then, must go back to what it was.
TEST_F(SlotFiles, LateFailureRestoresTheReplacedPointsFile) {
    writeFile("pixels1.txt", "1 1 \n");
    writeFile("lines1.txt", "1 1 2 2 \n\n");
    if (std::system("chattr +i lines1.txt 2>/dev/null") != 0) GTEST_SKIP() << "cannot make a file immutable here";
    e.picture.addPoint(5, 5);
    ::testing::internal::CaptureStderr();
    const bool saved = savePicture(e);
    const std::string message = ::testing::internal::GetCapturedStderr();
    std::system("chattr -i lines1.txt");
    EXPECT_FALSE(saved);
    EXPECT_EQ(message, "Save failed: lines1.txt\n");
    EXPECT_EQ(readFile("pixels1.txt"), "1 1 \n");
    EXPECT_EQ(readFile("lines1.txt"), "1 1 2 2 \n\n");
    EXPECT_EQ(directoryNames(), (std::vector<std::string>{"lines1.txt", "pixels1.txt"}));
}
