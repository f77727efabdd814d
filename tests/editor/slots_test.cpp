// slots_test.cpp - the slot files: exact format, round trips, and loading and
// saving files that are missing, damaged, oversized, no regular files or cannot
// be written. How saving treats links, modes and directories is in
// savefiles_test.cpp.
#include "slotcommands.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "file_fixture.h"
#include "keptpictures.h"
#include "selection.h"
#include "frame.h"
#include "view.h"

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
    // All but the prompt line's 40 cells, which say so.
    EXPECT_EQ(countPixels(packed(Colors[3])), 640 * 640 - 8 * 8 * messageLength);
    EXPECT_TRUE(promptLineShows("Loaded slot 1", packed(Colors[3])));
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

// `count` point records and as many line records, all on the canvas, as file
// text and as the entries they load into.
struct Records {
    std::string points, lines;
    std::vector<Point> pointEntries;
    std::vector<Line> lineEntries;
};
static Records manyRecords(int count) {
    Records records;
    for (int i = 0; i < count; ++i) {
        const Point point = {i % 256, i % 200};
        const Line line = {1, 2, 3, i % 200};
        records.points += std::to_string(point[0]) + " " + std::to_string(point[1]) + " \n";
        records.lines += "1 2 3 " + std::to_string(line[3]) + " \n";
        if (i < p_number) records.pointEntries.push_back(point);
        if (i < l_number) records.lineEntries.push_back(line);
    }
    return records;
}

struct LoadCase {
    std::string points, lines;  // the slot files
    std::vector<Point> pointsKept;
    std::vector<Line> linesKept;
    std::string report;  // standard error; the prompt line shows its last line
};

// Every complete record is kept whatever its values, up to the table size;
// reading that stops early keeps the records before the stop and says so. A
// file read to its end comes back byte for byte from the next save.
TEST_F(SlotFiles, LoadKeepsEveryRecordBeforeAStopAndReportsTheStop) {
    const Records full = manyRecords(512), over = manyRecords(600);
    const LoadCase cases[] = {
        {"256 0 \n0 200 \n-1 -1 \n255 199 \n-2147483648 2147483647 \n", "0 0 255 200 \n-5 3 1000000 7 \n\n",
         {{256, 0}, {0, 200}, {-1, -1}, {255, 199}, {INT_MIN, INT_MAX}}, {{0, 0, 255, 200}, {-5, 3, 1000000, 7}}, ""},
        {full.points, full.lines + "\n", full.pointEntries, full.lineEntries, ""},
        {"1 2 \n3 4 \n5 x6 7 8 \n", "1 2 3 4 \n+5 6 7 8 \n9 9 9 9z 1 1 1 1 \n", {{1, 2}, {3, 4}},
         {{1, 2, 3, 4}, {5, 6, 7, 8}}, "Load stopped: pixels1.txt, 2 kept\nLoad stopped: lines1.txt, 2 kept\n"},
        {"1 2 - 3 \n", "1 2 3 4 \n1.5 2 3 4 \n", {{1, 2}}, {{1, 2, 3, 4}},
         "Load stopped: pixels1.txt, 1 kept\nLoad stopped: lines1.txt, 1 kept\n"},
        {"0 0 \n2147483648 1 \n", "-4294967296 0 0 0 \n", {{0, 0}}, {},
         "Load stopped: pixels1.txt, 1 kept\nLoad stopped: lines1.txt, 0 kept\n"},
        {"-2147483649 1 \n", "\n", {}, {}, "Load stopped: pixels1.txt, 0 kept\n"},
        {"0 0 \n7", "1 2 3", {{0, 0}}, {}, "Load stopped: pixels1.txt, 1 kept\nLoad stopped: lines1.txt, 0 kept\n"},
        {over.points, over.lines, over.pointEntries, over.lineEntries,
         "Load stopped: pixels1.txt, 512 kept\nLoad stopped: lines1.txt, 512 kept\n"},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.points.substr(0, 40));
        finishSlotHistories();  // the last row's save kept one: these files come from elsewhere
        std::filesystem::remove(keptStoreForWorkingFolder().directory + "/slot1.history");
        writeFile("pixels1.txt", c.points);
        writeFile("lines1.txt", c.lines);
        fillSurface(packed(Colors[4]));
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(loadPicture(e), c.report.empty());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.report);
        EXPECT_EQ(pointsInUse(), c.pointsKept);
        EXPECT_EQ(linesInUse(), c.linesKept);
        EXPECT_EQ(e.picture.tables().pixels_Amount, static_cast<int>(c.pointsKept.size()));
        EXPECT_EQ(e.picture.tables().lines_amount, static_cast<int>(c.linesKept.size()));
        if (!c.report.empty()) {
            const std::string shown = c.report.substr(0, c.report.size() - 1);
            EXPECT_TRUE(promptLineShows(shown.substr(shown.rfind('\n') + 1), packed(Colors[0])));
            continue;
        }
        ASSERT_TRUE(savePicture(e));
        EXPECT_EQ(readFile("pixels1.txt"), c.points);
        EXPECT_EQ(readFile("lines1.txt"), c.lines);
    }
}

