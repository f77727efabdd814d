// keys.cpp - the editor's key tests and its keyboard commands.
//
// Every command that changes what is shown as a whole clears the window, to
// the background colour and the image traced over (clearWindow), once the view
// has changed; the rest change only state that the next frame shows.
#include "keys.h"

#include "aids.h"
#include "animation.h"
#include "colorprompts.h"
#include "colorunder.h"
#include "export.h"
#include "groupmode.h"
#include "keeping.h"
#include "onionskin.h"
#include "selection.h"
#include "slotcommands.h"
#include "tracing.h"
#include "vectorizing.h"

void clearPictureKey(Editor& e) {
    if (!keyPressed(SDLK_BACKQUOTE) || !keepBeforeReplacing(e, KeptReason::clear)) return;
    e.picture.clear();
    clearWindow(e);
}

void slotKeys(Editor& e) {
    for (int slot = 1; slot <= 7; ++slot) {
        if (keyPressed(SDLK_0 + slot)) e.nr = slot;
    }
}

void separateKey(Editor& e) {
    if (keyPressed(SDLK_p)) e.separate = e.separate == 0 ? 1 : 0;
}

void modeKeys(Editor& e) {
    if (keyPressed(SDLK_q)) e.mode = pointMode;
    if (keyPressed(SDLK_w)) e.mode = lineMode;
    if (keyPressed(SDLK_g)) enterGroupMode(e);
}

void zoomIn(Editor& e) {
    if (e.scale < maxScale) ++e.scale;
    clearWindow(e);
}

void zoomOut(Editor& e) {
    if (e.scale > 1) --e.scale;
    clearWindow(e);
}

void zoomKeys(Editor& e) {
    // With Ctrl the press of z is left to historyKeys, which undoes, and that
    // of x to groupKeys, which cuts.
    if (!ctrlHeld() && keyPressed(SDLK_z)) zoomIn(e);
    if (!ctrlHeld() && keyPressed(SDLK_x)) zoomOut(e);
}

// A pan step grows by one per press and never falls below 1.
static void stepKeys(int growKey, int shrinkKey, int& step) {
    if (keyPressed(growKey)) ++step;
    if (keyPressed(shrinkKey) && step > 1) --step;
}

void panStepKeys(Editor& e) {
    stepKeys(SDLK_EQUALS, SDLK_MINUS, e.X_Add);
    stepKeys(SDLK_0, SDLK_9, e.Y_Add);
}

void homeKey(Editor& e) {
    if (!keyPressed(SDLK_8)) return;
    e.X_Start = 0;
    e.Y_Start = 0;
    clearWindow(e);
}

// One arrow (arrowKeyOrder[arrow]) with a step due: move the origin by
// `delta`, kept within 0..limit. The sum is taken wide, so no
// step can overflow it.
static void panKey(Editor& e, int arrow, Uint32 now, int& start, int delta, int limit) {
    if (!e.arrows[arrow].stepDue(keyDown(arrowKeyOrder[arrow]), now)) return;
    if (groupNudging(e)) return;  // Shift+arrows move the group instead
    const long long moved = static_cast<long long>(start) + delta;
    start = moved < 0 ? 0 : moved > limit ? limit : static_cast<int>(moved);
    clearWindow(e);
}

void arrowKeys(Editor& e) {
    // A pass without an event of its own is there for the held arrow's step.
    if (e.event2.type == SDL_NOEVENT) waitForArrowStep(e.arrows);
    const Uint32 now = getTicks();
    panKey(e, 0, now, e.X_Start, e.X_Add, maxXStart);
    panKey(e, 1, now, e.X_Start, -e.X_Add, maxXStart);
    panKey(e, 2, now, e.Y_Start, e.Y_Add, maxYStart);
    panKey(e, 3, now, e.Y_Start, -e.Y_Add, maxYStart);
}

bool arrowHeld() { return keyDown(SDLK_RIGHT) || keyDown(SDLK_LEFT) || keyDown(SDLK_DOWN) || keyDown(SDLK_UP); }

void historyKeys(Editor& e) {
    // y with Ctrl is y: Ctrl+Y redoes as y does.
    const bool ctrlZ = ctrlHeld() && keyPressed(SDLK_z);
    if ((keyPressed(SDLK_u) || (ctrlZ && !shiftHeld())) && e.picture.undo()) showRestoredPicture(e);
    if ((keyPressed(SDLK_y) || (ctrlZ && shiftHeld())) && e.picture.redo()) showRestoredPicture(e);
}

// Keys that only hold a modifier or change the view (zoom, pan, the pan steps,
// home); every other key starts something of its own.
static bool modifierOrViewKey(SDLKey key) {
    if (key >= SDLK_NUMLOCK && key <= SDLK_COMPOSE) return true;  // Shift, Ctrl, Alt, the locks
    switch (key) {
        case SDLK_z:
        case SDLK_x:
            return !ctrlHeld();  // with Ctrl: undo, cut
        case SDLK_RIGHT:
        case SDLK_LEFT:
        case SDLK_DOWN:
        case SDLK_UP:
            return !shiftHeld();  // with Shift: the group's nudge
        case SDLK_EQUALS:
        case SDLK_MINUS:
        case SDLK_0:
        case SDLK_9:
        case SDLK_8:
            return true;
        default:
            return false;
    }
}

void keyEndsDrag(Editor& e) {
    if (e.event2.type == SDL_KEYDOWN && !modifierOrViewKey(e.event2.key.keysym.sym)) endGroupDrag(e);
}

void runKeyCommands(Editor& e) {
    clearPictureKey(e);
    if (keyPressed(SDLK_s)) saveCommand(e);
    if (keyPressed(SDLK_r)) exportCommand(e);
    if (keyPressed(SDLK_l)) loadCommand(e);
    slotKeys(e);
    separateKey(e);
    // With Ctrl, c and v are left to groupKeys: copy and paste.
    if (!ctrlHeld() && keyPressed(SDLK_c)) backgroundColorCommand(e);
    if (!ctrlHeld() && keyPressed(SDLK_v)) drawColorCommand(e);
    modeKeys(e);
    zoomKeys(e);
    panStepKeys(e);
    homeKey(e);
    arrowKeys(e);
    historyKeys(e);
    groupKeys(e);
    if (keyPressed(SDLK_e)) {
        if (ctrlHeld()) exportAnimationCommand(e);
        else if (shiftHeld()) exportPlotterCommand(e);
        else exportImagesCommand(e);
    }
    if (keyPressed(SDLK_k)) keptPictureCommand(e);
    traceKeys(e);
    vectorizeKeys(e);
    aidKeys(e);
    onionSkinKeys(e);
    animationKeys(e);
}
