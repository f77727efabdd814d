// editor_fixture.h - a fresh editor for the view, key and mouse tests: empty
// picture, black window, no key held, empty event queue, no key latches.
#ifndef TESSARY_TEST_EDITOR_FIXTURE_H
#define TESSARY_TEST_EDITOR_FIXTURE_H

#include <gtest/gtest.h>

#include "keys.h"
#include "state.h"
#include "surface_helpers.h"
#include "frame.h"
#include "view.h"

class EditorTest : public ::testing::Test {
protected:
    Editor e;
    const Uint32 black = packed(ColorRGB(0, 0, 0));
    const Uint32 red = packed(ColorRGB(255, 0, 0));
    const Uint32 white = packed(ColorRGB(255, 255, 255));

    void SetUp() override {
        releaseAllKeys();
        readKeys();
        keypressed.clear();
        drainEvents();
        cls(e.Background_Color);
    }

    void TearDown() override { releaseAllKeys(); }

    void addPoint(int x, int y) { e.picture.addPoint(x, y); }
    void addLine(int x1, int y1, int x2, int y2) { e.picture.addLine(x1, y1, x2, y2); }
    const PictureTables& tables() const { return e.picture.tables(); }

    // The pixels of the rectangle [x1..x2] x [y1..y2] that hold `value`, as "x,y" in row order.
    static std::vector<std::string> pixelsOf(int x1, int y1, int x2, int y2, Uint32 value) {
        std::vector<std::string> found;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                if (rawPixel(x, y) == value) found.push_back(std::to_string(x) + "," + std::to_string(y));
        return found;
    }
};

#endif
