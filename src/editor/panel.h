// panel.h - the status panel below the view area.
#ifndef TESSARY_PANEL_H
#define TESSARY_PANEL_H

#include "state.h"

// Step 13 of the pass: both colour bands and the thirteen labelled values.
void drawPanel(const Editor& e);

#endif
