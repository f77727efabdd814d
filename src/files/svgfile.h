// svgfile.h - a cell image as SVG 1.1 text, one unit per cell.
//
// The background is one rect; the other cells are merged into horizontal runs,
// one path per colour, each run a closed "M x y h n v 1 h -n z" with integer
// coordinates only. With shape-rendering="crispEdges" a renderer draws every
// cell as an exact square at any whole zoom, with no seams between runs.
#ifndef TESSARY_SVGFILE_H
#define TESSARY_SVGFILE_H

#include <string>

#include "cellimage.h"

std::string encodeSvg(const CellImage& image);

#endif
