// imagefiles.h - the picture as standard image files, and the command that writes them.
//
// Key e writes the picture of slot nr as "picture<nr>.svg" and "picture<nr>.png"
// in the working directory, each replaced atomically, exactly as the overview
// shows it (pictureimage.h). The first file that cannot be written is reported
// on the prompt line and on standard error, and the export stops there; nothing
// else on screen changes.
#ifndef TESSARY_IMAGEFILES_H
#define TESSARY_IMAGEFILES_H

#include <string>

#include "cellimage.h"
#include "state.h"

// Paths of the two image files; an empty path is not written.
struct ImageFiles {
    std::string svg;
    std::string png;
};

// "picture<nr>.svg" and "picture<nr>.png".
ImageFiles imageFileNames(int nr);

// Writes the image to each named file, SVG first, and stops at the first that
// cannot be written. Returns that file's path, or an empty string when all were
// written; a file not written is left as it was.
std::string writeImageFiles(const CellImage& image, const ImageFiles& files);

void exportImagesCommand(const Editor& e);  // key e

#endif
