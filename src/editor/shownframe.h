// shownframe.h - what the frame last drawn shows, as far as its drawing depends
// on the editor: the editor's memory of the window, owned by its state.
//
// The frame step (frame.h) compares it with the editor after each pass and
// draws again only where they differ. A fresh one knows nothing of the
// window, so the first frame after it draws everything.
#ifndef TESSARY_SHOWNFRAME_H
#define TESSARY_SHOWNFRAME_H

#include <array>
#include <optional>
#include <memory>

#include "coverage.h"
#include "drawingaids.h"
#include "group.h"
#include "gfx.h"

constexpr int panelRowCount = 13;
// The values of the panel's rows, top to bottom.
using PanelValues = std::array<int, panelRowCount>;

struct ShownFrame {
    bool drawn = false;  // a frame has been drawn since the state was made
    // Whatever the whole frame hangs on: a change draws it all again.
    int scale = 0, X_Start = 0, Y_Start = 0, separate = 0;
    ColorRGB background, draw;
    Mirror mirror = Mirror::off;  // the axes drawn
    // The onion skin's cells (onionskin.h), painted under the picture; null while hidden.
    std::shared_ptr<const Coverage> onion;
    // Each drawn element: the picture's entries (which coverage follows), the
    // highlighted line (-1: none), group mode's group in red and the panel's values.
    PictureTables picture;
    Coverage coverage;
    int highlighted = -1;
    Group group;
    PanelValues panel{};
    std::optional<Cell> snapMark;  // the cursor shown over the line end it snapped to (aids.h)
    // The values last printed in each row, by a frame or by an event of the pass
    // (drawPanelOverhangs): the end of a long one stays past the label.
    PanelValues panelEnds{};
};

#endif
