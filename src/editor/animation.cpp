// animation.cpp - playing the slots in the window, and the frames a second.
#include "animation.h"

#include <optional>
#include <string>

#include "colorunder.h"
#include "endsignals.h"
#include "keypress.h"
#include "promptline.h"
#include "title.h"
#include "tracememory.h"
#include "view.h"

namespace {

// A frame as the window shows a picture with nothing under it: the view, the
// overview's canvas and the overview's frame around the view.
void drawAnimationFrame(const Editor& e, const PictureTables& tables) {
    drawRect(0, 0, viewWidth - 1, viewHeight - 1, e.Background_Color);
    renderScaled(tables, e.scale, e.X_Start, e.Y_Start, 0, 0, e.Draw_Color, 0, e.separate);
    drawRect(overviewX, overviewY, overviewX + Image_Width - 1, overviewY + Image_Height - 1, e.Background_Color);
    renderScaled(tables, 1, 0, 0, overviewX, overviewY, e.Draw_Color, 1, e.separate);
    drawViewFrame(e);
}

// When each frame is due: at its own time from the start, so that no rounding
// adds up; after a frame that came late (a busy machine) the count starts
// again from then, rather than drawing the frames missed one after another.
class FramePace {
public:
    explicit FramePace(int fps) : fps(fps), start(getTicks()) {}

    Uint32 nextDue() {
        Uint32 due = start + static_cast<Uint32>(++shown * 1000 / fps);
        if (ticksReached(getTicks(), due)) {
            start = getTicks();
            shown = 1;
            due = start + static_cast<Uint32>(1000 / fps);
        }
        return due;
    }

private:
    int fps;
    Uint32 start;
    unsigned long long shown = 0;  // frames since `start`
};

// The press that stops playback, to be let go before the editor goes on.
struct Stopper {
    Uint8 releaseType = SDL_NOEVENT;  // SDL_KEYUP or SDL_MOUSEBUTTONUP; none for a close request
    int which = 0;                    // the key or the button
};

bool releases(const SDL_Event& event, const Stopper& stopper) {
    if (event.type != stopper.releaseType) return false;
    return event.type == SDL_KEYUP ? event.key.keysym.sym == stopper.which : event.button.button == stopper.which;
}

// Sleeps until getTicks() reaches `due` or a key or button is pressed; takes
// every other event. A close request stays queued and stops playback too.
std::optional<Stopper> waitForFrame(Uint32 due) {
    while (waitForEventUntil(due) || !ticksReached(getTicks(), due)) {
        const Uint8 next = nextEventType();
        if (next == SDL_QUIT) return Stopper();
        SDL_Event event;
        if (!takeEvent(event)) continue;  // woken by another thread: sleep on
        if (event.type == SDL_KEYDOWN) return Stopper{SDL_KEYUP, event.key.keysym.sym};
        if (event.type == SDL_MOUSEBUTTONDOWN) return Stopper{SDL_MOUSEBUTTONUP, event.button.button};
    }
    return std::nullopt;
}

// Takes every event until the stopping key or button is let go, or a close request arrives.
void waitForRelease(const Stopper& stopper) {
    if (stopper.releaseType == SDL_NOEVENT) return;
    for (;;) {
        waitForEvent();
        if (nextEventType() == SDL_QUIT) return;
        SDL_Event event;
        if (takeEvent(event) && releases(event, stopper)) return;
    }
}

}  // namespace

std::vector<AnimationFrame> animationFrames(const Editor& e) {
    std::vector<AnimationFrame> frames;
    for (int slot = 1; slot <= 7; ++slot) {
        if (slot == e.nr) {
            if (!e.picture.tables().empty()) frames.push_back({slot, e.picture.tables()});
        } else if (std::optional<PictureTables> tables = slotFrame(slot)) {
            frames.push_back({slot, std::move(*tables)});
        }
    }
    return frames;
}

void playAnimation(Editor& e) {
    const std::vector<AnimationFrame> frames = animationFrames(e);
    if (frames.empty()) return showMessage("No slot holds a picture to play");
    FramePace pace(e.fps);
    std::optional<Stopper> stopper;
    for (size_t shown = 0; !stopper; shown = (shown + 1) % frames.size()) {
        drawAnimationFrame(e, frames[shown].tables);
        setCaption(playingTitle(frames[shown].slot).c_str());
        presentChanges();
        stopper = waitForFrame(pace.nextDue());
    }
    waitForRelease(*stopper);
    readKeys();
    takeWheelNotches();  // a wheel's turn that stopped playback zooms nothing
    clearWindow(e);
}

int fpsFromAnswer(double answer, int fps) {
    // Compared as a double first: a huge answer must not reach the int conversion.
    if (!(answer >= fewestFps && answer < mostFps + 1)) return fps;
    return static_cast<int>(answer);
}

// Shift+A: asks, and remembers an answer that changes the speed for the folder.
static void askFps(Editor& e) {
    const std::optional<double> answer = askNumber("Frames per second (1-30): ");
    if (!answer) return;  // the window is closing: the speed stays
    const int fps = fpsFromAnswer(*answer, e.fps);
    const std::string told = "Frames per second: " + std::to_string(fps);
    if (fps == e.fps) return showMessage(told);
    e.fps = fps;
    std::optional<FileFailure> failed;
    {
        const WriteInProgress writing;
        failed = rememberFps(keptStoreForWorkingFolder(), fps);
    }
    if (!failed) return showMessage(told);
    reportMessage(FileMessage().text(told + ", not remembered").reason(failed->reason),
                  "Cannot remember the frames per second: " + failed->path + ": " + failed->reason);
}

void animationKeys(Editor& e) {
    if (ctrlHeld() || !keyPressed(SDLK_a)) return;
    if (shiftHeld()) askFps(e);
    else playAnimation(e);
}

void startAnimation(Editor& e) { e.fps = rememberedFps(keptStoreForWorkingFolder()); }
