// key_script.cpp - the key script player and the step builders (see key_script.h).
#include "key_script.h"

#include <algorithm>
#include <cstdio>

#include "input.h"

namespace {

void holdOnly(const Step& keys) {
    int count = 0;
    Uint8* state = SDL_GetKeyState(&count);
    for (int key = 0; key < count; ++key) {
        const bool down = std::find(keys.begin(), keys.end(), key) != keys.end();
        state[key] = down ? 1 : 0;  // each byte written once, straight to its new state
    }
}

bool eventsPending() {
    SDL_Event event;
    return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0;
}

}  // namespace

std::vector<Step> typing(const std::vector<Step>& presses) {
    std::vector<Step> steps{{}};
    for (const Step& press : presses) {
        for (size_t n = 1; n <= press.size(); ++n) steps.push_back(Step(press.begin(), press.begin() + n));
        for (size_t n = press.size(); n-- > 0;) steps.push_back(Step(press.begin(), press.begin() + n));
    }
    steps.push_back({SDLK_RETURN});
    return steps;
}

std::vector<Step> typingKeys(const std::vector<int>& keys) {
    std::vector<Step> presses;
    for (int key : keys) presses.push_back({key});
    return typing(presses);
}

void playSteps(const std::vector<Step>& steps, const std::atomic<bool>& promptsOver) {
    for (const Step& step : steps) {
        holdOnly(step);
        pushEvent(SDL_USEREVENT);
        pushEvent(SDL_USEREVENT);
        while (eventsPending() && !promptsOver) SDL_Delay(1);
        if (promptsOver) return;
    }
    std::fprintf(stderr, "prompt still open after the last key\n");
    pushEvent(SDL_QUIT);
}

void pressBeforePrompt(const Step& keys) {
    drainEvents();
    releaseAllKeys();
    for (int key : keys) {
        setKey(key, true);
        if (latchSlot(key) >= 0) keyReleased[latchSlot(key)] = true;  // modifiers and Escape have no latch
    }
}
