// test_main.cpp - opens the real 640 x 640 window once per test program, on
// SDL's dummy video driver, then runs the tests. Kept pictures go to a
// temporary state folder of the program's own, and the user's settings
// (machines.toml) are looked for in an empty folder inside it. The folder is
// removed by the first exit hook registered: it runs after every later one,
// those that end the threads still writing there included. A folder that
// cannot go fails the run.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "gfx.h"
#include "scratch_folder.h"

static char stateHome[] = "/tmp/tessary_state_XXXXXX";

static void removeStateHome() {
    const std::string failed = removeScratchFolder(stateHome);
    if (failed.empty()) return;
    std::fprintf(stderr, "State folder left: %s\n", failed.c_str());
    _exit(1);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (mkdtemp(stateHome) == nullptr) return 1;
    setenv("XDG_STATE_HOME", stateHome, 1);
    setenv("XDG_CONFIG_HOME", (std::string(stateHome) + "/config").c_str(), 1);
    std::atexit(removeStateHome);
    screen(640, 640, false, "tests");
    return RUN_ALL_TESTS();
}
