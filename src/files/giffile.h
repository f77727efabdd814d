// giffile.h - cell images as the frames of an animated GIF, by giflib.
//
// Every frame covers the whole canvas at one pixel per cell, shows for the
// same time, and the animation loops forever (the NETSCAPE2.0 extension). The
// colour table holds the palette's 16 colours exactly, in palette order, and
// any other colour the frames use after them (the separate lines' dark
// green), so that no colour is approximated.
//
//     std::string bytes;
//     if (encodeGif({first, second}, 4, bytes)) replaceFile("animation.gif", bytes);
#ifndef TESSARY_GIFFILE_H
#define TESSARY_GIFFILE_H

#include <string>
#include <vector>

#include "cellimage.h"

// A frame's time in hundredths of a second, the GIF's unit, at `fps` frames
// a second: the nearest whole number, never 0 (which viewers treat as "fast").
int gifFrameDelay(int fps);

// Replaces `bytes` with the GIF file of `frames` (all of one size, at least
// one) at `fps` frames a second; false when giflib failed or the frames use
// more colours than a GIF can hold.
bool encodeGif(const std::vector<CellImage>& frames, int fps, std::string& bytes);

#endif
