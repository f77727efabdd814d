// The slots as an animation: Ctrl+E's ILDA show and GIF against the single
// slot exports, and playback leaving the editor exactly as it was.
#include <gif_lib.h>
#include <png.h>

#include <random>

#include "animation.h"
#include "export.h"
#include "file_fixture.h"
#include "frame.h"
#include "ildashow.h"
#include "keys.h"
#include "slotcommands.h"
#include "slots.h"

namespace {

// Slot nr's files hold a picture of their own.
void writePicture(int nr) {
    PictureTables t;
    for (int i = 0; i < 4; ++i) t.createLine((nr * 31 + i * 57) % 256, (nr * 17 + i * 41) % 200, i * 60, 199 - i * 40);
    t.createPixel(nr * 9 % 256, nr * 13 % 200);
    ASSERT_TRUE(writeSlot(t, nr).logged.empty());
}

std::string bigEndian(int value) { return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)}; }

std::vector<png_byte> pngRgb(const std::string& path) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_file(&image, path.c_str());
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
    return rgb;
}

std::vector<png_byte> gifRgb(const GifFileType* gif, int frame) {
    const SavedImage& image = gif->SavedImages[frame];
    std::vector<png_byte> rgb;
    for (int i = 0; i < image.ImageDesc.Width * image.ImageDesc.Height; ++i) {
        const GifColorType& c = gif->SColorMap->Colors[image.RasterBits[i]];
        rgb.insert(rgb.end(), {c.Red, c.Green, c.Blue});
    }
    return rgb;
}

// The NETSCAPE2.0 block before the first frame, with a loop count of 0: forever.
bool loopsForever(const SavedImage& first) {
    const auto bytes = [&](int i) { return std::string(reinterpret_cast<char*>(first.ExtensionBlocks[i].Bytes), first.ExtensionBlocks[i].ByteCount); };
    return first.ExtensionBlockCount >= 2 && first.ExtensionBlocks[0].Function == APPLICATION_EXT_FUNC_CODE &&
           bytes(0) == "NETSCAPE2.0" && bytes(1) == std::string("\1\0\0", 3);
}

struct ExportCase { int fps, separate, delay; };
class AnimationExportTest : public FileTest, public ::testing::WithParamInterface<ExportCase> {};

