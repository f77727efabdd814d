// export_test.cpp - the sorted export: file format, the stable sort over the
// entries in use, sort keys from prompt answers, and files that cannot be written.
#include <cmath>

#include "export.h"
#include "exportfiles.h"
#include "file_fixture.h"
#include "slotcommands.h"

using Export = FileTest;

static void addPoints(Editor& e, const std::vector<Point>& points) {
    for (const Point& p : points) e.picture.addPoint(p[0], p[1]);
}

TEST_F(Export, SortsStablyOnTheChosenKeyAndKeepsTheOrder) {
    addPoints(e, {{5, 1}, {2, 9}, {5, 0}});
    ASSERT_TRUE(exportPicture(e.picture, 1, 0, 0));
    EXPECT_EQ(readFile("epixels1.txt"), "2,9,\n5,1,\n5,0,\n");
    EXPECT_EQ(readFile("elines1.txt"), "\n");
    EXPECT_EQ(pointsInUse(), (std::vector<Point>{{2, 9}, {5, 1}, {5, 0}}));
    ASSERT_TRUE(savePicture(e));
    EXPECT_EQ(readFile("pixels1.txt"), "2 9 \n5 1 \n5 0 \n");

    e.picture.clear();
    addPoints(e, {{5, 1}, {2, 9}, {5, 0}});
    ASSERT_TRUE(exportPicture(e.picture, 7, 1, 0));
    EXPECT_EQ(readFile("epixels7.txt"), "5,0,\n5,1,\n2,9,\n");
    EXPECT_EQ(e.picture.tables().pixels_Amount, 3);
}

TEST_F(Export, LinesAreCommaSeparatedAndSortStablyOnX2) {
    e.picture.addLine(3, 4, 10, 4);
    e.picture.addLine(0, 0, 2, 0);
    e.picture.addLine(9, 9, 10, 1);
    e.picture.addPoint(7, 8);
    ASSERT_TRUE(exportPicture(e.picture, 2, 0, 2));
    EXPECT_EQ(readFile("epixels2.txt"), "7,8,\n");
    EXPECT_EQ(readFile("elines2.txt"), "0,0,2,0,\n3,4,10,4,\n9,9,10,1,\n\n");
    EXPECT_EQ(e.picture.tables().lines_amount, 3);
}

TEST_F(Export, SortsOnlyTheEntriesInUse) {
    addPoints(e, {{9, 0}, {3, 3}, {1, 1}, {4, 4}, {5, 5}});
    for (int erased : {1, 3}) {
        e.picture.erasePoint(erased);
    }
    e.picture.addLine(8, 0, 0, 0);
    e.picture.addLine(1, 0, 0, 0);
    e.picture.eraseLine(0);
    e.picture.addLine(6, 0, 0, 0);  // fills the gap at entry 0
    e.picture.addLine(2, 0, 0, 0);
    e.picture.eraseLine(1);
    ASSERT_TRUE(exportPicture(e.picture, 1, 0, 0));
    EXPECT_EQ(readFile("epixels1.txt"), "1,1,\n5,5,\n9,0,\n");
    EXPECT_EQ(readFile("elines1.txt"), "2,0,0,0,\n6,0,0,0,\n\n");
    EXPECT_EQ(pointEntry(0), (Point{1, 1}));
    EXPECT_EQ(pointEntry(1), (Point{-1, -1}));
    EXPECT_EQ(pointEntry(2), (Point{5, 5}));
    EXPECT_EQ(pointEntry(3), (Point{-1, -1}));
    EXPECT_EQ(pointEntry(4), (Point{9, 0}));
    EXPECT_FALSE(tables().pixel_oc[1] || tables().pixel_oc[3]);
    EXPECT_EQ(lineEntry(1), (Line{-1, -1, -1, -1}));
    EXPECT_EQ(lineEntry(2), (Line{6, 0, 0, 0}));
}

TEST_F(Export, KeysOutsideTheRowsLeaveTableOrder) {
    addPoints(e, {{5, 1}, {2, 9}});
    e.picture.addLine(9, 9, 9, 9);
    e.picture.addLine(1, 1, 1, 1);
    for (int badKey : {-1, 2, 4, 1000}) {
        ASSERT_TRUE(exportPicture(e.picture, 1, badKey, badKey == 2 ? 4 : badKey));
        EXPECT_EQ(readFile("epixels1.txt"), "5,1,\n2,9,\n");
        EXPECT_EQ(readFile("elines1.txt"), "9,9,9,9,\n1,1,1,1,\n\n");
    }
}

TEST(SortKey, AnswersLoseTheirFractionTowardZero) {
    EXPECT_EQ(sortKeyFromAnswer(1.9), 1);
    EXPECT_EQ(sortKeyFromAnswer(-0.5), 0);
    EXPECT_EQ(sortKeyFromAnswer(3.99), 3);
    EXPECT_EQ(sortKeyFromAnswer(-1.5), -1);
    EXPECT_EQ(sortKeyFromAnswer(1e300), -1);
    EXPECT_EQ(sortKeyFromAnswer(-1e300), -1);
    EXPECT_EQ(sortKeyFromAnswer(std::nan("")), -1);
}

TEST_F(Export, UnwritableFileIsReportedAndTheOtherStillWritten) {
    writeFile("epixels1.txt", "old");
    std::filesystem::create_directory("elines1.txt");
    addPoints(e, {{5, 1}, {2, 9}});
    fillSurface(packed(Colors[4]));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(exportPicture(e.picture, 1, 0, 0));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Export failed: elines1.txt: Is a directory\n");
    EXPECT_TRUE(promptLineShows("Export failed: eli...txt: Is a directory", packed(Colors[4])));
    EXPECT_EQ(readFile("epixels1.txt"), "2,9,\n5,1,\n");
    EXPECT_EQ(directoryNames(), (std::vector<std::string>{"elines1.txt", "epixels1.txt"}));
    EXPECT_EQ(pointsInUse(), (std::vector<Point>{{2, 9}, {5, 1}}));
}
