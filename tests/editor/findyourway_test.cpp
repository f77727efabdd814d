// Finding one's way: the help page's folder line, the reports of the export
// commands, the Ctrl combinations of the history keys and the bounds of the
// wheel's zoom about the pointer.
#include "editor_fixture.h"
#include "export.h"
#include "help.h"
#include "promptline.h"
#include "wheel.h"

namespace {

TEST(FitPath, KeepsAPathThatFitsAndOtherwiseItsEnd) {
    const struct {
        const char* path;
        std::size_t width;
        const char* shown;
    } rows[] = {
        {"/home/ann/pictures", 18, "/home/ann/pictures"},
        {"/home/ann/pictures", 17, "...e/ann/pictures"},
        {"/home/ann/pictures", 2, ".."},
    };
    for (const auto& row : rows) EXPECT_EQ(fitPath(row.path, row.width), row.shown) << row.width;
}

TEST(Reports, SayWhatWasWrittenAndWhyAWriteFailed) {
    const FileFailure missing = {"/nonexistent/x.svg", "No such file or directory"};
    const FileFailure denied = {"elines3.txt", "Permission denied"};
    const std::pair<std::string, std::string> rows[] = {
        {exportedText(3), "Exported slot 3"},
        {imagesWrittenText(imageFileNames(3)), "Wrote picture3.svg, .png"},
        {fileFailureLine("Export", missing, nullptr), "Export failed: /nonexistent/x.svg: No such file or directory"},
        {fileFailureLine("Export", missing, &denied),
         "Export failed: /nonexistent/x.svg: No such file or directory, elines3.txt: Permission denied"},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(text, expected);
}

class FindYourWay : public EditorTest {
protected:
    // One pass of the key commands with exactly `held` down.
    void passWith(const std::vector<int>& held) {
        releaseAllKeys();
        for (int key : held) setKey(key, true);
        readKeys();
        runKeyCommands(e);
    }
};

TEST_F(FindYourWay, CtrlZUndoesWithoutZoomingAndCtrlShiftZOrCtrlYRedo) {
    const struct {
        std::vector<int> held;
        bool undoneFirst;
        int scale, points;
    } rows[] = {
        {{SDLK_z}, false, 2, 2},
        {{SDLK_LCTRL, SDLK_z}, false, 1, 1},
        {{SDLK_RCTRL, SDLK_z}, false, 1, 1},
        {{SDLK_LCTRL, SDLK_LSHIFT, SDLK_z}, true, 1, 2},
        {{SDLK_RCTRL, SDLK_y}, true, 1, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.held.size());
        e = Editor();
        addPoint(1, 1);
        addPoint(2, 2);
        if (row.undoneFirst) e.picture.undo();
        passWith(row.held);
        passWith({});
        EXPECT_EQ(e.scale, row.scale);
        EXPECT_EQ(tables().pixels_Amount, row.points);
    }
}

TEST_F(FindYourWay, WheelZoomKeepsTheOriginWithinItsBounds) {
    const struct {
        int scale, xStart, yStart, mouseX, mouseY, notches;
        int scaleAfter, xAfter, yAfter;
    } rows[] = {
        {2, 0, 0, 300, 200, -1, 1, 0, 0},        // the cell would need a negative origin
        {1, 0, 0, 100, 600, 1, 2, 50, 200},      // over the panel: the view's last row counts
        {1, 250, 0, 639, 0, 1, 2, 255, 0},       // a cell past the canvas: the column origin stops at 255
        {400, 255, 7, 639, 399, 2, 400, 255, 7}, // at the largest scale nothing moves
    };
    for (const auto& row : rows) {
        e.scale = row.scale;
        e.X_Start = row.xStart;
        e.Y_Start = row.yStart;
        zoomAbout(e, row.notches, row.mouseX, row.mouseY);
        EXPECT_EQ(std::make_tuple(e.scale, e.X_Start, e.Y_Start), std::make_tuple(row.scaleAfter, row.xAfter, row.yAfter));
    }
}

}  // namespace
