#include "panel.h"
void drawPanel(const Editor&) {}
