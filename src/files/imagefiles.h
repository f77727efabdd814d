// imagefiles.h - the picture as standard image files.
//
// The picture of slot nr goes to "picture<nr>.svg" and "picture<nr>.png" in the
// working directory, each replaced atomically, exactly as the overview shows it
// (pictureimage.h). Each file is written on its own, like the export files: one
// that cannot be written does not keep the other from being written.
#ifndef TESSARY_IMAGEFILES_H
#define TESSARY_IMAGEFILES_H

#include <string>
#include <vector>

#include "cellimage.h"
#include "filereplace.h"

// Paths of the two image files; an empty path is not written.
struct ImageFiles {
    std::string svg;
    std::string png;
};

// "picture<nr>.svg" and "picture<nr>.png".
ImageFiles imageFileNames(int nr);

// Writes the image to each named file, each on its own. Returns the files that
// could not be written (each left as it was), with their reasons, SVG first.
std::vector<FileFailure> writeImageFiles(const CellImage& image, const ImageFiles& files);

#endif
