// Release latches shared by the key readers: one firing per press, shared
// slots, Backspace's own rule and the Enter test.
#include <gtest/gtest.h>

#include "input.h"
#include "surface_helpers.h"

namespace {

class Latches : public ::testing::Test {
protected:
    void SetUp() override {
        releaseAllKeys();
        for (bool& latch : keyReleased) latch = false;
        readKeys();
    }
    void TearDown() override { releaseAllKeys(); }
};

TEST_F(Latches, SlotsFollowTheFixedTable) {
    EXPECT_EQ(latchSlot(SDLK_a), 0);
    EXPECT_EQ(latchSlot(SDLK_z), 25);
    EXPECT_EQ(latchSlot(SDLK_KP0), 26);
    EXPECT_EQ(latchSlot(SDLK_KP9), 35);
    EXPECT_EQ(latchSlot(SDLK_0), 36);
    EXPECT_EQ(latchSlot(SDLK_9), 45);
    EXPECT_EQ(latchSlot(SDLK_SPACE), 46);
    EXPECT_EQ(latchSlot(SDLK_QUOTE), 52);
    EXPECT_EQ(latchSlot(SDLK_BACKQUOTE), 73);
    EXPECT_EQ(latchSlot(SDLK_KP_EQUALS), 79);
    EXPECT_EQ(latchSlot(SDLK_RETURN), 100);
    EXPECT_EQ(latchSlot(SDLK_KP_ENTER), 100);
    EXPECT_EQ(latchSlot(SDLK_BACKSPACE), 101);
    EXPECT_EQ(latchSlot(SDLK_F1), -1);
    EXPECT_EQ(latchSlot(SDLK_ESCAPE), -1);
}

TEST_F(Latches, AKeyDownAtTheFirstLookFiresOnlyAfterARelease) {
    setKey(SDLK_5, true);
    EXPECT_FALSE(keyFires(SDLK_5));
    setKey(SDLK_5, false);
    EXPECT_FALSE(keyFires(SDLK_5));
    setKey(SDLK_5, true);
    EXPECT_TRUE(keyFires(SDLK_5));
    EXPECT_FALSE(keyFires(SDLK_5));  // held: once per press
    EXPECT_FALSE(keyFires(SDLK_F1));
}

TEST_F(Latches, BackspaceUsesItsLatchOnlyWhenItErases) {
    setKey(SDLK_BACKSPACE, false);
    EXPECT_FALSE(backspaceFires(true));
    setKey(SDLK_BACKSPACE, true);
    EXPECT_FALSE(backspaceFires(false));  // nothing to erase: the press is kept
    EXPECT_TRUE(backspaceFires(true));
    EXPECT_FALSE(backspaceFires(true));
}

TEST_F(Latches, ReturnAndKeypadEnterShareOneLatch) {
    EXPECT_FALSE(enterFires());
    setKey(SDLK_RETURN, true);
    EXPECT_TRUE(enterFires());
    setKey(SDLK_RETURN, false);
    setKey(SDLK_KP_ENTER, true);
    EXPECT_FALSE(enterFires());  // the latch was never seen released
    setKey(SDLK_KP_ENTER, false);
    EXPECT_FALSE(enterFires());
    setKey(SDLK_KP_ENTER, true);
    EXPECT_TRUE(enterFires());
}

}  // namespace
