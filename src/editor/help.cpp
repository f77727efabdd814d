// help.cpp - the help page's texts, its drawing and its opening and closing.
#include "help.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "colorunder.h"
#include "frame.h"
#include "keypress.h"
#include "view.h"

namespace {

// A heading when `keys` is null. In `text`, "{folder}" stands for the working
// folder and "{palette}" for the 16 colours with their numbers and swatches.
struct HelpRow {
    const char* keys;
    const char* text;
};

const HelpRow helpRows[] = {
    {nullptr, "Tessary help - any key or mouse button closes this page"},
    {nullptr, "Drawing"},
    {"q", "point mode: left button places points, right button erases"},
    {"w", "line mode: left click start, then end; Ctrl keeps it straight"},
    {"Shift+left click", "line mode, on a line's end: store it, go on from there"},
    {"m / b", "mirror: left-right, top-bottom, both, off / snap to ends"},
    {"right click", "line mode: find the lines at the cell, the first in red"},
    {"keypad + / -", "select the next / previous line found"},
    {"keypad Enter / .", "delete the selected line / keep it"},
    {"g", "group mode: drag a box, Shift+drag adds, drag the group moves"},
    {"Ctrl+C / X / V", "group: copy / cut / paste at the cursor; Shift+arrows move"},
    {"f / F, o / O", "group: flip left-right / top-bottom, turn right / left"},
    {"Del, Backspace", "delete the group; in selection mode, the selected line"},
    {"p", "lines in dark green / in the drawing colour"},
    {"` (backquote)", "clear the picture"},
    {nullptr, "View"},
    {"z / x, wheel", "zoom in / out (the wheel keeps the cell at the pointer)"},
    {"arrows", "pan; = / - and 0 / 9 make the pan steps larger / smaller"},
    {"8", "back to cell 0, 0"},
    {"t / Shift+T", "an image to trace over, PNG or BMP / show or hide it"},
    {"i / Shift+I", "lines from the traced image: outlines / centre lines"},
    {nullptr, "Slots and files"},
    {"1 .. 7", "choose the slot"},
    {"s / l", "save / load the picture of the slot"},
    {"e / Shift+E", "pictureN.svg, .png / .hpgl .gcode .ild as machines.toml says"},
    {"r", "export sorted epixelsN.txt and elinesN.txt"},
    {"n / a, Shift+A", "onion skin: the slot before / play the slots; their speed"},
    {"Ctrl+E", "the slots as frames: animation.ild and animation.gif"},
    {"slot N", "pixelsN.txt and linesN.txt"},
    {"files go to", "{folder}"},
    {nullptr, "Colours"},
    {"c / v", "background / drawing colour: a number of the palette"},
    {"", "{palette}"},
    {nullptr, "Undo"},
    {"u, Ctrl+Z", "undo the last change of the picture"},
    {"y, Ctrl+Y", "redo (also Ctrl+Shift+Z)"},
    {"k", "bring back a kept picture: unsaved, or a slot saved over"},
    {nullptr, "Help and quit"},
    {"h, F1", "this page"},
    {"Escape", "quit, once this page is closed; closing the window quits too"},
};

const char* const colorNames[paletteSize] = {
    "black", "white", "red", "cyan", "purple", "green", "blue", "yellow",
    "orange", "brown", "light red", "dark grey", "grey", "light green", "light blue", "light grey",
};

const ColorRGB white(255, 255, 255);
const ColorRGB black(0, 0, 0);
const ColorRGB headingColor = Colors[7];

constexpr int cell = 8;           // the font's cells
constexpr int rowStep = 10;       // pixels from one text row to the next, where the rows fit
constexpr int leftX = cell;       // the keys column
constexpr int textX = 18 * cell;  // the texts column
constexpr int textColumns = viewWidth / cell - textX / cell;
constexpr int paletteColumns = 4;
constexpr int paletteEntryWidth = 20 * cell;

constexpr int paletteRows = paletteSize / paletteColumns;

// The 16 colours in rows of four, `step` pixels apart: a framed swatch, the
// number and the name.
void drawPalette(int y, int step) {
    for (int k = 0; k < paletteSize; ++k) {
        const int x = leftX + paletteEntryWidth * (k % paletteColumns);
        const int rowY = y + step * (k / paletteColumns);
        drawRect(x, rowY, x + 2 * cell + 1, rowY + cell - 1, white);
        drawRect(x + 1, rowY + 1, x + 2 * cell, rowY + cell - 2, Colors[k]);
        const std::string label = std::to_string(k + 1) + " " + colorNames[k];
        print(label.c_str(), x + 3 * cell, rowY, white, false, black, 0);
    }
}

// The text rows a row of the table takes.
int rowsOf(const HelpRow& row) {
    return row.keys != nullptr && std::string(row.text) == "{palette}" ? paletteRows : 1;
}

std::string workingFolder() {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    return error ? std::string("the folder the editor was started in") : here.string();
}

// Draws one row at y, its text rows `step` pixels apart.
void drawRow(const HelpRow& row, int y, int step) {
    const std::string text = row.text;
    if (row.keys == nullptr) return void(print(row.text, leftX, y, headingColor, false, black, 0));
    if (text == "{palette}") return drawPalette(y, step);
    print(row.keys, leftX, y, white, false, black, 0);
    const std::string shown = text == "{folder}" ? fitPath(workingFolder(), textColumns - 1) : text;
    print(shown.c_str(), textX, y, white, false, black, 0);
}

// The rows rowStep apart, or closer where that would leave the view area.
void drawHelpPage() {
    drawRect(0, 0, viewWidth - 1, viewHeight - 1, black);
    int rows = 0;
    for (const HelpRow& row : helpRows) rows += rowsOf(row);
    const int top = 2;
    const int step = std::min(rowStep, (viewHeight - top - cell) / (rows - 1));
    int y = top;
    for (const HelpRow& row : helpRows) {
        drawRow(row, y, step);
        y += step * rowsOf(row);
    }
}

bool helpKeyPressed() {
    const bool h = keyPressed(SDLK_h);  // both asked, so that both latches follow their keys
    const bool f1 = keyPressed(SDLK_F1);
    return h || f1;
}

// A key (lock keys aside, which SDL shows held while their lock is on) or a mouse button.
bool anythingHeld() {
    for (int key = 0; key < SDLK_LAST; ++key) {
        const bool lock = key == SDLK_NUMLOCK || key == SDLK_CAPSLOCK || key == SDLK_SCROLLOCK;
        if (!lock && keyDown(key)) return true;
    }
    return getMouseButtons() != 0;
}

// The view area as the editor shows it, at once rather than on the next pass.
void closeHelpPage(Editor& e) {
    clearView(e);
    renderFrame(e);
    e.help = HelpPage::closed;
}

}  // namespace

