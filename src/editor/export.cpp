// export.cpp - the export commands, their sort-key prompts and their reports.
#include "export.h"

#include "animation.h"
#include "endsignals.h"
#include "exportfiles.h"
#include "imagefiles.h"
#include "pictureimage.h"
#include "promptline.h"

std::string exportedText(int nr) { return "Exported slot " + std::to_string(nr); }

// "Wrote picture3.svg, .png": the first path, then the extension of each other
// one, fitted to the prompt line as every message naming a file.
static std::string writtenText(const std::vector<std::string>& paths) {
    FileMessage message = FileMessage().text("Wrote ").name(paths[0]);
    for (size_t i = 1; i < paths.size(); ++i) message.text(", " + paths[i].substr(paths[i].rfind('.')));
    return message.fitted(messageLength);
}

std::string imagesWrittenText(const ImageFiles& files) { return writtenText({files.svg, files.png}); }

std::string plotterFilesWrittenText(const PlotterFiles& files) {
    return writtenText({files.hpgl, files.gcode, files.ilda});
}

std::string animationWrittenText(const AnimationFiles& files, size_t frames) {
    const std::string count = " (" + std::to_string(frames) + (frames == 1 ? " frame)" : " frames)");
    FileMessage message = FileMessage().text("Wrote ").name(files.ilda);
    return message.text(", " + files.gif.substr(files.gif.rfind('.')) + count).fitted(messageLength);
}

bool exportPicture(Picture& picture, int nr, int mode1, int mode2) {
    std::vector<FileFailure> failed;
    {
        const WriteInProgress writing;
        failed = writeExportFiles(picture, nr, mode1, mode2);
    }
    if (failed.empty()) {
        showMessage(exportedText(nr));
        return true;
    }
    reportFileFailure("Export", failed[0], failed.size() > 1 ? &failed[1] : nullptr);
    return false;
}

// The sort key answered, or nothing when the window is closing.
static std::optional<int> askSortKey(const char* message) {
    const std::optional<double> answer = askNumber(message);
    if (!answer) return std::nullopt;
    return sortKeyFromAnswer(*answer);
}

void exportCommand(Editor& e) {
    // Both keys are asked for before any file is touched.
    const std::optional<int> mode1 = askSortKey("Export mode, enter pixels sort order( 0-x, 1-y): ");
    if (!mode1) return;
    const std::optional<int> mode2 = askSortKey("Export mode, enter pixels sort order( 0-x1, 1-y1, 2-x2, 3-y2): ");
    if (!mode2) return;
    exportPicture(e.picture, e.nr, *mode1, *mode2);
}

// Runs `write`, which writes files each on its own and returns those that
// failed. Reports the first file that failed with its reason on the prompt
// line (the line has room for one name and a reason whole) and every file that
// failed, each with its reason, on standard error; returns true, saying
// nothing, when all were written.
template <typename Write>
static bool writeAndReport(Write write) {
    std::vector<FileFailure> failed;
    {
        const WriteInProgress writing;
        failed = write();
    }
    if (failed.empty()) return true;
    std::string logged;  // a line for each file, with its reason
    for (const FileFailure& failure : failed) {
        if (!logged.empty()) logged += '\n';
        logged += fileFailureLine("Export", failure, nullptr);
    }
    reportMessage(fileFailureMessage("Export", failed[0]), logged);
    return false;
}

void exportImagesCommand(const Editor& e) {
    const ImageColors colors = {e.Background_Color, e.Draw_Color, e.separate != 0};
    const CellImage image = pictureImage(e.picture.tables(), colors);
    const ImageFiles files = imageFileNames(e.nr);
    if (writeAndReport([&] { return writeImageFiles(image, files); })) showMessage(imagesWrittenText(files));
}

// The settings file, read at every export, so that an edit of it takes effect
// at once; none, after reporting why, when it is refused.
static std::optional<MachineProfile> machinesOrReport(const Editor& e) {
    const MachinesRead machines = readMachines(machinesPath(e.machinesFile), !e.machinesFile.empty());
    if (!machines.failure) return machines.profile;
    reportMessage(*machines.failure);
    return std::nullopt;
}

void exportPlotterCommand(const Editor& e) {
    const std::optional<MachineProfile> machines = machinesOrReport(e);
    if (!machines) return;
    const PlotterFiles files = plotterFileNames(e.nr);
    const PlotterJob job = {laserFrameName(e.nr), e.Draw_Color, *machines};
    PlotterWrite written;
    const bool wrote = writeAndReport([&] {
        written = writePlotterFiles(e.picture.tables(), files, job);
        return written.failed;
    });
    if (!wrote) return;
    if (written.note) reportMessage(written.note->shown, written.note->whole);
    else showMessage(plotterFilesWrittenText(files));
}

void exportAnimationCommand(const Editor& e) {
    const std::vector<AnimationFrame> frames = animationFrames(e);
    if (frames.empty()) return showMessage("No slot holds a picture to write");
    const std::optional<MachineProfile> machines = machinesOrReport(e);
    if (!machines) return;
    const AnimationFiles files = animationFileNames();
    const AnimationStyle style = {{e.Background_Color, e.Draw_Color, e.separate != 0}, e.fps, machines->laser};
    AnimationWrite written;
    const bool wrote = writeAndReport([&] {
        written = writeAnimationFiles(frames, files, style);
        return written.failed;
    });
    if (!wrote) return;
    if (written.note) reportMessage(written.note->shown, written.note->whole);
    else showMessage(animationWrittenText(files, frames.size()));
}
