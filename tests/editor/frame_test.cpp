// The frame step against the full drawing: random events in every mode, and
// after every pass the window drawn in part (drawFrame) equals the window drawn
// in full (renderFrame, drawPanel) over the same events, pixel for pixel.
#include <cstring>
#include <random>
#include <vector>

#include "colorunder.h"
#include "editor.h"
#include "editor_fixture.h"
#include "file_fixture.h"
#include "frame.h"
#include "panel.h"
#include "slots.h"

namespace {

void copySurface(std::vector<Uint32>& pixels) {
    pixels.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        std::memcpy(&pixels[static_cast<size_t>(y) * w], static_cast<Uint8*>(scr->pixels) + y * scr->pitch, w * 4);
}

void restoreSurface(const std::vector<Uint32>& pixels) {
    for (int y = 0; y < h; ++y)
        std::memcpy(static_cast<Uint8*>(scr->pixels) + y * scr->pitch, &pixels[static_cast<size_t>(y) * w], w * 4);
}

// Queues events as a pump would, leaving SDL's state where the last one leaves
// it: every key and button is let go again within a burst.
class EventScript {
public:
    // With `slotKeys`, the onion skin's key and slot keys too.
    EventScript(unsigned seed, bool slotKeys) : random(seed), slotKeys(slotKeys) {}

    void queueBurst(const Editor& e) {
        const int events = pick(1, 12);
        for (int i = 0; i < events; ++i) queueOne(e);
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }


    // A pointer position: near the last, at the start of a line (to find it), or anywhere.
    void move(const Editor& e) {
        const int kind = pick(0, 9);
        if (kind < 6) {
            x = std::clamp(x + pick(-6, 6), 0, 639), y = std::clamp(y + pick(-6, 6), 0, 639);
        } else if (kind < 8 && e.picture.tables().lines_amount > 0) {
            const PictureTables& t = e.picture.tables();
            const int i = pick(0, l_number - 1);
            if (!t.line_oc[i]) return;
            x = std::clamp((t.lines[0][i] - e.X_Start) * e.scale, 0, 639);
            y = std::clamp((t.lines[1][i] - e.Y_Start) * e.scale, 0, 639);
        } else {
            x = pick(0, 639), y = pick(0, 639);
        }
        SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
    }

    void drag(const Editor& e, int button) {
        pushInput(SDL_MOUSEBUTTONDOWN, button, x, y);
        for (int n = pick(0, 6); n > 0; --n) move(e);
        pushInput(SDL_MOUSEBUTTONUP, button, x, y);
    }


    void queueOne(const Editor& e) {
        static const int keys[] = {SDLK_q, SDLK_w, SDLK_z, SDLK_x, SDLK_p, SDLK_8, SDLK_RIGHT, SDLK_LEFT, SDLK_DOWN,
                                   SDLK_UP, SDLK_KP_PLUS, SDLK_KP_MINUS, SDLK_KP_PERIOD, SDLK_KP_ENTER, SDLK_u,
                                   SDLK_y, SDLK_3, SDLK_EQUALS, SDLK_BACKQUOTE, SDLK_h, SDLK_g, SDLK_f, SDLK_o,
                                   SDLK_DELETE, SDLK_m, SDLK_b};
        const int kind = pick(0, 19);
        if (kind < 10) return move(e);
        if (kind < 13) return drag(e, SDL_BUTTON_LEFT);
        if (kind < 15) return drag(e, SDL_BUTTON_RIGHT);
        if (kind < 16) return pushInput(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, x, y), pushInput(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, x, y);
        static const int onionKeys[] = {SDLK_n, SDLK_1, SDLK_5};
        if (slotKeys && pick(0, 9) == 0) return tapKey(onionKeys[pick(0, 2)]);
        const int key = keys[pick(0, sizeof keys / sizeof keys[0] - 1)];
        // A clear, zooming out and the help page seldom, so that pictures grow and views stay.
        if ((key == SDLK_BACKQUOTE || key == SDLK_x || key == SDLK_h) && pick(0, 4) > 0) return move(e);
        tapKey(key);
    }

