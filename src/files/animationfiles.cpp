// animationfiles.cpp - writing the frames' ILDA show and animated GIF.
#include "animationfiles.h"

#include "drawingorder.h"
#include "giffile.h"
#include "ildashow.h"
#include "plotterfiles.h"

AnimationFiles animationFileNames() { return {"animation.ild", "animation.gif"}; }

std::optional<PictureTables> slotFrame(int nr, std::vector<SlotReport>* reports) {
    SlotRead read = readSlot(nr);
    if (reports) reports->insert(reports->end(), read.reports.begin(), read.reports.end());
    if (read.neitherRead || read.tables.empty()) return std::nullopt;
    return std::move(read.tables);
}

// The show, laid out frame by frame as Shift+E lays out one; the note of its
// largest frame, which plays the slowest, goes to `written`.
static std::string ildaShow(const std::vector<AnimationFrame>& frames, const AnimationStyle& style,
                            AnimationWrite& written) {
    std::vector<std::string> frameFiles;
    size_t largest = 0;
    for (const AnimationFrame& frame : frames) {
        const LaserFrame laid = layoutLaserFrame(drawingOrder(frame.tables), style.colors.drawing, style.laser);
        frameFiles.push_back(ildaFrameFile(laid, laserFrameName(frame.slot)));
        if (laid.records.size() < largest) continue;
        largest = laid.records.size();
        written.note = laserFrameNote(laid, style.laser);
    }
    return joinIldaFrames(frameFiles);
}

static void writeGif(const std::vector<AnimationFrame>& frames, const ImageColors& colors, int fps,
                     const std::string& path, std::vector<FileFailure>& failed) {
    std::vector<CellImage> images;
    for (const AnimationFrame& frame : frames) images.push_back(pictureImage(frame.tables, colors));
    std::string bytes;
    if (!encodeGif(images, fps, bytes)) {
        failed.push_back({path, "the GIF encoder failed"});
        return;
    }
    noteFailure(failed, path, replaceFile(path.c_str(), bytes));
}

AnimationWrite writeAnimationFiles(const std::vector<AnimationFrame>& frames, const AnimationFiles& files,
                                   const AnimationStyle& style) {
    AnimationWrite written;
    if (!files.ilda.empty()) {
        const std::string show = ildaShow(frames, style, written);
        noteFailure(written.failed, files.ilda, replaceFile(files.ilda.c_str(), show));
    }
    if (!files.gif.empty()) writeGif(frames, style.colors, style.fps, files.gif, written.failed);
    return written;
}
