// tracing.cpp - choosing and remembering the image traced over; colorunder.cpp paints it.
#include "tracing.h"

#include "colorunder.h"
#include "keypress.h"
#include "promptline.h"
#include "state.h"
#include "tracememory.h"
#include "view.h"

namespace {

const ColorRGB white(255, 255, 255);
const ColorRGB black(0, 0, 0);
constexpr char tracePrompt[] = "Image to trace (PNG or BMP): ";
// The answer fits the prompt line's row after the prompt, 8-pixel cells across the window.
constexpr int answerLength = viewWidth / 8 - static_cast<int>(sizeof tracePrompt - 1);

void remember(const Editor& e) {
    const std::optional<FileFailure> failed =
        rememberTrace(keptStoreForWorkingFolder(), {e.trace.path, e.trace.shown});
    const std::string text = "Cannot remember the traced image";
    if (failed) reportMessage(text, text + ": " + failed->path + ": " + failed->reason);
}

// Reads the image at `path` as the one traced over; on failure returns why,
// and nothing changes.
std::string chooseTrace(Editor& e, const std::string& path, bool shown) {
    TraceRead read = readTraceImage(path);
    if (!read.image) return read.reason;
    e.trace.path = path;
    e.trace.shown = shown;
    e.trace.image = std::make_shared<const TraceImage>(std::move(*read.image));
    return "";
}

// After any clear, or the message would be wiped at once.
void reportTraceFailure(const std::string& path, const std::string& reason) {
    reportMessage("Cannot trace " + path + ": " + reason);
}

void showOrHide(Editor& e, bool shown) {
    e.trace.shown = shown;
    clearWindow(e);
    remember(e);
}

void traceCommand(Editor& e) {
    char answer[answerLength + 1] = {};
    const bool answered =
        getStringOrCancel(answer, answerLength, tracePrompt, promptLineX, promptLineY, white, true, black);
    showMessage("");  // the prompt goes; a report may follow
    if (!answered) return;
    if (answer[0] == '\0') {
        if (e.trace.image && e.trace.shown) showOrHide(e, false);
        return;
    }
    if (const std::string reason = chooseTrace(e, answer, true); !reason.empty())
        return reportTraceFailure(answer, reason);
    clearWindow(e);
    remember(e);
}

}  // namespace

void traceKeys(Editor& e) {
    if (!keyPressed(SDLK_t)) return;
    if (!shiftHeld()) {
        traceCommand(e);
    } else if (e.trace.image) {
        showOrHide(e, !e.trace.shown);
    } else {
        showMessage("No image to trace: t chooses one");
    }
}

void startTracing(Editor& e, const std::string& commandLinePath) {
    TraceChoice wanted = {commandLinePath, true};
    if (commandLinePath.empty()) wanted = rememberedTrace(keptStoreForWorkingFolder()).value_or(TraceChoice{});
    if (wanted.path.empty()) return;
    const std::string reason = chooseTrace(e, wanted.path, wanted.shown);
    clearWindow(e);
    if (!reason.empty()) return reportTraceFailure(wanted.path, reason);
    if (!commandLinePath.empty()) remember(e);
}
