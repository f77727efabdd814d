// colorprompts.h - choosing the working colours from the palette by number.
#ifndef TESSARY_COLORPROMPTS_H
#define TESSARY_COLORPROMPTS_H

#include "state.h"

void backgroundColorCommand(Editor& e);  // key c
void drawColorCommand(Editor& e);        // key v

#endif
