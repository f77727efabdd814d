// imagefiles.h - the picture as standard image files, and the command that writes them.
//
// Key e writes the picture of slot nr as "picture<nr>.svg" and "picture<nr>.png"
// in the working directory, each replaced atomically, exactly as the overview
// shows it (pictureimage.h). A file that cannot be written is reported on the
// prompt line and on standard error; nothing else on screen changes.
#ifndef TESSARY_IMAGEFILES_H
#define TESSARY_IMAGEFILES_H

#include <string>
#include <vector>

#include "cellimage.h"
#include "picture.h"
#include "state.h"

// Paths of the two image files; an empty path is not written.
struct ImageFiles {
    std::string svg;
    std::string png;
};

// "picture<nr>.svg" and "picture<nr>.png".
ImageFiles imageFileNames(int nr);

// Writes the image to each named file. Returns the paths that could not be
// written, SVG first; those files are left as they were.
std::vector<std::string> writeImageFiles(const CellImage& image, const ImageFiles& files);

// The picture tables and counts in use, as one value.
PictureTables tablesInUse(int pixels_Amount, int lines_amount);

void exportImagesCommand(const Editor& e);  // key e

#endif
