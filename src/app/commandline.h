// commandline.h - the program's command line: the editor, a headless render,
// the version and the usage.
//
//     tessary [--dir DIR]
//     tessary --pictures
//     tessary [--dir DIR | --pictures] --trace FILE
//     tessary --render N [--dir DIR | --pictures] [--svg FILE] [--png FILE]
//             [--hpgl FILE] [--gcode FILE] [--ilda FILE]
//             [--background K] [--color K] [--separate]
//             [--paper SIZE] [--margin MM] [--portrait] [--pen z|servo]
//     tessary --version | --help | -h
//     (all but the last also take --machines FILE)
//
// Messages go to standard error (the version and --help's usage to standard
// output). Exit status: the editor's own, 0 when the work was done, 1 when it
// failed, 2 for a usage error, a DIR that is not a directory or, for
// --pictures, no HOME.
#ifndef TESSARY_COMMANDLINE_H
#define TESSARY_COMMANDLINE_H

// Parses the arguments and runs what they ask for; returns the exit status.
int runCommandLine(int argc, char* argv[]);

#endif
