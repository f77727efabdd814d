// test_main.cpp - opens the real 640 x 640 window once per test program, on
// SDL's dummy video driver, then runs the tests.
#include <cstdlib>

#include <gtest/gtest.h>

#include "gfx.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    screen(640, 640, false, "tests");
    return RUN_ALL_TESTS();
}
