// export.h - the export keys: the sorted tables (r) and the image files (e).
//
// The files are written by exportfiles.h and imagefiles.h; this module asks
// for the sort keys and reports a file that could not be written on the prompt
// line and on standard error. Nothing else on screen changes.
#ifndef TESSARY_EXPORT_H
#define TESSARY_EXPORT_H

#include "state.h"

// Sorts the picture and writes slot nr's export files (exportfiles.h). Returns
// false, after reporting, when a file could not be written.
bool exportPicture(Picture& picture, int nr, int mode1, int mode2);

void exportCommand(Editor& e);        // key r: asks for both sort keys, then exports
void exportImagesCommand(const Editor& e);  // key e

#endif
