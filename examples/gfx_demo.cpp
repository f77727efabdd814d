// gfx_demo.cpp - a short tour of the gfx layer: shapes, colours, text, a BMP
// picture and a modal prompt.
//
// `gfx_demo` opens a window, draws, asks one question and then waits until the
// window is closed or Escape is held. `gfx_demo --headless` answers the
// question itself and ends at once with status 0 (the tests run it this way on
// SDL's dummy video driver).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "gfx.h"

namespace {

const ColorRGB white(255, 255, 255);
const ColorRGB black(0, 0, 0);
const int pictureSize = 32;

// A ring of disks round the colour circle, a circle, a vertical line, and a
// line clipped to the window before drawLine (which refuses off-window ends).
void drawShapes() {
    for (int i = 0; i < 12; ++i) {
        const ColorRGB color = HSVtoRGB(ColorHSV(static_cast<Uint8>(i * 256 / 12), 255, 255));
        drawDisk(120 + (i % 6) * 40, 80 + (i / 6) * 40, 15, color);
    }
    drawCircle(480, 100, 60, white);
    verLine(560, 20, 180, white);
    int x1, y1, x2, y2;
    if (clipLine(-100, 300, 800, 200, x1, y1, x2, y2)) drawLine(x1, y1, x2, y2, ColorRGB(255, 255, 0));
}

// Writes a small picture with a red, a green and a blue band to `path`.
bool writeSamplePicture(const std::string& path) {
    SDL_Surface* picture =
        SDL_CreateRGBSurface(SDL_SWSURFACE, pictureSize, pictureSize, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (picture == nullptr) return false;
    const Uint32 bands[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (int band = 0; band < 3; ++band) {
        SDL_Rect rect = {0, static_cast<Sint16>(band * pictureSize / 3), pictureSize, pictureSize / 3 + 1};
        SDL_FillRect(picture, &rect, bands[band]);
    }
    const bool saved = SDL_SaveBMP(picture, path.c_str()) == 0;
    SDL_FreeSurface(picture);
    return saved;
}

// Loads the picture into a buffer in column order and sets its pixels at (x, y).
void showPicture(const std::string& path, int x, int y) {
    static ColorRGB image[pictureSize * pictureSize];
    const int bytesPerPixel = loadBMP(path.c_str(), image, pictureSize, pictureSize);
    for (int u = 0; u < pictureSize; ++u)
        for (int v = 0; v < pictureSize; ++v) pset(x + u, y + v, image[u * pictureSize + v]);
    const int cursor = print("BMP bytes per pixel: ", x + pictureSize + 8, y + 12, white, false, black, 0);
    iprint(bytesPerPixel, cursor / h, cursor % h, white, false, black, false, 0);
}

// Answers the prompt before it opens: `y` and Return are set down in SDL's key
// array with their release latches set (slot 24 for `y`, 100 for Return), so
// the prompt's first pass takes the answer and closes.
void answerPromptAhead() {
    Uint8* keys = SDL_GetKeyState(nullptr);
    keys[SDLK_y] = 1;
    keys[SDLK_RETURN] = 1;
    keyReleased[SDLK_y - SDLK_a] = true;
    keyReleased[100] = true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool headless = argc > 1 && std::strcmp(argv[1], "--headless") == 0;
    screen(640, 480, false, "gfx demo");
    cls(black);
    print("gfx demo: shapes, colours, text, a picture and a prompt", 8, 8, white, false, black, 0);
    drawShapes();

    const std::string path = (std::filesystem::temp_directory_path() / "gfx_demo_sample.bmp").string();
    if (writeSamplePicture(path)) showPicture(path, 40, 340);
    std::remove(path.c_str());
    redraw();

    if (headless) answerPromptAhead();
    const Uint8 answer = getChar("Do you like it (y/n)? ", 8, 440, white, true, black);
    print(answer == 'y' ? "Glad to hear it." : "Noted.", 8, 456, white, true, black, 0);
    redraw();
    if (headless) return answer == 'y' ? 0 : 1;

    while (!done()) SDL_Delay(10);  // until the window is closed or Escape is held
    return 0;
}
