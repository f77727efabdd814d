// slot_saver.cpp - another editor for slotlock_test: `slot_saver X` reads a
// byte (the start), then saves a point at (X, 0) to slot 1 as key s does,
// every fsync taking 20 ms; exits 0 when it saved.
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>

#include "slotcommands.h"

extern "C" int fsync(int fd) {  // the libraries' calls bind to this one
    usleep(20000);
    return static_cast<int>(syscall(SYS_fsync, fd));
}

int main(int, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    screen(640, 640, false, "slot saver");
    Editor e;
    e.picture.addPoint(std::atoi(argv[1]), 0);
    char start;
    if (read(0, &start, 1) == 1) saveCommand(e);
    return e.picture.unsaved();
}
