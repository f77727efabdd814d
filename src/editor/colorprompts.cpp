// colorprompts.cpp - the colour prompts of keys c and v.
#include "colorprompts.h"

#include "colorunder.h"
#include "promptline.h"

static void colorCommand(Editor& e, const char* message, ColorRGB& kolor) {
    const std::optional<double> answer = askNumber(message);
    if (!answer) return;  // the window is closing: the colour stays
    applyColorAnswer(*answer, kolor);
    clearWindow(e);
}

void applyColorAnswer(double answer, ColorRGB& kolor) {
    // Compared as a double first: a huge answer must not reach the int conversion.
    if (!(answer >= 1.0 && answer < paletteSize + 1)) return;
    const int numer = static_cast<int>(answer);
    kolor = Colors[numer - 1];
}

void backgroundColorCommand(Editor& e) { colorCommand(e, "Wpisz numer koloru dla tla: ", e.Background_Color); }

void drawColorCommand(Editor& e) { colorCommand(e, "Wpisz numer koloru dla pikseli: ", e.Draw_Color); }
