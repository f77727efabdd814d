// The slots as an animation: Ctrl+E's ILDA show and GIF against the single
// slot exports, playback leaving the editor as it was, and the onion skin's
// cells on screen.
#include <gif_lib.h>
#include <png.h>
#include <map>
#include <random>

#include "animation.h"
#include "colorunder.h"
#include "copywriter.h"
#include "export.h"
#include "file_fixture.h"
#include "frame.h"
#include "giffile.h"
#include "ildashow.h"
#include "keys.h"
#include "slotcommands.h"
#include "tracememory.h"
#include "view.h"

namespace {

class AnimationTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        releaseAllKeys();
        readKeys();
        drainEvents();
    }
    void TearDown() override {
        finishSlotHistories();  // the saves' histories, written on a thread of their own
        FileTest::TearDown();
    }

    // A picture of its own for each seed, saved in slot nr.
    void saveSlot(int nr, int seed) {
        e.nr = nr;
        e.picture.clear();
        for (int i = 0; i < 4; ++i) e.picture.addLine((seed * 31 + i * 57) % 256, (seed * 17 + i * 41) % 200, i * 60, 199 - i * 40);
        e.picture.addPoint(seed * 9 % 256, seed * 13 % 200);
        ASSERT_TRUE(savePicture(e));
    }
};

std::string word(const std::string& bytes, size_t at) { return bytes.substr(at, 2); }
std::string bigEndian(int value) { return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)}; }

std::vector<ColorRGB> pngPixels(const std::string& path) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
    std::vector<ColorRGB> pixels;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) pixels.emplace_back(rgb[i], rgb[i + 1], rgb[i + 2]);
    return pixels;
}

bool loopsForever(const SavedImage& first) {
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
        const ExtensionBlock& app = first.ExtensionBlocks[i];
        const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
        if (app.Function == APPLICATION_EXT_FUNC_CODE && std::string(reinterpret_cast<char*>(app.Bytes), app.ByteCount) == "NETSCAPE2.0")
            return data.ByteCount == 3 && data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0;
    }
    return false;
}

struct ExportCase {
    int fps, separate, delay;
};

class AnimationExportTest : public AnimationTest, public ::testing::WithParamInterface<ExportCase> {};

