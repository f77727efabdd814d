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

static std::string ildaShow(const std::vector<AnimationFrame>& frames, ColorRGB laser) {
    std::vector<std::string> frameFiles;
    for (const AnimationFrame& frame : frames)
        frameFiles.push_back(ildaFrameFile(drawingOrder(frame.tables), {laser, laserFrameName(frame.slot)}));
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

std::vector<FileFailure> writeAnimationFiles(const std::vector<AnimationFrame>& frames, const AnimationFiles& files,
                                             const ImageColors& colors, int fps) {
    std::vector<FileFailure> failed;
    if (!files.ilda.empty())
        noteFailure(failed, files.ilda, replaceFile(files.ilda.c_str(), ildaShow(frames, colors.drawing)));
    if (!files.gif.empty()) writeGif(frames, colors, fps, files.gif, failed);
    return failed;
}
