// The window title: the program's name first, then the slot, and the mark of
// an unsaved picture.
#include <gtest/gtest.h>

#include "title.h"

namespace {

TEST(Title, NamesTheSlotAndMarksAnUnsavedPicture) {
    const struct {
        int nr;
        bool unsaved;
        const char* title;
    } cases[] = {
        {1, false, "Tessary v.0.3 - slot 1"},
        {1, true, "Tessary v.0.3 - slot 1 *"},
        {7, false, "Tessary v.0.3 - slot 7"},
        {3, true, "Tessary v.0.3 - slot 3 *"},
    };
    for (const auto& c : cases) EXPECT_EQ(windowTitle(c.nr, c.unsaved), c.title) << c.nr << " " << c.unsaved;
}

}  // namespace
