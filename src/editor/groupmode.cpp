// groupmode.cpp - the keys, the mouse and the drawing of group mode.
#include "groupmode.h"

#include "colorunder.h"
#include "keypress.h"
#include "promptline.h"
#include "view.h"

namespace {

const ColorRGB red(255, 0, 0);  // the highlight, as of the selected line

const PictureTables& tablesOf(const Editor& e) { return e.picture.tables(); }

void selectGroup(Editor& e, const Group& g) {
    e.group.selected = g;
    e.group.selectedIn = tablesOf(e);
}

// Hands the tables, edited on a copy, to the picture: one step of their own, or
// part of the held stroke of a drag. The group stays selected on them, and the
// window is cleared of where the group was.
void applyEdit(Editor& e, const PictureTables& edited, bool inStroke) {
    if (edited == tablesOf(e)) return;
    if (inStroke) {
        e.picture.replaceInStroke(edited);
    } else {
        e.picture.replace(edited);
    }
    e.group.selectedIn = tablesOf(e);
    clearWindow(e);
}

// Moves the group by (dx, dy), less at the canvas edge; returns the move made.
CellStep moveSelected(Editor& e, int dx, int dy, bool inStroke) {
    PictureTables edited = tablesOf(e);
    const CellStep step = moveGroup(edited, selectedGroup(e), dx, dy);
    applyEdit(e, edited, inStroke);
    return step;
}

void copySelected(Editor& e, const char* done) {
    const Group g = selectedGroup(e);
    if (g.empty()) {
        showMessage("Nothing selected");
        return;
    }
    e.clip = copyGroup(tablesOf(e), g);
    showMessage(groupCounts(done, g));
}

void deleteSelected(Editor& e, const char* done) {
    const Group g = selectedGroup(e);
    if (g.empty()) return;
    PictureTables edited = tablesOf(e);
    eraseGroup(edited, g);
    applyEdit(e, edited, false);
    selectGroup(e, {});
    if (done != nullptr) showMessage(groupCounts(done, g));
}

void pasteCopy(Editor& e) {
    if (e.clip.empty()) {
        showMessage("Nothing copied");
        return;
    }
    PictureTables edited = tablesOf(e);
    const Paste paste = pasteClip(edited, e.clip, e.rmouseX, e.rmouseY);
    if (!paste.refusal.empty()) {
        showMessage(paste.refusal);
        return;
    }
    applyEdit(e, edited, false);
    selectGroup(e, paste.pasted);
    showMessage(groupCounts("Pasted", paste.pasted));
}

void clipboardKeys(Editor& e) {
    if (!ctrlHeld()) return;
    // All three asked, so that their latches follow the keys in every mode.
    const bool copy = keyPressed(SDLK_c);
    const bool cut = keyPressed(SDLK_x);
    const bool paste = keyPressed(SDLK_v);
    if (e.mode != groupMode) return;
    if (copy) copySelected(e, "Copied");
    if (cut) {
        copySelected(e, "Cut");
        deleteSelected(e, nullptr);
    }
    if (paste) pasteCopy(e);
}

void flipKeys(Editor& e) {
    const bool flip = keyPressed(SDLK_f);
    const bool turn = keyPressed(SDLK_o);
    const Group g = selectedGroup(e);
    if (g.empty()) return;
    PictureTables edited = tablesOf(e);
    if (flip) flipGroup(edited, g, shiftHeld() ? Flip::topBottom : Flip::leftRight);
    if (turn && !turnGroup(edited, g, shiftHeld() ? Turn::counterClockwise : Turn::clockwise)) {
        showMessage("Too wide to turn: over 200 cells");
    }
    applyEdit(e, edited, false);
}

void nudgeKeys(Editor& e) {
    // Right, Left, Down, Up, as arrowKeyOrder.
    const int dx[] = {1, -1, 0, 0};
    const int dy[] = {0, 0, 1, -1};
    for (size_t i = 0; i < arrowKeyOrder.size(); ++i) {
        // Asked without Shift too, so that a press that came before Shift does not count.
        if (keyPressed(arrowKeyOrder[i]) && shiftHeld()) moveSelected(e, dx[i], dy[i], false);
    }
}

// Calls edge(x1, y1, x2, y2) for each of the band's four edges.
template <typename Edge>
void bandEdges(const GroupState& g, Edge edge) {
    edge(g.anchorX, g.anchorY, g.cornerX, g.anchorY);
    edge(g.cornerX, g.anchorY, g.cornerX, g.cornerY);
    edge(g.cornerX, g.cornerY, g.anchorX, g.cornerY);
    edge(g.anchorX, g.cornerY, g.anchorX, g.anchorY);
}

void drawBand(const Editor& e, ColorRGB color) {
    const ViewBounds bounds = viewBounds(e);
    bandEdges(e.group, [&](int x1, int y1, int x2, int y2) {
        lineScaled(x1, y1, x2, y2, color, e.scale, e.X_Start, e.Y_Start, 0, bounds);
    });
}

// Paints the band over in the colours under it (tracing.h).
void eraseBand(const Editor& e) {
    bandEdges(e.group, [&](int x1, int y1, int x2, int y2) { paintUnderLine(e, x1, y1, x2, y2); });
}

// A press on the canvas: within the group's bounds it picks the group up,
// elsewhere it starts a band (and, without Shift, drops the group).
void startDrag(Editor& e) {
    GroupState& g = e.group;
    g.anchorX = g.cornerX = e.rmouseX;
    g.anchorY = g.cornerY = e.rmouseY;
    const Group selected = selectedGroup(e);
    if (!selected.empty() && inBox(groupBounds(tablesOf(e), selected), e.rmouseX, e.rmouseY)) {
        g.drag = GroupDrag::move;
        g.movedX = g.movedY = 0;
        return;
    }
    g.drag = GroupDrag::band;
    g.adding = shiftHeld();
    if (!g.adding) selectGroup(e, {});
}

// The held button: the band's corner, or the group, follows the cursor cell.
// The band is painted over and drawn anew on every step, as line mode's rubber
// band is, so that it shows again after anything cleared the window.
void followDrag(Editor& e) {
    GroupState& g = e.group;
    if (g.drag == GroupDrag::band) {
        eraseBand(e);
        g.cornerX = e.rmouseX;
        g.cornerY = e.rmouseY;
        drawBand(e, e.Draw_Color);
    }
    if (g.drag == GroupDrag::move) {
        const CellStep step =
            moveSelected(e, e.rmouseX - g.anchorX - g.movedX, e.rmouseY - g.anchorY - g.movedY, true);
        g.movedX += step.dx;
        g.movedY += step.dy;
    }
}

// The release: a band selects what lies inside it.
void endDrag(Editor& e) {
    GroupState& g = e.group;
    if (g.drag == GroupDrag::band) {
        eraseBand(e);
        Group chosen = groupInBox(tablesOf(e), boxBetween(g.anchorX, g.anchorY, g.cornerX, g.cornerY));
        if (g.adding) chosen |= selectedGroup(e);
        selectGroup(e, chosen);
        showMessage(groupCounts("Selected", chosen));
    }
    g.drag = GroupDrag::none;
}

}  // namespace