// A loaded entry with an end off the canvas is counted, but neither drawn nor
// found at the cell of its other end.
TEST_F(SlotFiles, OffCanvasEntriesAreNeitherDrawnNorFound) {
    writeFile("pixels1.txt", "256 0 \n-1 -1 \n");
    writeFile("lines1.txt", "0 0 255 200 \n\n");
    ASSERT_TRUE(loadPicture(e));
    renderFrame(e);
    EXPECT_EQ(countPixels(0, 0, 639, 399, packed(e.Draw_Color)), 0);
    EXPECT_EQ(countPixels(317, 420, 572, 619, packed(e.Draw_Color)), 0);
    e.rmouseX = e.rmouseY = 0;
    searchLines(e);
    EXPECT_EQ(e.lop, 0);
}

TEST_F(SlotFiles, MissingFilesLeaveTheirTablesEmptyAndAreReported) {
    fillSurface(packed(Colors[4]));
    e.picture.addPoint(9, 9);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(loadPicture(e));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Load failed: pixels1.txt: No such file or directory, lines1.txt: No such file or directory\n");
    EXPECT_TRUE(promptLineShows("Load failed: pixels1.txt: No such file", packed(Colors[0])));
    EXPECT_EQ(e.picture.tables().pixels_Amount, 0);
    EXPECT_EQ(pointEntry(0), (Point{-1, -1}));

    writeFile("pixels1.txt", "4 4 \n");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(loadPicture(e));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Load failed: lines1.txt: No such file or directory\n");
    EXPECT_EQ(pointsInUse(), (std::vector<Point>{{4, 4}}));
    EXPECT_EQ(e.picture.tables().pixels_Amount, 1);
    EXPECT_EQ(e.picture.tables().lines_amount, 0);
}

// A directory or a FIFO where a slot file should be: not read, nor waited on.
TEST_F(SlotFiles, UnreadableFileLeavesItsTableEmpty) {
    writeFile("pixels1.txt", "4 4 \n");
    for (const bool fifo : {false, true}) {
        std::filesystem::remove("lines1.txt");
        ASSERT_TRUE(fifo ? mkfifo("lines1.txt", 0600) == 0 : std::filesystem::create_directory("lines1.txt"));
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(loadPicture(e));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  std::string("Load failed: lines1.txt: ") + (fifo ? "Not a regular file\n" : "Is a directory\n"));
        EXPECT_EQ(e.picture.tables().pixels_Amount, 1);
        EXPECT_TRUE(linesInUse().empty());
    }
}

// A directory or a FIFO standing where a file of the slot must be written:
// nothing of the slot changes, nothing waits, and that file is named.
class UnwritableSlot : public FileTest, public ::testing::WithParamInterface<std::tuple<const char*, bool>> {};

TEST_P(UnwritableSlot, SaveKeepsTheOldFilesAndReports) {
    const auto [blocked, fifo] = GetParam();
    writeFile("pixels1.txt", "1 1 \n");
    writeFile("lines1.txt", "1 1 2 2 \n\n");
    std::filesystem::remove(blocked);
    ASSERT_TRUE(fifo ? mkfifo(blocked, 0600) == 0 : std::filesystem::create_directory(blocked));
    e.picture.addPoint(5, 5);
    e.picture.addLine(6, 6, 7, 7);
    fillSurface(packed(Colors[4]));
    ::testing::internal::CaptureStderr();
    saveCommand(e);
    const std::string message = std::string("Save failed: ") + blocked;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              message + (fifo ? ": Not a regular file\n" : ": Is a directory\n"));
    // The name gives way to the reason on the prompt line's 40 characters.
    const std::string shortName = std::string(blocked).substr(0, 2) + "...xt";
    const std::string shown = fifo ? "Save failed: " + shortName + ": Not a regular file" : message + ": Is a directory";
    EXPECT_TRUE(promptLineShows(shown, packed(Colors[4])));
    for (const auto& [name, old] : {std::pair<const char*, const char*>{"pixels1.txt", "1 1 \n"},
                                    std::pair<const char*, const char*>{"lines1.txt", "1 1 2 2 \n\n"}}) {
        if (name != std::string(blocked)) {
            EXPECT_EQ(readFile(name), old) << name;
        }
    }
    EXPECT_EQ(directoryNames(), (std::vector<std::string>{"lines1.txt", "pixels1.txt"}));  // temporaries removed
}

INSTANTIATE_TEST_SUITE_P(EitherFile, UnwritableSlot,
                         ::testing::Combine(::testing::Values("pixels1.txt", "lines1.txt"), ::testing::Bool()));

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
    EXPECT_EQ(message, "Save failed: lines1.txt: Operation not permitted\n");
    EXPECT_EQ(readFile("pixels1.txt"), "1 1 \n");
    EXPECT_EQ(readFile("lines1.txt"), "1 1 2 2 \n\n");
    EXPECT_EQ(directoryNames(), (std::vector<std::string>{"lines1.txt", "pixels1.txt"}));
}
