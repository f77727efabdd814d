// colorprompts.h - choosing the working colours from the palette by number.
//
// Keys c and v ask for a colour number (1..16) on the prompt line, copy that
// palette colour into the background or drawing colour, and clear the window so
// the whole picture is shown again in the new colours.
#ifndef TESSARY_COLORPROMPTS_H
#define TESSARY_COLORPROMPTS_H

#include "state.h"

void backgroundColorCommand(Editor& e);  // key c
void drawColorCommand(Editor& e);        // key v

// Copies palette colour number `answer` (whole part, truncated toward zero) into
// `kolor`. An answer naming no palette colour leaves `kolor` as it was.
void applyColorAnswer(double answer, ColorRGB& kolor);

#endif
