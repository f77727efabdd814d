// animation.h - the seven slots as the frames of an animation: playback in
// the window (key a), its frames a second (Shift+A) and the frames that the
// animation export (export.h, Ctrl+E) writes.
//
// The frames are the slots that hold a picture, in slot order; the picture
// being edited stands for its own slot as it is now, unsaved changes included.
// Playback takes the window over until any key or mouse button: it draws one
// frame at a time in the view and the overview, the title saying "playing",
// and sleeps until the next frame is due or an event arrives (waitForEventUntil),
// so a frame costs one frame's drawing and nothing runs between frames. The
// key or button that stops it does nothing else: playback waits until it is
// let go, and takes every event meanwhile. It changes nothing of the editor's
// state; it clears the window when it ends, and the next frame draws it all.
// A close request stops it too and stays queued, for the loop to end the editor.
//
//     startAnimation(e);   // at start: the frames a second remembered for the folder
//     animationKeys(e);    // every event: a and Shift+A
#ifndef TESSARY_ANIMATION_H
#define TESSARY_ANIMATION_H

#include <vector>

#include "state.h"

// The frames, in slot order: the current picture for slot e.nr when it is not
// empty, and every other slot whose files hold a picture.
std::vector<AnimationFrame> animationFrames(const Editor& e);

// Plays the frames, looping, at e.fps until a key or button is pressed and let
// go, or a close request arrives. With no frame, says so on the prompt line.
void playAnimation(Editor& e);

// The answer to Shift+A's prompt: its whole part when that is within
// fewestFps..mostFps, otherwise `fps` as it was.
int fpsFromAnswer(double answer, int fps);

// Key a plays; Shift+A asks for the frames a second ("Frames per second
// (1-30): ") and remembers the answer for the picture folder.
void animationKeys(Editor& e);

// Takes the frames a second remembered for the working folder.
void startAnimation(Editor& e);

#endif
