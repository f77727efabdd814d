// test_main.cpp - opens the real 640 x 640 window once per test program, on
// SDL's dummy video driver, then runs the tests. Kept pictures go to a
// temporary state folder of the program's own, removed at the end, and the
// user's settings (machines.toml) are looked for in an empty folder inside it.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "gfx.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    char stateHome[] = "/tmp/tessary_state_XXXXXX";
    if (mkdtemp(stateHome) == nullptr) return 1;
    setenv("XDG_STATE_HOME", stateHome, 1);
    setenv("XDG_CONFIG_HOME", (std::string(stateHome) + "/config").c_str(), 1);
    screen(640, 640, false, "tests");
    const int status = RUN_ALL_TESTS();
    std::filesystem::remove_all(stateHome);
    return status;
}