// Slots 1, 3 and 5 hold pictures, 5 being edited with a change not saved: three
// frames, slot 5's as it is now, each as Shift+E and e would write it alone.
TEST_P(AnimationExportTest, EachFrameIsTheSingleSlotExportOfItsSlot) {
    for (int nr : {1, 3, 5}) writePicture(nr);
    e.nr = 5;
    ASSERT_TRUE(loadPicture(e));
    e.picture.addLine(0, 0, 255, 0);
    e.separate = GetParam().separate, e.Draw_Color = Colors[7], e.fps = GetParam().fps;
    setKey(SDLK_LCTRL, true);
    pressKey(SDLK_e, [&] { runKeyCommands(e); });
    setKey(SDLK_LCTRL, false);
    EXPECT_TRUE(promptLineShows("Wrote animation.ild, .gif (3 frames)", packed(e.Background_Color)));
    const std::string show = readFile("animation.ild");
    GifFileType* gif = DGifOpenFileName("animation.gif", nullptr);
    ASSERT_TRUE(gif && DGifSlurp(gif) == GIF_OK);
    ASSERT_EQ(gif->ImageCount, 3);
    EXPECT_TRUE(loopsForever(gif->SavedImages[0]));
    for (int nr : {5, 1, 3}) {  // the picture being edited first, as it is
        if (nr != 5) e.nr = nr, loadPicture(e);
        exportPlotterCommand(e);
        exportImagesCommand(e);
    }
    std::string frames;
    for (int number = 0; number < 3; ++number) {
        const std::string stem = "picture" + std::to_string(1 + 2 * number), single = readFile((stem + ".ild").c_str());
        frames += single.substr(0, single.size() - ildaHeaderSize).replace(ildaFrameNumberAt, 4, bigEndian(number) + bigEndian(3));
        GraphicsControlBlock control;
        ASSERT_EQ(DGifSavedExtensionToGCB(gif, number, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, GetParam().delay);
        EXPECT_TRUE(gifRgb(gif, number) == pngRgb(stem + ".png")) << stem;
    }
    const std::string closing = "ILDA" + std::string(20, '\0') + bigEndian(0) + bigEndian(3) + bigEndian(3);
    EXPECT_EQ(show.substr(0, show.size() - ildaHeaderSize), frames);
    EXPECT_EQ(show.substr(show.size() - ildaHeaderSize, 30).replace(4, 20, 20, '\0'), closing);
    DGifCloseFile(gif, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Speeds, AnimationExportTest,
                         ::testing::Values(ExportCase{4, 0, 25}, ExportCase{30, 1, 3}, ExportCase{7, 0, 14}));

// Whatever the editor's state, playback stopped by a key or a button leaves
// it exactly as it was, and the press that stopped it reaches nothing else.
using PlaybackTest = FileTest;
TEST_F(PlaybackTest, StoppedItLeavesTheEditorAsItWas) {
    writePicture(2);
    writePicture(6);
    std::mt19937 random(42);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const int stoppers[] = {SDLK_a, SDLK_s, SDLK_ESCAPE, SDLK_1, SDLK_n, SDLK_LSHIFT, -SDL_BUTTON_LEFT, -SDL_BUTTON_RIGHT, -SDL_BUTTON_WHEELUP};
    for (int round = 0; round < 40 && !HasFailure(); ++round) {
        e.nr = pick(1, 7), e.mode = pick(pointMode, groupMode), e.scale = pick(1, 12);
        e.X_Start = pick(0, 200), e.Y_Start = pick(0, 150), e.X_Add = pick(1, 9), e.Y_Add = pick(1, 9);
        e.separate = pick(0, 1), e.Background_Color = Colors[pick(0, 15)], e.Draw_Color = Colors[pick(0, 15)];
        e.fps = pick(fewestFps, mostFps), e.onion.shown = pick(0, 1);
        if (pick(0, 1)) e.picture.addLine(pick(0, 255), pick(0, 199), pick(0, 255), pick(0, 199));
        if (pick(0, 3) == 0) e.picture.undo();
        const auto values = e.values();
        const PictureTables tables = e.picture.tables();
        const Picture::Mark mark = e.picture.mark();
        const int stopper = stoppers[pick(0, std::size(stoppers) - 1)];
        if (stopper > 0) tapKey(stopper);
        else pushInput(SDL_MOUSEBUTTONDOWN, -stopper, pick(0, 639), pick(0, 639)), pushInput(SDL_MOUSEBUTTONUP, -stopper, 10, 10);
        playAnimation(e);
        EXPECT_TRUE(values == e.values() && tables == e.picture.tables() && mark == e.picture.mark()) << round;
        EXPECT_FALSE(eventPending()) << "the release was taken";
        EXPECT_EQ(takeWheelNotches(), 0);
        EXPECT_FALSE(stopper > 0 && keyPressed(stopper)) << round;
    }
}

// The onion skin shows slot 7's picture before slot 1 halfway to the
// background, under the picture, until the slot changes or n hides it.
TEST_F(PlaybackTest, OnionSkinShowsThePreviousSlotDimmedUnderThePicture) {
    writePicture(7);
    e.nr = 1, e.scale = 2;
    PictureTables seven = readSlot(7).tables;
    const int x = seven.lines[0][0], y = seven.lines[1][0];  // a cell of slot 7's first line
    e.picture.addPoint(seven.pixel[0][0], seven.pixel[1][0]);
    const Uint32 dimmed = packed(ColorRGB(Colors[5].r / 2, Colors[5].g / 2, Colors[5].b / 2)), black = packed(Colors[0]);
    const auto press = [&](int key) { pressKey(key, [&] { runKeyCommands(e); }), drawFrame(e); };
    const auto shown = [&](int cx, int cy) { return std::pair{rawPixel(cx * 2, cy * 2), rawPixel(317 + cx, 420 + cy)}; };
    press(SDLK_n);
    EXPECT_EQ(shown(x, y), std::pair(dimmed, dimmed));
    EXPECT_EQ(shown(seven.pixel[0][0], seven.pixel[1][0]), std::pair(packed(Colors[5]), packed(Colors[5])));
    press(SDLK_2);
    EXPECT_EQ(shown(x, y), std::pair(black, black)) << "slot 1, before slot 2, has no files";
    press(SDLK_1), press(SDLK_n);
    EXPECT_EQ(shown(x, y), std::pair(black, black));
}

}  // namespace
