// slots.h - saving and loading the picture in the seven slots.
#ifndef TESSARY_SLOTS_H
#define TESSARY_SLOTS_H

#include "state.h"

void saveCommand(Editor& e);  // key s
void loadCommand(Editor& e);  // key l

#endif
