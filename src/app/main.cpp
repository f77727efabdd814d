// main.cpp - the process entry: the command line decides what runs.
#include "commandline.h"

int main(int argc, char* argv[]) { return runCommandLine(argc, argv); }
