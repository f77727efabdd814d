// key_script.h - plays scripted key states to a modal prompt running on the real window.
//
// A prompt loops until Enter, so its keys cannot be set before the call: another
// thread plays a script of steps instead. Each step is the set of keys held
// down; the player writes it into SDL's key array, pushes two events and waits
// until the prompt has taken both. The pass that takes the first event reads
// only that step's keys, because the next step is written only after the second
// event is gone. Use:
//
//     whilePlaying(typingKeys({SDLK_1, SDLK_2}), [&] { answer = getScalar(...); });
//
// Keys a prompt should find on its very first pass are set with pressBeforePrompt.
#ifndef TESSARY_TEST_KEY_SCRIPT_H
#define TESSARY_TEST_KEY_SCRIPT_H

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "surface_helpers.h"

// The keys held down in one step; every other key is up.
using Step = std::vector<int>;

// A first step with every key up (a pass that sees it sets the latches), then
// each group of keys pressed and released in turn, then Enter. Passes also run
// while the player rewrites the key array, so a pass may see part of the old
// step and part of the new one. Each step therefore changes one key only: a
// group is pressed one key at a time in its order (modifiers first) and
// released in reverse, and every state a pass can see is one the user could make.
std::vector<Step> typing(const std::vector<Step>& presses);

// typing() with every group a single key.
std::vector<Step> typingKeys(const std::vector<int>& keys);

// Plays the steps until `promptsOver` is set. When every step has been taken and
// it is still not set, pushes a quit so the prompt ends the program instead of
// waiting forever for keys that will never come.
void playSteps(const std::vector<Step>& steps, const std::atomic<bool>& promptsOver);

// Runs `runPrompts` (one prompt or several in a row) while another thread plays
// the steps; starts and ends with the event queue empty and every key up.
template <typename Prompt>
void whilePlaying(const std::vector<Step>& steps, Prompt runPrompts) {
    drainEvents();
    releaseAllKeys();
    std::atomic<bool> promptsOver{false};
    std::thread player(playSteps, std::cref(steps), std::cref(promptsOver));
    runPrompts();
    promptsOver = true;
    player.join();
    drainEvents();
    releaseAllKeys();
}

// Empties the event queue and holds exactly `keys` down, each with its latch set
// as if it had been seen up before, so that a prompt's first pass takes them all.
void pressBeforePrompt(const Step& keys);

#endif