bool helpKeepsEscape(const Editor& e) { return e.help != HelpPage::closed && keyDown(SDLK_ESCAPE); }

std::string fitPath(const std::string& path, std::size_t width) {
    if (path.size() <= width) return path;
    const std::string dots = "...";
    return width <= dots.size() ? dots.substr(0, width) : dots + path.substr(path.size() - (width - dots.size()));
}

std::optional<PassResult> helpStep(Editor& e) {
    if (e.help == HelpPage::closed) {
        if (!helpKeyPressed()) return std::nullopt;
        drawHelpPage();
        e.help = HelpPage::opening;
    }
    // Notches turned while the page shows close it; they never zoom afterwards.
    const bool wheeled = takeWheelNotches() != 0;
    switch (e.help) {
        case HelpPage::opening:  // the key that opened the page is let go first
            if (!anythingHeld()) e.help = HelpPage::shown;
            break;
        case HelpPage::shown:
            if (!anythingHeld() && !wheeled) break;
            e.help = HelpPage::closing;
            [[fallthrough]];
        case HelpPage::closing:  // closes once let go, so the closing press reaches nothing else
            if (anythingHeld()) break;
            closeHelpPage(e);
            presentChanges();
            return PassResult::Continue;
        default:
            break;
    }
    presentChanges();
    return PassResult::Idle;
}
