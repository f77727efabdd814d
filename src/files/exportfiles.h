// exportfiles.h - the sorted, comma-separated export of the picture.
//
// The export sorts each table of the picture on one coordinate row, then writes
// "epixels<nr>.txt" (one "x,y," record per point in use) and "elines<nr>.txt"
// (one "x1,y1,x2,y2," record per line in use, then one more line end). The
// prompts that choose the keys, and the report of a failure, are the editor's.
#ifndef TESSARY_EXPORTFILES_H
#define TESSARY_EXPORTFILES_H

#include <string>
#include <vector>

#include "filereplace.h"
#include "picture.h"
#include "picturefiles.h"

// A prompt's answer as a sort key: its fraction dropped (toward zero). Answers
// beyond the int range, and NaN, give -1, which names no row.
int sortKeyFromAnswer(double answer);

// Sorts the points on row mode1 and the lines on row mode2 (a step of the
// picture's history when the order changed), then writes both export files of
// slot nr, each on its own: one that cannot be written does not keep the other
// from being written, nor the tables from being sorted. Returns the files that
// could not be written, with their reasons, points first.
std::vector<FileFailure> writeExportFiles(Picture& picture, int nr, int mode1, int mode2);

#endif
