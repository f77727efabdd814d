// vectorize.h - lines from the image traced over: the outlines of its dark
// parts (key i), or the centre lines of its strokes (Shift+I), added to the
// picture within the room it has.
//
// The ink is what is darker than a threshold chosen from the image itself
// (Otsu's method over the luminance of its cells; transparent parts count as
// white, so they are never ink). The image lies where tracing shows it
// (TraceImage::fit), and its cells are spread over a grid inkScale times
// finer (bilinear between the cells' centres), so that a round shape comes
// out round rather than as a staircase of cells. Outlines are Potrace's
// curves round the ink, flattened; centre lines are the ink's skeleton
// (skeleton.h). Either way specks smaller than a cell are dropped, and
// cellpaths.h puts the paths on the cells with the least tolerance that lets
// them fit the line table's free entries.
//
//     const FoundLines found = findLines(*image, LineKind::outlines, picture.tables(), &progress);
//     if (!found.cancelled) {
//         picture.replace(withPlacedLines(picture.tables(), found.placed));
//         say(foundLinesReport(found.placed));   // "Added 143 lines from the image"
//     }
//
// The work is a few tens of milliseconds; a TraceProgress hears how far it
// is and can stop it (then `cancelled`, and nothing placed).
#ifndef TESSARY_VECTORIZE_H
#define TESSARY_VECTORIZE_H

#include <string>

#include "cellpaths.h"
#include "skeleton.h"
#include "traceimage.h"

enum class LineKind { outlines, centreLines };

// Ink pixels across a cell.
constexpr int inkScale = 4;

constexpr char noImageToTrace[] = "No image to trace";
constexpr char noRoomForLines[] = "No room for more lines";

// The image's ink on the grid inkScale times finer than the canvas.
InkBitmap inkOf(const TraceImage& image);

// The paths found, and their lines placed on the picture given; a picture
// changed meanwhile places the same paths again (placeOnCells).
struct FoundLines {
    std::vector<TracedPath> paths;
    PlacedLines placed;
    bool cancelled = false;
};

FoundLines findLines(const TraceImage& image, LineKind kind, const PictureTables& picture,
                     TraceProgress* progress = nullptr);

// What was added, in at most the prompt line's 40 characters: "Added 143
// lines from the image", or "Added 143 lines and 2 points" when dots were
// added too; when the tolerance had to grow, "Added 143 lines within 1.5
// cells", and "Added 12 of the lines within 8 cells" when even the coarsest
// left the smallest shapes out; "No lines found in the image" for none.
std::string foundLinesReport(const PlacedLines& placed);

#endif
