// panel.h - the status panel below the view area.
#ifndef TESSARY_PANEL_H
#define TESSARY_PANEL_H

#include "state.h"

// The values of the rows (shownframe.h), as the panel would show them now.
PanelValues panelValues(const Editor& e);

// The whole panel: both colour bands and the thirteen labelled values.
void drawPanel(const Editor& e);
// Only the bands and rows that `region` touches, each whole.
void drawPanelWithin(const Editor& e, const SurfaceRegion& region);
// Adds to `region` the rows whose values differ from `before`.
void panelRowsChanged(const Editor& e, const PanelValues& before, SurfaceRegion& region);
// The step of each event of a pass: the values whose text reaches past their
// label's blanks, printed without the label, as a frame would print them.
// Each is printed when it differs from the value last printed there
// (ShownFrame::panelEnds) or the window was cleared since the last frame.
void drawPanelOverhangs(Editor& e);

#endif
