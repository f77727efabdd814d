// test_main.cpp - opens the real 640 x 640 window once per test program, on
// SDL's dummy video driver, then runs the tests. Kept pictures go to a
// temporary state folder of the program's own, removed at the very end: by
// the first exit hook registered, so that it runs after every later one,
// those that end the threads still writing there included.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "gfx.h"
#include "scratch_folder.h"

namespace {

char stateHome[] = "/tmp/tessary_state_XXXXXX";

// A state folder that cannot go fails the run.
void removeStateHome() {
    const std::string failed = removeScratchFolder(stateHome);
    if (failed.empty()) return;
    std::fprintf(stderr, "The test state folder could not be removed: %s\n", failed.c_str());
    _exit(1);  // the last hook: nothing else is left to run
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (mkdtemp(stateHome) == nullptr) return 1;
    setenv("XDG_STATE_HOME", stateHome, 1);
    std::atexit(removeStateHome);
    screen(640, 640, false, "tests");
    return RUN_ALL_TESTS();
}