// Slots 1, 3 and 5 hold pictures, slot 5 is being edited with a change not
// saved, and the others are empty: three frames, the one of slot 5 as it is now.
TEST_P(AnimationExportTest, EachFrameIsTheSingleSlotExportOfItsSlot) {
    const ExportCase c = GetParam();
    saveSlot(1, 1);
    saveSlot(3, 2);
    saveSlot(5, 3);
    e.picture.addLine(0, 0, 255, 0);
    e.separate = c.separate;
    e.Draw_Color = Colors[7];
    e.fps = c.fps;
    pressKey(SDLK_LCTRL, [] {});
    setKey(SDLK_LCTRL, true);
    pressKey(SDLK_e, [&] { runKeyCommands(e); });
    setKey(SDLK_LCTRL, false);
    EXPECT_TRUE(promptLineShows("Wrote animation.ild, .gif (3 frames)", packed(e.Background_Color)));
    const std::string show = readFile("animation.ild");
    GifFileType* gif = DGifOpenFileName("animation.gif", nullptr);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    ASSERT_EQ(gif->ImageCount, 3);
    EXPECT_TRUE(loopsForever(gif->SavedImages[0]));
    ASSERT_EQ(gif->SColorMap->ColorCount, c.separate ? 32 : 16);
    for (int k = 0; k < paletteSize; ++k) {
        const GifColorType& entry = gif->SColorMap->Colors[k];
        EXPECT_EQ(ColorRGB(entry.Red, entry.Green, entry.Blue), Colors[k]) << "colour " << k;
    }

    // The single exports, of the picture being edited first, as it is.
    std::map<int, std::string> laser;
    std::map<int, std::vector<ColorRGB>> image;
    for (int slot : {5, 1, 3}) {
        if (slot != 5) {
            e.nr = slot;
            ASSERT_TRUE(loadPicture(e));
        }
        exportPlotterCommand(e);
        exportImagesCommand(e);
        laser[slot] = readFile(("picture" + std::to_string(slot) + ".ild").c_str());
        image[slot] = pngPixels("picture" + std::to_string(slot) + ".png");
    }
    const int frames[] = {1, 3, 5};
    std::string expected;
    for (int number = 0; number < 3; ++number) {
        const std::string& single = laser[frames[number]];
        std::string frame = single.substr(0, single.size() - ildaHeaderSize);
        expected += frame.replace(ildaFrameNumberAt, 4, bigEndian(number) + bigEndian(3));

        GraphicsControlBlock control;
        ASSERT_EQ(DGifSavedExtensionToGCB(gif, number, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, c.delay);
        const SavedImage& shown = gif->SavedImages[number];
        const std::vector<ColorRGB>& png = image[frames[number]];
        ASSERT_EQ(png.size(), static_cast<size_t>(shown.ImageDesc.Width * shown.ImageDesc.Height));
        int differing = 0;
        for (size_t i = 0; i < png.size(); ++i) {
            const GifColorType& pixel = gif->SColorMap->Colors[shown.RasterBits[i]];
            differing += ColorRGB(pixel.Red, pixel.Green, pixel.Blue) != png[i];
        }
        EXPECT_EQ(differing, 0) << "slot " << frames[number];
    }
    EXPECT_EQ(show.substr(0, show.size() - ildaHeaderSize), expected);
    const std::string closing = show.substr(show.size() - ildaHeaderSize);
    EXPECT_EQ(closing.substr(0, 4), "ILDA");
    EXPECT_EQ(word(closing, 24), bigEndian(0)) << "no records";
    EXPECT_EQ(word(closing, ildaFrameNumberAt) + word(closing, ildaTotalFramesAt), bigEndian(3) + bigEndian(3));
    DGifCloseFile(gif, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Speeds, AnimationExportTest,
                         ::testing::Values(ExportCase{4, 0, 25}, ExportCase{30, 1, 3}, ExportCase{7, 0, 14}));

// Whatever the editor's state, playback stopped by a key or a button leaves
// it exactly as it was, and the press that stopped it reaches nothing else.
TEST_F(AnimationTest, PlaybackStoppedLeavesTheEditorAsItWas) {
    saveSlot(2, 5);
    saveSlot(6, 6);
    std::mt19937 random(42);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const int stoppers[] = {SDLK_a, SDLK_s, SDLK_ESCAPE, SDLK_1, SDLK_e, SDLK_n, SDLK_LSHIFT,
                            -SDL_BUTTON_LEFT, -SDL_BUTTON_RIGHT, -SDL_BUTTON_WHEELUP};
    for (int round = 0; round < 40 && !HasFailure(); ++round) {
        e.nr = pick(1, 7);
        e.mode = pick(pointMode, groupMode);
        e.scale = pick(1, 12);
        e.X_Start = pick(0, 200), e.Y_Start = pick(0, 150);
        e.X_Add = pick(1, 9), e.Y_Add = pick(1, 9);
        e.separate = pick(0, 1);
        e.Background_Color = Colors[pick(0, 15)], e.Draw_Color = Colors[pick(0, 15)];
        e.fps = pick(fewestFps, mostFps);
        e.onion.shown = pick(0, 1);
        if (pick(0, 1)) e.picture.addLine(pick(0, 255), pick(0, 199), pick(0, 255), pick(0, 199));
        if (pick(0, 3) == 0) e.picture.undo();
        const auto values = e.values();
        const PictureTables tables = e.picture.tables();
        const Picture::Mark mark = e.picture.mark();
        const int stopper = stoppers[pick(0, sizeof stoppers / sizeof stoppers[0] - 1)];
        if (stopper > 0) {
            tapKey(stopper);
        } else {
            pushInput(SDL_MOUSEBUTTONDOWN, -stopper, pick(0, 639), pick(0, 639));
            pushInput(SDL_MOUSEBUTTONUP, -stopper, 10, 10);
        }
        playAnimation(e);
        EXPECT_TRUE(values == e.values()) << "round " << round;
        EXPECT_TRUE(tables == e.picture.tables() && mark == e.picture.mark()) << "round " << round;
        EXPECT_FALSE(eventPending()) << "the release was taken";
        EXPECT_EQ(takeWheelNotches(), 0);
        if (stopper > 0) {
            EXPECT_FALSE(keyPressed(stopper)) << "round " << round;
        }
    }
}

TEST_F(AnimationTest, FramesASecondAreRememberedForTheFolder) {
    const KeptStore store = keptStoreForWorkingFolder();
    EXPECT_EQ(rememberedFps(store), defaultFps) << "none remembered yet";
    ASSERT_FALSE(rememberFps(store, 9));
    EXPECT_EQ(rememberedFps(store), 9);
    const struct {
        const char* held;
        int read;
    } cases[] = {{"30\n", 30}, {"1\n", 1}, {"31\n", defaultFps}, {"0\n", defaultFps}, {"7", defaultFps},
                 {"07\n", defaultFps}, {"", defaultFps}};
    for (const auto& c : cases) {
        writeFile((store.directory + "/fps").c_str(), c.held);
        EXPECT_EQ(rememberedFps(store), c.read) << c.held;
    }
    startAnimation(e);
    EXPECT_EQ(e.fps, defaultFps);
    for (const auto& [answer, fps] : {std::pair{0.0, 5}, {1.0, 1}, {30.9, 30}, {31.0, 5}, {-3.0, 5}, {1e300, 5}})
        EXPECT_EQ(fpsFromAnswer(answer, 5), fps) << answer;
}

TEST_F(AnimationTest, OnionSkinShowsThePreviousSlotDimmedUnderThePicture) {
    SDL_ShowCursor(SDL_DISABLE);
    e.nr = 7;
    e.picture.addPoint(10, 10);
    e.picture.addPoint(20, 20);
    ASSERT_TRUE(savePicture(e));
    e.nr = 1;
    e.picture.clear();
    e.picture.addPoint(20, 20);
    e.Background_Color = Colors[6];
    e.scale = 2;  // the overview's frame then stays off the prompt line
    clearWindow(e);
    const auto press = [&](int key) { pressKey(key, [&] { runKeyCommands(e); }); };
    const Uint32 dimmed = packed(ColorRGB((Colors[5].r + Colors[6].r) / 2, (Colors[5].g + Colors[6].g) / 2,
                                          (Colors[5].b + Colors[6].b) / 2));
    const Uint32 background = packed(Colors[6]), drawing = packed(Colors[5]);
    press(SDLK_n);
    EXPECT_TRUE(promptLineShows("Onion skin: slot 7", background));
    drawFrame(e);
    struct Expected {
        int x, y;
        Uint32 pixel;
    };
    for (const Expected& at : {Expected{20, 21, dimmed}, Expected{41, 40, drawing}, Expected{60, 60, background},
                               Expected{overviewX + 10, overviewY + 10, dimmed},
                               Expected{overviewX + 20, overviewY + 20, drawing}})
        EXPECT_EQ(rawPixel(at.x, at.y), at.pixel) << at.x << "," << at.y;
    e.picture.erasePoint(e.picture.tables().pointAt(20, 20));
    pixelScaled(e.scale, 20, 20, colorUnder(e, 20, 20), e.X_Start, e.Y_Start, 0, viewBounds(e));
    drawFrame(e);
    EXPECT_EQ(rawPixel(40, 40), dimmed) << "an erased cell shows the onion skin under it";
    EXPECT_EQ(rawPixel(overviewX + 20, overviewY + 20), dimmed);
    press(SDLK_2);  // slot 1, before slot 2, has no files
    drawFrame(e);
    EXPECT_EQ(e.onion.slot, 1);
    EXPECT_EQ(rawPixel(20, 20), background);
    EXPECT_EQ(rawPixel(overviewX + 10, overviewY + 10), background);
    press(SDLK_1);
    drawFrame(e);
    EXPECT_EQ(rawPixel(20, 20), dimmed);
    press(SDLK_n);
    EXPECT_TRUE(promptLineShows("Onion skin off", background));
    drawFrame(e);
    EXPECT_EQ(rawPixel(20, 20), background);
    EXPECT_EQ(rawPixel(overviewX + 10, overviewY + 10), background);
    SDL_ShowCursor(SDL_ENABLE);
}

}  // namespace
