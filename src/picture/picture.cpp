// picture.cpp - the picture's changes, each recorded where it is made, and the palette.
#include "picture.h"

#include <utility>

constexpr ColorRGB Colors[paletteSize] = {
    ColorRGB(0, 0, 0),       ColorRGB(255, 255, 255), INTtoRGB(0x68372B), INTtoRGB(0x70A4B2),
    INTtoRGB(0x6F3D86),      INTtoRGB(0x588D43),      INTtoRGB(0x352879), INTtoRGB(0xB8C76F),
    INTtoRGB(0x6F4F25),      INTtoRGB(0x433900),      INTtoRGB(0x9A6759), INTtoRGB(0x444444),
    INTtoRGB(0x6C6C6C),      INTtoRGB(0x9AD284),      INTtoRGB(0x6C5EB5), INTtoRGB(0x959595),
};

template <typename Edit>
void Picture::change(bool strokeEdit, Edit edit) {
    if (strokeEdit && strokeHeld) {
        if (!strokeStarted) strokeStart = current;
        strokeStarted = true;
        edit(current);
        return;
    }
    endStroke();
    const PictureTables before = current;
    edit(current);
    if (current != before) steps.record(before);
}

void Picture::endStroke() {
    if (strokeStarted && current != strokeStart) steps.record(strokeStart);
    strokeStarted = false;
}

void Picture::holdStroke(bool held) {
    strokeHeld = held;
    if (!held) endStroke();
}

bool Picture::addPoint(int x, int y) {
    bool added = false;
    change(true, [&](PictureTables& t) { added = t.createPixel(x, y); });
    return added;
}

void Picture::erasePoint(int i) {
    change(true, [&](PictureTables& t) { t.emptyPixel(i); });
}

bool Picture::addLine(int x1, int y1, int x2, int y2) {
    bool added = false;
    change(false, [&](PictureTables& t) { added = t.createLine(x1, y1, x2, y2); });
    return added;
}

void Picture::eraseLine(int i) {
    change(false, [&](PictureTables& t) { t.emptyLine(i); });
}

void Picture::clear() {
    change(false, [](PictureTables& t) { t.clear(); });
}

void Picture::replace(const PictureTables& tables) {
    change(false, [&](PictureTables& t) { t = tables; });
}

void Picture::replaceInStroke(const PictureTables& tables) {
    change(true, [&](PictureTables& t) { t = tables; });
}

void Picture::sort(int pointKey, int lineKey) {
    change(false, [&](PictureTables& t) {
        sortTable(pointTable(t), pointKey);
        sortTable(lineTable(t), lineKey);
    });
}

bool Picture::undo() {
    endStroke();
    return steps.undo(current);
}

bool Picture::redo() {
    endStroke();
    return steps.redo(current);
}

History Picture::keptHistory() const {
    History kept = steps;
    if (strokeStarted && current != strokeStart) kept.record(strokeStart);
    return kept;
}

void Picture::restore(const PictureTables& tables, History history) {
    strokeStarted = false;
    current = tables;
    steps = std::move(history);
}

Picture::Mark Picture::mark() const {
    return {current, steps.undoSteps(), steps.redoSteps(), strokeHeld, strokeStarted};
}

bool Picture::Mark::operator==(const Mark& other) const {
    return tables == other.tables && undoSteps == other.undoSteps && redoSteps == other.redoSteps &&
           strokeHeld == other.strokeHeld && strokeStarted == other.strokeStarted;
}
