// The picture's one notion of saved, step by step through edits, saves,
// loads, undo and redo: saved exactly when the tables equal those last
// written to or read from a slot.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "picture.h"

namespace {

struct Step {
    std::string what;
    std::function<void(Picture&)> act;
    bool unsaved;  // expected afterwards
};

PictureTables slotPicture() {
    PictureTables t;
    t.createPixel(7, 8);
    t.createLine(1, 1, 9, 9);
    return t;
}

void load(Picture& p) {
    p.replace(slotPicture());
    p.markSaved();
}

TEST(Saved, FollowsEveryChangeBackToTheLastSaveOrLoad) {
    const std::vector<Step> steps = {
        {"fresh picture", [](Picture&) {}, false},
        {"point added", [](Picture& p) { p.addPoint(3, 4); }, true},
        {"saved", [](Picture& p) { p.markSaved(); }, false},
        {"line added", [](Picture& p) { p.addLine(0, 0, 5, 5); }, true},
        {"undo to the save", [](Picture& p) { p.undo(); }, false},
        {"redo past it", [](Picture& p) { p.redo(); }, true},
        {"loaded", load, false},
        {"undo the load", [](Picture& p) { p.undo(); }, true},
        {"redo the load", [](Picture& p) { p.redo(); }, false},
        {"cleared", [](Picture& p) { p.clear(); }, true},
        {"the slot's picture again, not loaded", [](Picture& p) { p.replace(slotPicture()); }, false},
        {"a stroke that places and erases one point",
         [](Picture& p) {
             p.holdStroke(true);
             p.addPoint(100, 100);
             p.erasePoint(p.tables().pointAt(100, 100));
             p.holdStroke(false);
         },
         false},
        {"sorted into another order", [](Picture& p) {
             p.addPoint(0, 0);
             p.sort(0, 0);
         }, true},
        {"undo both",
         [](Picture& p) {
             p.undo();
             p.undo();
         },
         false},
    };
    Picture picture;
    for (const Step& step : steps) {
        step.act(picture);
        EXPECT_EQ(picture.unsaved(), step.unsaved) << "after: " << step.what;
    }
}

}  // namespace
