// tracing_test.cpp - the image traced over, read on a thread of its own: what
// the start reads, Shift+T reading a hidden image or stopping a reading, and
// what the prompt line says once an image is read.
#include "tracing.h"

#include "file_fixture.h"
#include "keypress.h"
#include "tracememory.h"

namespace {

const Uint32 untouched = 0x00102030;

// Shift+T as a pass's key step sees it.
void pressShiftT(Editor& e) {
    setKey(SDLK_LSHIFT, true);
    setKey(SDLK_t, true);
    readKeys();
    traceKeys(e);
    releaseAllKeys();
    readKeys();
    keypressed.clear();
}

// The passes' step until the reading is over, asleep between wake-ups as the idle loop is.
void followUntilRead(Editor& e) {
    fillSurface(untouched);
    while (e.trace.reading) {
        waitForEvent();
        followTraceReading(e);
    }
}

}  // namespace

TEST_F(FileTest, AHiddenImageIsReadOnlyWhenShiftTShowsIt) {
    writeBmp("sun.bmp", 64, 40);
    ASSERT_FALSE(rememberTrace(keptStoreForWorkingFolder(), {"sun.bmp", false}));
    startTracing(e, {}, false);
    EXPECT_EQ(e.trace.reading, nullptr);
    EXPECT_EQ(e.trace.path, "sun.bmp");
    pressShiftT(e);
    ASSERT_NE(e.trace.reading, nullptr);
    followUntilRead(e);
    ASSERT_NE(e.trace.image, nullptr);
    EXPECT_TRUE(e.trace.shown);
    EXPECT_TRUE(promptLineShows("Tracing sun.bmp (64 x 40)", untouched));
}

TEST_F(FileTest, ShiftTStopsAReadingAndNoImageComes) {
    writeBmp("sun.bmp", 640, 400);
    startTracing(e, {std::filesystem::absolute("sun.bmp"), "sun.bmp"}, false);
    pressShiftT(e);
    EXPECT_EQ(e.trace.reading, nullptr);
    EXPECT_EQ(e.trace.image, nullptr);
    EXPECT_FALSE(rememberedTrace(keptStoreForWorkingFolder()));  // nothing was chosen
}

TEST_F(FileTest, AnImageNamedAtStartIsNamedAsGivenUnlessTheStartHasNews) {
    writeBmp("sun.bmp", 64, 40);
    for (const bool keepPromptLine : {false, true}) {
        startTracing(e, {std::filesystem::absolute("sun.bmp"), "sun.bmp"}, keepPromptLine);
        followUntilRead(e);
        EXPECT_NE(e.trace.image, nullptr);
        if (keepPromptLine) EXPECT_EQ(rawPixel(promptLineX, promptLineY), untouched);
        else EXPECT_TRUE(promptLineShows("Tracing sun.bmp (64 x 40)", untouched));
    }
    EXPECT_EQ(rememberedTrace(keptStoreForWorkingFolder())->path, std::filesystem::absolute("sun.bmp").string());
}
