// aids.h - the drawing aids in the editor: the mirror (`m`), line ends that
// snap to the ends already there (`b`), and lines kept straight while Ctrl is
// held; their geometry is the picture layer's (drawingaids.h).
//
// The keys step cycles the mirror and turns snapping on and off, saying so on
// the prompt line. The cursor step (mouse.h) asks aimCursor for the cell a line
// takes; point mode and line mode hand their edits to the mirrored ones here,
// each point edit joining the held stroke and each line, with its images, one
// step of the history. The frame (frame.h) draws the mirror's axes and the
// snapped cursor over the picture, and the title names the aids that are on.
//
//     aidKeys(e);                  // key step: m, b
//     aimCursor(e);                // cursor step, after the pointer's cell is known
//     placeMirroredPoints(e);      // point mode, left button; eraseMirroredPoints: right
//     storeMirroredLine(e, line);  // line mode, a line entered
#ifndef TESSARY_AIDS_H
#define TESSARY_AIDS_H

#include <optional>
#include <string>

#include "state.h"

// Screen pixels from the pointer within which a line's start or end snaps.
constexpr double snapRadiusPixels = 8.0;

// `m` cycles the mirror (the window is cleared, to take the old axis away and
// show the new one); `b` turns snapping on and off.
void aidKeys(Editor& e);

// Line mode: the cursor cell becomes the cell a line takes there. While a line's
// end is chosen with Ctrl held, the cell that keeps the line straight;
// otherwise, with snapping on, the nearest line end or point shown within
// snapRadiusPixels of the pointer, if any. Other modes keep the pointer's cell.
void aimCursor(Editor& e);

// Point mode at the cursor cell and its mirror images: places the points
// missing (the caller refuses a full table first), or erases the first point
// at each. Both join the held stroke, and say on the prompt line how many
// images found the table full.
void placeMirroredPoints(Editor& e);
void eraseMirroredPoints(Editor& e);
// Line mode: stores the line and its mirror images as one step, saying how
// many images found the table full. Stores nothing when the table is full.
void storeMirroredLine(Editor& e, const Segment& line);

// " - mirror - snap": the aids that are on, as the title names them.
std::string aidsInTitle(const Editor& e);

// The frame's elements. The mirror's axes, dotted, in the view and in the
// overview, drawn only within the window rectangle (left, top)-(right, bottom).
void drawMirrorAxes(const Editor& e, int left, int top, int right, int bottom);
// The cursor cell shown over the picture while it lies on a line end or point
// in line mode with snapping on: where the line will join. None otherwise.
std::optional<Cell> snapMark(const Editor& e);
void drawSnapMark(const Editor& e, Cell mark);

#endif
