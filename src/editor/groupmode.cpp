// groupmode.cpp - the keys, the mouse and the drawing of group mode.
#include "groupmode.h"

#include "colorunder.h"
#include "keypress.h"
#include "promptline.h"
#include "selection.h"
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

// Copies the group selected into the clip; false, saying so, when nothing is selected.
bool clipSelected(Editor& e) {
    const Group g = selectedGroup(e);
    if (g.empty()) {
        showMessage("Nothing selected");
        return false;
    }
    e.clip = copyGroup(tablesOf(e), g);
    return true;
}

void copySelected(Editor& e) {
    if (clipSelected(e)) showMessage(groupCounts("Copied", selectedGroup(e)));
}

// Runs edit(tables, group) on a copy of the tables, for the group selected:
// the refusal it returns is shown, or the edit becomes one step and the prompt
// line says what was done with the group's counts. Nothing happens while no
// group is selected.
template <typename Edit>
void changeSelected(Editor& e, const char* done, Edit edit) {
    const Group g = selectedGroup(e);
    if (g.empty()) return;
    PictureTables edited = tablesOf(e);
    if (const std::string refusal = edit(edited, g); !refusal.empty()) {
        showMessage(refusal);
        return;
    }
    applyEdit(e, edited, false);  // clears the window: the message after it
    showMessage(groupCounts(done, g));
}

void deleteSelected(Editor& e, const char* done) {
    changeSelected(e, done, [](PictureTables& t, const Group& g) {
        eraseGroup(t, g);
        return std::string();
    });
    selectGroup(e, {});
}

void cutSelected(Editor& e) {
    if (clipSelected(e)) deleteSelected(e, "Cut");
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
    if (copy) copySelected(e);
    if (cut) cutSelected(e);
    if (paste) pasteCopy(e);
}

void flipKeys(Editor& e) {
    const bool flip = keyPressed(SDLK_f);
    const bool turn = keyPressed(SDLK_o);
    const bool other = shiftHeld();  // top-bottom, counter-clockwise
    if (flip) {
        changeSelected(e, "Flipped", [&](PictureTables& t, const Group& g) {
            flipGroup(t, g, other ? Flip::topBottom : Flip::leftRight);
            return std::string();
        });
    }
    if (turn) {
        changeSelected(e, "Turned", [&](PictureTables& t, const Group& g) {
            return turnGroup(t, g, other ? Turn::counterClockwise : Turn::clockwise);
        });
    }
}

// Shift+arrow: a move of one cell, told when the canvas edge did not stop it.
void nudge(Editor& e, int dx, int dy) {
    const Group g = selectedGroup(e);
    const CellStep step = moveSelected(e, dx, dy, false);
    if (step.dx != 0 || step.dy != 0) showMessage(groupCounts("Moved", g));
}

void nudgeKeys(Editor& e) {
    // Right, Left, Down, Up, as arrowKeyOrder.
    const int dx[] = {1, -1, 0, 0};
    const int dy[] = {0, 0, 1, -1};
    for (size_t i = 0; i < arrowKeyOrder.size(); ++i) {
        // Asked without Shift too, so that a press that came before Shift does not count.
        if (keyPressed(arrowKeyOrder[i]) && shiftHeld()) nudge(e, dx[i], dy[i]);
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

// The band as a dotted red outline, every other cell, so that it is never
// taken for lines of the picture. The dots keep their cells as the band grows.
void drawBand(const Editor& e) {
    const ViewBounds bounds = viewBounds(e);
    bandEdges(e.group, [&](int x1, int y1, int x2, int y2) {
        walkLine(x1, y1, x2, y2, [&](int x, int y) {
            if ((x + y) % 2 == 0) pixelScaled(e.scale, x, y, red, e.X_Start, e.Y_Start, 0, bounds);
        });
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
        drawBand(e);
    }
    if (g.drag == GroupDrag::move) {
        const CellStep step =
            moveSelected(e, e.rmouseX - g.anchorX - g.movedX, e.rmouseY - g.anchorY - g.movedY, true);
        g.movedX += step.dx;
        g.movedY += step.dy;
    }
}

// The release: a band selects what lies inside it; a move that moved is told.
void endDrag(Editor& e) {
    GroupState& g = e.group;
    if (g.drag == GroupDrag::band) {
        eraseBand(e);
        Group chosen = groupInBox(tablesOf(e), boxBetween(g.anchorX, g.anchorY, g.cornerX, g.cornerY));
        if (g.adding) chosen |= selectedGroup(e);
        selectGroup(e, chosen);
        showMessage(groupCounts("Selected", chosen));
    }
    if (g.drag == GroupDrag::move && (g.movedX != 0 || g.movedY != 0)) {
        showMessage(groupCounts("Moved", selectedGroup(e)));
    }
    g.drag = GroupDrag::none;
}

}  // namespace

void enterGroupMode(Editor& e) {
    // `g` again drops the group: the prompt line says so, rather than go on
    // showing what was selected, which the keys no longer act on.
    if (!selectedGroup(e).empty()) showMessage("Group dropped");
    // Line mode's line in progress and selection mode's line go: red is the group's here.
    if (e.line_phase == 1) paintUnderLine(e, e.line_sx, e.line_sy, e.line_ex, e.line_ey);
    e.line_phase = 0;
    forgetSelection(e);
    e.mode = groupMode;
    e.group = GroupState();
    selectGroup(e, {});
    e.group.buttonHeld = e.LMB;  // a press made before the mode starts no drag
}

Group selectedGroup(const Editor& e) {
    if (e.mode != groupMode || e.group.selectedIn != tablesOf(e)) return {};
    return entriesInUse(tablesOf(e), e.group.selected);
}

void endGroupDrag(Editor& e) {
    if (e.group.drag == GroupDrag::none) return;
    endDrag(e);
    e.picture.holdStroke(false);  // a move lands as its own step
    e.leftHoldSpent = true;
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
