// title.cpp - the window title's text.
#include "title.h"

#include "aids.h"

// The editing mode as the title names it; none for a mode without a name.
static std::string modeName(int mode) {
    switch (mode) {
        case pointMode:
            return "points";
        case lineMode:
            return "lines";
        case selectionMode:
            return "selection";
        case groupMode:
            return "group";
        default:
            return "";
    }
}

static std::string slotTitle(int nr) { return "Tessary v.0.3 - slot " + std::to_string(nr); }

std::string windowTitle(int nr, int mode, bool unsaved, const std::string& aids) {
    const std::string name = modeName(mode);
    return slotTitle(nr) + (name.empty() ? "" : " - " + name) + aids + (unsaved ? " *" : "");
}

std::string playingTitle(int nr) { return slotTitle(nr) + " - playing"; }

void showTitle(const Editor& e) {
    setCaption(windowTitle(e.nr, e.mode, e.picture.unsaved(), aidsInTitle(e)).c_str());
}
