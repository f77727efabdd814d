// ildashow.h - ILDA frames joined into one show: the laser's animation.
//
// A show is its frames one after another, each as the single-frame file
// (ildafile.h) lays it out, without that file's closing header; each frame's
// header numbers the frame from 0 and gives the total, and one closing header
// (no records, numbered as a frame after the last) ends the show. The frames
// are taken as whole single-frame files, so that whatever the single frame's
// layout is, each frame of the show is laid out the same.
//
//     std::string show = joinIldaFrames({frameFile(slot1), frameFile(slot3)});
#ifndef TESSARY_ILDASHOW_H
#define TESSARY_ILDASHOW_H

#include <string>
#include <vector>

constexpr size_t ildaHeaderSize = 32;
// Where a header holds its frame number and the total, two big-endian bytes each.
constexpr size_t ildaFrameNumberAt = 26, ildaTotalFramesAt = 28;

// The show of `frameFiles`, each a whole single-frame file (a header, its
// records and a closing header). Empty when there is no frame, or a file is
// too short to hold its two headers.
std::string joinIldaFrames(const std::vector<std::string>& frameFiles);

#endif
