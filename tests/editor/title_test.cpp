// The window title: the program's name first, then the slot, the mode, and
// the mark of an unsaved picture.
#include <gtest/gtest.h>

#include "title.h"

namespace {

TEST(Title, NamesTheSlotAndModeAndMarksAnUnsavedPicture) {
    const struct {
        int nr;
        int mode;
        bool unsaved;
        const char* title;
    } cases[] = {
        {1, pointMode, false, "Tessary v.0.3 - slot 1 - points"},
        {1, lineMode, true, "Tessary v.0.3 - slot 1 - lines *"},
        {7, selectionMode, false, "Tessary v.0.3 - slot 7 - selection"},
        {3, pointMode, true, "Tessary v.0.3 - slot 3 - points *"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowTitle(c.nr, c.mode, c.unsaved), c.title) << c.nr << " " << c.mode << " " << c.unsaved;
}

}  // namespace
