// vectorizing.h - keys i and Shift+I: the image traced over turned into lines
// of the picture, its outlines or its centre lines (vectorize.h).
//
// The lines are found on a thread (linefinding.h) while the window goes on;
// past 200 ms the prompt line shows "Finding lines... 40 %", and Escape
// cancels the work, adding nothing (it quits the editor again once let go).
// What is found is added to the picture as one undo step, in the room the
// line table has, and the prompt line says what was added.
//
//     vectorizeKeys(e);          // every event: i, Shift+I, and Escape while finding
//     followLineFinding(e);      // every pass: progress, then the lines
//     if (done(event) && !findingKeepsEscape(e)) quit;
#ifndef TESSARY_VECTORIZING_H
#define TESSARY_VECTORIZING_H

#include "state.h"

void vectorizeKeys(Editor& e);

void followLineFinding(Editor& e);

// The event is Escape held, and it belongs to the line finding: the work is
// under way, or Escape cancelled it and is still held. A close request is
// never kept.
bool findingKeepsEscape(const Editor& e);

#endif