void enterGroupMode(Editor& e) {
    e.mode = groupMode;
    e.group = GroupState();
    selectGroup(e, {});
    e.group.buttonHeld = e.LMB;  // a press made before the mode starts no drag
}

Group selectedGroup(const Editor& e) {
    if (e.mode != groupMode || e.group.selectedIn != tablesOf(e)) return {};
    return entriesInUse(tablesOf(e), e.group.selected);
}

bool groupNudging(const Editor& e) { return e.mode == groupMode && shiftHeld(); }

void groupKeys(Editor& e) {
    clipboardKeys(e);
    if (e.mode != groupMode) return;
    flipKeys(e);
    if (deleteKeyPressed()) deleteSelected(e, "Deleted");
    nudgeKeys(e);
}

void groupStep(Editor& e) {
    const bool pressed = e.LMB && !e.group.buttonHeld;
    const bool released = !e.LMB && e.group.buttonHeld;
    e.group.buttonHeld = e.LMB;
    if (pressed && onCanvas(e.rmouseX, e.rmouseY)) startDrag(e);
    if (e.LMB && onCanvas(e.rmouseX, e.rmouseY)) followDrag(e);
    if (released) endDrag(e);
}

void highlightGroup(const Editor& e) {
    const Group g = selectedGroup(e);
    if (g.empty()) return;
    const PictureTables only = groupOnly(tablesOf(e), g);
    renderScaled(only, e.scale, e.X_Start, e.Y_Start, 0, 0, red, 0, 0);
    renderScaled(only, 1, 0, 0, overviewX, overviewY, red, 1, 0);
}
