// main.cpp - the process entry. SDL 1.2 on Linux maps nothing to SDL_main, so
// this hands over to it; its result is the exit status.
#include "editor.h"

int main(int argc, char* argv[]) { return SDL_main(argc, argv); }
