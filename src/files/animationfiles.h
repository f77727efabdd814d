// animationfiles.h - the slots as the frames of an animation, written as one
// laser show and one animated GIF.
//
// A frame is a slot that holds a picture (at least one entry in use), in slot
// order. "animation.ild" is the ILDA show (ildashow.h) of the frames, each
// laid out as the laser file of Shift+E for the user's laser (laserframe.h,
// plotterfiles.h); "animation.gif" shows each frame as the PNG export draws
// it (pictureimage.h, giffile.h).
// Both are written in the working directory, each replaced atomically and on
// its own, like the other export files.
//
//     std::vector<AnimationFrame> frames;
//     for (int slot = 1; slot <= 7; ++slot)
//         if (auto tables = slotFrame(slot)) frames.push_back({slot, *tables});
//     const AnimationWrite written = writeAnimationFiles(frames, animationFileNames(), {colors, 4, profile.laser});
//     written.failed ...; written.note ...  // the laser frames' note, for the user
#ifndef TESSARY_ANIMATIONFILES_H
#define TESSARY_ANIMATIONFILES_H

#include <optional>
#include <string>
#include <vector>

#include "filereplace.h"
#include "laserframe.h"
#include "pictureimage.h"
#include "slots.h"
#include "tables.h"

// Frames a second: the start, and the range the prompt and --fps take.
constexpr int defaultFps = 4, fewestFps = 1, mostFps = 30;

struct AnimationFrame {
    int slot;
    PictureTables tables;
};

// Paths of the two files; an empty path is not written.
struct AnimationFiles {
    std::string ilda;
    std::string gif;
};

// "animation.ild" and "animation.gif".
AnimationFiles animationFileNames();

// What slot nr's files hold, when that is a picture: nothing when neither file
// could be read or the picture is empty. A file read in part gives what was
// read; what went wrong reading goes to `reports` when given.
std::optional<PictureTables> slotFrame(int nr, std::vector<SlotReport>* reports = nullptr);

// How the frames are drawn: in the image colours (the laser in the drawing
// colour unless its settings choose one), the GIF at `fps` frames a second.
struct AnimationStyle {
    ImageColors colors;
    int fps;
    LaserSettings laser;
};

struct AnimationWrite {
    std::vector<FileFailure> failed;  // with their reasons, ILDA first
    std::optional<LaserNote> note;    // of the frame with the most records, when the show was asked for
};

// Writes the frames (at least one) to each named file, each on its own; a file
// that could not be written is left as it was.
AnimationWrite writeAnimationFiles(const std::vector<AnimationFrame>& frames, const AnimationFiles& files,
                                   const AnimationStyle& style);

#endif