    std::mt19937 random;
    bool slotKeys;
    int x = 100, y = 100;
};

// With an image traced under the picture, or none; with the onion skin of
// slots saved in a temporary folder, or none.
class FrameTest : public EditorTest,
                  public ::testing::WithParamInterface<std::tuple<bool, bool>>,
                  protected ScratchFolder {
protected:
    void SetUp() override { EditorTest::SetUp(), enter(); }
    void TearDown() override { leave(), EditorTest::TearDown(); }
};

TEST_P(FrameTest, TheFrameDrawnInPartEqualsTheFullDrawingAfterEveryPass) {
    SDL_ShowCursor(SDL_DISABLE);  // the dummy driver would draw its own into the surface
    for (int i = 0; i < 40; ++i) addLine((i * 37) % 256, (i * 11) % 200, (i * 71) % 256, (i * 29) % 200);
    for (int i = 0; i < 60; ++i) addPoint((i * 13) % 256, (i * 47) % 200);
    const auto [traced, onion] = GetParam();
    if (traced) {  // an image over the whole canvas, its coverage in stripes
        auto image = std::make_shared<TraceImage>();
        for (int i = 0; i < Image_Width * Image_Height; ++i) image->cells[i] = {90, 40, 0, std::uint8_t(i % 7 * 40)};
        e.trace.image = image;
        e.trace.shown = true;
        clearWindow(e);
    }
    for (int nr = 1; onion && nr <= 6; ++nr) {  // slots 1 to 6 hold pictures of their own, slot 7 none
        PictureTables t;
        for (int i = 0; i < 20; ++i) t.createLine((i * 23 + nr * 40) % 256, (i * 7) % 200, (i * 53) % 256, (i * 31 + nr) % 200);
        ASSERT_TRUE(writeSlot(t, nr).logged.empty());
    }
    if (onion) pressKey(SDLK_n, [&] { runKeyCommands(e); });
    EventScript script(2026, onion);
    int passes = 0, framesInPart = 0;
    int passesIn[4] = {};  // per mode
    std::vector<Uint32> beforeFrame, drawnInPart, drawnInFull;
    for (int burst = 0; burst < 700 && !HasFailure(); ++burst) {
        script.queueBurst(e);
        do {
            if (applyQueuedEvents(e) == PassResult::Quit) FAIL() << "no event of the script quits";
            if (e.help != HelpPage::closed) continue;
            copySurface(beforeFrame);
            const bool inPart = e.shown.drawn;
            drawFrame(e);
            copySurface(drawnInPart);
            restoreSurface(beforeFrame);
            renderFrame(e);
            drawPanel(e);
            takeDamage();  // the reference's drawing is the frame's own
            ++passes;
            framesInPart += inPart;
            ++passesIn[e.mode];
            copySurface(drawnInFull);
            if (drawnInPart == drawnInFull) continue;
            size_t first = 0;
            while (drawnInPart[first] == drawnInFull[first]) ++first;
            FAIL() << "pass " << passes << " (burst " << burst << ", mode " << e.mode << ", scale " << e.scale
                   << "): first differing pixel (" << first % w << ", " << first / w << ")";
        } while (eventPending());
    }
    SDL_ShowCursor(SDL_ENABLE);
    EXPECT_GT(passes, 2000);
    EXPECT_GT(framesInPart, passes / 2);  // most frames were drawn in part
    for (int mode : {pointMode, lineMode, selectionMode, groupMode}) EXPECT_GT(passesIn[mode], 100) << "mode " << mode;
}

INSTANTIATE_TEST_SUITE_P(TracedAndOnion, FrameTest, ::testing::Combine(::testing::Bool(), ::testing::Bool()));

}  // namespace
