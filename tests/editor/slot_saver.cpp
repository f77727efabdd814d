// slot_saver.cpp - a second editor for slotlock_test: saves one picture to
// slot 1 of its working folder as key s does, on a disk whose every fsync
// takes 20 ms, so that two of them started together overlap.
//
//     slot_saver X    (reads a line from standard input first: the start)
//
// The picture is one point at (X, 0). The exit status is 0 when it was saved,
// 1 when it stays unsaved, 2 when the arguments were wrong.
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "slotcommands.h"

// Every fsync of the program (the static libraries' calls bind to this one).
extern "C" int fsync(int fd) {
    usleep(20000);
    return static_cast<int>(syscall(SYS_fsync, fd));
}

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    screen(640, 640, false, "slot saver");
    Editor e;
    e.picture.addPoint(std::atoi(argv[1]), 0);
    char start;
    if (read(0, &start, 1) != 1) return 2;
    saveCommand(e);
    return e.picture.unsaved() ? 1 : 0;
}
