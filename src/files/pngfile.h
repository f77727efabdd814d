// pngfile.h - a cell image as PNG bytes: one pixel per cell, 8-bit RGB, by libpng.
//
//     std::string bytes;
//     if (encodePng(image, bytes)) replaceFile("picture1.png", bytes);
#ifndef TESSARY_PNGFILE_H
#define TESSARY_PNGFILE_H

#include <string>

#include "cellimage.h"

// Replaces `bytes` with the PNG file of the image; false when libpng failed.
bool encodePng(const CellImage& image, std::string& bytes);

#endif
