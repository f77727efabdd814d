// title.cpp - the window title's text.
#include "title.h"

std::string windowTitle(int nr, bool unsaved, bool group) {
    return "Tessary v.0.3 - slot " + std::to_string(nr) + (group ? " - group" : "") + (unsaved ? " *" : "");
}

void showTitle(const Editor& e) {
    setCaption(windowTitle(e.nr, e.picture.unsaved(), e.mode == groupMode).c_str());
}
