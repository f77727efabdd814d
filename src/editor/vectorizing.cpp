// vectorizing.cpp - starting, cancelling and following the line finding, and adding what it found.
#include "vectorizing.h"

#include "keypress.h"
#include "promptline.h"

namespace {

void startFinding(Editor& e, LineKind kind) {
    e.finding.running.reset();  // first, so that one finding runs at a time
    if (!e.trace.image) return showMessage(noImageToTrace);
    if (e.picture.tables().lines_amount >= l_number) return showMessage(noRoomForLines);
    e.finding.running = std::make_shared<LineFinding>(e.trace.image, kind, e.picture.tables());
}

// The lines found, placed again when the picture changed while they were found.
void addFound(Editor& e, FoundLines found, const PictureTables& foundOn) {
    if (found.cancelled) return;
    if (e.picture.tables() != foundOn) found.placed = placeOnCells(found.paths, e.picture.tables());
    e.picture.replace(withPlacedLines(e.picture.tables(), found.placed));
    showMessage(foundLinesReport(found.placed));
}

}  // namespace

void vectorizeKeys(Editor& e) {
    if (!keyDown(SDLK_ESCAPE)) e.finding.escapeHeld = false;
    if (e.finding.running && keyDown(SDLK_ESCAPE)) {
        e.finding.running.reset();
        e.finding.escapeHeld = true;
        showMessage("");
    }
    if (keyPressed(SDLK_i)) startFinding(e, shiftHeld() ? LineKind::centreLines : LineKind::outlines);
}

void followLineFinding(Editor& e) {
    if (!e.finding.running) return;
    std::optional<FoundLines> found = e.finding.running->take();
    if (!found) {
        if (const std::optional<int> percent = e.finding.running->progressToShow())
            showMessage("Finding lines... " + std::to_string(*percent) + " %");
        return;
    }
    const std::shared_ptr<LineFinding> finding = std::move(e.finding.running);
    addFound(e, std::move(*found), finding->picture());
}

bool findingKeepsEscape(const Editor& e) {
    const bool finding = e.finding.running != nullptr || e.finding.escapeHeld;
    return finding && keyDown(SDLK_ESCAPE) && e.event2.type != SDL_QUIT;
}
