// onionskin.cpp - key n, and the onion skin following the slot.
#include "onionskin.h"

#include <string>

#include "colorunder.h"
#include "keypress.h"
#include "promptline.h"

namespace {

// The cells that slot nr's saved picture covers; null when it holds none.
std::shared_ptr<const Coverage> savedCells(int nr) {
    const std::optional<PictureTables> tables = slotFrame(nr);
    if (!tables) return nullptr;
    auto cells = std::make_shared<Coverage>();
    cells->follow(PictureTables(), *tables, [](CellBox) {});
    return cells;
}

void readPreviousSlot(Editor& e) {
    e.onion.slot = previousSlot(e.nr);
    e.onion.cells = savedCells(e.onion.slot);
    clearWindow(e);
}

void toggleOnionSkin(Editor& e) {
    e.onion.shown = !e.onion.shown;
    if (!e.onion.shown) {
        e.onion = OnionSkin();
        clearWindow(e);
        showMessage("Onion skin off");
        return;
    }
    readPreviousSlot(e);
    showMessage("Onion skin: slot " + std::to_string(e.onion.slot));
}

}  // namespace

int previousSlot(int nr) { return nr == 1 ? 7 : nr - 1; }

void onionSkinKeys(Editor& e) {
    if (keyPressed(SDLK_n)) toggleOnionSkin(e);
    if (e.onion.shown && e.onion.slot != previousSlot(e.nr)) readPreviousSlot(e);
}
