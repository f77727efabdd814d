// tracing.cpp - choosing, reading and remembering the image traced over;
// colorunder.cpp paints it.
//
// Every image is read on a thread of its own (tracereading.h): `t`, --trace
// and Shift+T on an image not read yet start a reading, and each pass follows
// it (followTraceReading): its progress on the prompt line, then the image,
// which takes the place of the one shown only once it is read, so that a
// failure changes nothing. A new reading, or hiding, drops the one in
// progress. Every message goes out through tell().
#include "tracing.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "colorunder.h"
#include "endsignals.h"
#include "keypress.h"
#include "promptline.h"
#include "state.h"
#include "tracememory.h"
#include "view.h"

namespace {

const ColorRGB white(255, 255, 255);
const ColorRGB black(0, 0, 0);
constexpr char tracePrompt[] = "Image to trace (PNG or BMP): ";
// The answer's field: the prompt line's row after the prompt, 8-pixel cells
// across the window. The answer itself may be as long as a path can be.
constexpr int answerCells = viewWidth / 8 - static_cast<int>(sizeof tracePrompt - 1);
constexpr size_t longestPath = PATH_MAX - 1;

// Where a message goes: the prompt line (news), the prompt line and standard
// error (a failure), or standard error alone (a failure that must not wipe
// the start's news).
enum class Told { news, failure, failureLogged };

// Every message of tracing. One that names the image is fitted to the prompt
// line as every message naming a file is: its reason whole, the name giving way.
void tell(Told how, const FileMessage& message, const std::string& detail = "") {
    const std::string logged = detail.empty() ? message.full() : detail;
    if (how == Told::news) showMessage(message.fitted(messageLength));
    else if (how == Told::failure) reportMessage(message, logged);
    else std::fprintf(stderr, "%s\n", logged.c_str());
}

void tell(Told how, const std::string& text) { tell(how, FileMessage().text(text)); }

void remember(const Editor& e) {
    const WriteInProgress writing;
    const std::optional<FileFailure> failed =
        rememberTrace(keptStoreForWorkingFolder(), {e.trace.path, e.trace.shown});
    if (failed)
        tell(Told::failure, FileMessage().text("Tracing not remembered").reason(failed->reason),
             "Cannot remember the traced image: " + failed->path + ": " + failed->reason);
}

// `~/` at the start of a typed path is the home folder.
std::string withHome(const std::string& typed) {
    const char* home = std::getenv("HOME");
    if (typed.rfind("~/", 0) != 0 || home == nullptr || *home == '\0') return typed;
    return home + typed.substr(1);
}

// Starts reading the image at `path`, named `name` in messages, dropping a
// reading in progress. A quiet reading keeps its news off the prompt line.
void startReading(Editor& e, const std::string& path, const std::string& name, bool quiet) {
    e.trace.reading.reset();  // first, so that one image is read at a time
    e.trace.reading = std::make_shared<TraceReading>(path);
    e.trace.readingName = name;
    e.trace.readingQuiet = quiet;
}

void showOrHide(Editor& e, bool shown) {
    e.trace.shown = shown;
    clearWindow(e);
    remember(e);
    tell(Told::news, shown ? "Tracing shown" : "Tracing hidden");
}

// An empty answer to `t`, or Shift+T while an image is read: the reading
// stops, and the chosen image, shown or to be shown once read, is hidden.
void hide(Editor& e) {
    const bool reading = e.trace.reading != nullptr;
    e.trace.reading.reset();
    if (e.trace.shown && !e.trace.path.empty()) showOrHide(e, false);
    else if (reading) tell(Told::news, "Tracing hidden");
}

void traceCommand(Editor& e) {
    std::string answer;
    const bool answered =
        getLineOrCancel(answer, longestPath, answerCells, tracePrompt, promptLineX, promptLineY, white, true, black);
    showMessage("");  // the prompt goes; a report may follow
    if (!answered) return;
    if (answer.empty()) return hide(e);
    startReading(e, withHome(answer), answer, false);
}

// Shift+T: a reading in progress stops and the image is hidden; a chosen
// image shows or hides; one remembered but not read yet is read to show.
void toggleTrace(Editor& e) {
    if (e.trace.reading) return hide(e);
    if (e.trace.image) return showOrHide(e, !e.trace.shown);
    if (e.trace.path.empty()) return tell(Told::news, "No image to trace: t chooses one");
    startReading(e, e.trace.path, e.trace.path, false);
    showOrHide(e, true);
}

// The image read: shown from now on, and remembered when it is a new choice.
void takeImage(Editor& e, const std::string& path, TraceImage image) {
    const bool newChoice = path != e.trace.path || !e.trace.shown;
    e.trace.path = path;
    e.trace.shown = true;
    e.trace.image = std::make_shared<const TraceImage>(std::move(image));
    repaintUnder(e);
    if (newChoice) remember(e);
}

}  // namespace

void traceKeys(Editor& e) {
    if (!keyPressed(SDLK_t)) return;
    if (shiftHeld()) toggleTrace(e);
    else traceCommand(e);
}

void followTraceReading(Editor& e) {
    if (!e.trace.reading) return;
    const std::string name = e.trace.readingName;
    const bool quiet = e.trace.readingQuiet;
    std::optional<TraceRead> read = e.trace.reading->take();
    if (!read) {
        const std::optional<int> percent = e.trace.reading->progressToShow();
        if (percent && !quiet) tell(Told::news, FileMessage().text("Reading ").name(name).text("... " + std::to_string(*percent) + " %"));
        return;
    }
    const std::string path = e.trace.reading->path();
    e.trace.reading.reset();
    if (!read->image) {
        // The log names the file with its folder: a name typed or given may
        // have been looked for elsewhere than the user thought.
        const std::string looked = std::filesystem::absolute(path).lexically_normal().string();
        return tell(quiet ? Told::failureLogged : Told::failure,
                    FileMessage().text("Cannot trace ").name(name).reason(read->reason),
                    FileMessage().text("Cannot trace ").name(looked).reason(read->reason).full());
    }
    if (!quiet)
        tell(Told::news, FileMessage().text("Tracing ").name(name).text(" (" + std::to_string(read->width) + " x " +
                                                                        std::to_string(read->height) + ")"));
    takeImage(e, path, std::move(*read->image));
}

void startTracing(Editor& e, const NamedPath& commandLine, bool keepPromptLine) {
    if (!commandLine.path.empty()) return startReading(e, commandLine.path, commandLine.name, keepPromptLine);
    const std::optional<TraceChoice> remembered = rememberedTrace(keptStoreForWorkingFolder());
    if (!remembered || remembered->path.empty()) return;
    e.trace.path = remembered->path;
    e.trace.shown = remembered->shown;
    if (remembered->shown) startReading(e, remembered->path, remembered->path, keepPromptLine);
}
