#include "view.h"
int max_x = 256, max_y = 200;
void calcMax(int, int, int) {}
void pixelScaled(int, int, int, ColorRGB, int, int, int) {}
bool lineScaled(int, int, int, int, ColorRGB, int, int, int, int) { return false; }
void renderScaled(int, int, int, int, int, ColorRGB, int, int) {}
void lineBox(int, int, int, int, ColorRGB) {}
void renderFrame(const Editor&) {}
