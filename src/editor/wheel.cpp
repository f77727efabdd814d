// wheel.cpp - zooming about the pointer, with the zoom keys' own steps.
#include "wheel.h"

#include <algorithm>

#include "colorunder.h"
#include "keys.h"
#include "view.h"

void zoomAbout(Editor& e, int notches, int mouseX, int mouseY) {
    const int x = std::clamp(mouseX, 0, viewWidth - 1);
    const int y = std::clamp(mouseY, 0, viewHeight - 1);
    // Wide, since the row origin may lie near the top of the int range.
    const long long cellX = e.X_Start + static_cast<long long>(x / e.scale);
    const long long cellY = e.Y_Start + static_cast<long long>(y / e.scale);
    for (int step = notches; step > 0; --step) zoomIn(e);
    for (int step = notches; step < 0; ++step) zoomOut(e);
    e.X_Start = static_cast<int>(std::clamp(cellX - x / e.scale, 0LL, static_cast<long long>(maxXStart)));
    e.Y_Start = static_cast<int>(std::clamp(cellY - y / e.scale, 0LL, static_cast<long long>(maxYStart)));
    if (notches != 0) clearWindow(e);  // the zoom steps cleared it for the origin before this one
}

void wheelStep(Editor& e) {
    const int notches = takeWheelNotches();
    if (notches == 0) return;
    int mouseX = 0, mouseY = 0;
    getMouseState(mouseX, mouseY);
    zoomAbout(e, notches, mouseX, mouseY);
}
