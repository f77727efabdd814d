// Finding one's way: the texts of the help page's folder line and of the
// export reports, and the bounds of the wheel's zoom about the pointer.
#include "editor_fixture.h"
#include "export.h"
#include "help.h"
#include "promptline.h"
#include "wheel.h"

namespace {

TEST(Texts, FolderLineAndReports) {
    const FileFailure missing = {"/nonexistent/x.svg", "No such file or directory"};
    const FileFailure denied = {"elines3.txt", "Permission denied"};
    const std::pair<std::string, std::string> rows[] = {
        {fitPath("/home/ann/pictures", 18), "/home/ann/pictures"},
        {fitPath("/home/ann/pictures", 17), "...e/ann/pictures"},
        {fitPath("/home/ann/pictures", 2), ".."},
        {exportedText(3), "Exported slot 3"},
        {imagesWrittenText(imageFileNames(3)), "Wrote picture3.svg, .png"},
        {fileFailureLine("Export", missing, nullptr), "Export failed: /nonexistent/x.svg: No such file or directory"},
        {fileFailureLine("Export", missing, &denied),
         "Export failed: /nonexistent/x.svg: No such file or directory, elines3.txt: Permission denied"},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(text, expected);
}

TEST_F(EditorTest, WheelZoomKeepsTheOriginWithinItsBounds) {
    const struct {
        int scale, xStart, yStart, mouseX, mouseY, notches;
        int scaleAfter, xAfter, yAfter;
    } rows[] = {
        {2, 0, 0, 300, 200, -1, 1, 0, 0},         // the cell would need a negative origin
        {1, 0, 0, 100, 600, 1, 2, 50, 200},       // over the panel: the view's last row counts
        {1, 250, 0, 639, 0, 1, 2, 255, 0},        // a cell past the canvas: the column origin stops at 255
        {400, 255, 7, 639, 399, 2, 400, 255, 7},  // at the largest scale nothing moves
    };
    for (const auto& row : rows) {
        e.scale = row.scale;
        e.X_Start = row.xStart;
        e.Y_Start = row.yStart;
        zoomAbout(e, row.notches, row.mouseX, row.mouseY);
        EXPECT_EQ(std::make_tuple(e.scale, e.X_Start, e.Y_Start),
                  std::make_tuple(row.scaleAfter, row.xAfter, row.yAfter));
    }
}

}  // namespace
