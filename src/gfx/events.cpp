// events.cpp - taking events one at a time, and the key and mouse state as of
// the event taken last.
//
// SDL updates its key and mouse state when it pumps events, and one pump queues
// everything the window system delivered since the one before. A key pressed
// and let go between two pumps is therefore already up in SDL's array while its
// key-down event still waits in the queue, and a program that takes one event
// per pass and then reads the state would never see it down; nor would it see
// where the pointer was at each motion of a burst. So once the program takes
// events (done, takeEvent), readKeys and getMouseState report the state as of
// the event taken last: SDL's state with the input events still queued behind
// that one undone. A queued key-down means the key was up, a queued release
// that it was down; the first queued motion or button event tells where the
// pointer was. Every event then reaches the program with the state it brought.
//
// SDL 1.2 queues at most 127 events and drops the rest: a burst of motions
// that arrives while the program draws and presents can be longer. The
// layer's event filter therefore keeps, in order, every event that finds
// SDL's queue full, and every one after it while any is kept (holdOverflow);
// taking an event first moves kept ones into SDL's queue as room allows. The
// kept events count as queued everywhere: for the state as of an event, for
// eventPending and nextEventType.
//
// With no input event queued that is SDL's state itself, and inkeys is SDL's
// own array, so that writing into it (as headless programs and tests do) acts
// at once; otherwise inkeys points to the layer's copy.
#include <algorithm>
#include <deque>
#include <mutex>
#include <vector>

#include "gfx.h"
#include "surface.h"

namespace {

// SDL 1.2 keeps at most 128 events queued (one slot stays free).
constexpr int queueCapacity = 128;
constexpr Uint32 inputEvents = SDL_KEYDOWNMASK | SDL_KEYUPMASK | SDL_MOUSEMOTIONMASK | SDL_MOUSEBUTTONDOWNMASK |
                               SDL_MOUSEBUTTONUPMASK;

// True once the program has taken an event: from then on the state it is shown
// lags SDL's by the input events still queued.
bool takingEvents = false;
bool motionLast = false;  // the event taken last is a pointer motion
std::vector<Uint8> keysAsOfEvent;

// Events SDL had no room for, oldest first, behind those in its queue. SDL
// may filter on a thread of its own.
std::mutex overflowLock;
std::deque<SDL_Event> overflow;

bool isInput(const SDL_Event& event) { return (SDL_EVENTMASK(event.type) & inputEvents) != 0; }

// True on the thread moving kept events back: a library whose SDL_PushEvent
// runs the event filter must let them through.
thread_local bool refilling = false;

// Moves kept events into SDL's queue while it has room; overflowLock is held.
void moveKeptEvents() {
    refilling = true;
    while (!overflow.empty() && SDL_PushEvent(&overflow.front()) == 0) overflow.pop_front();
    refilling = false;
}

void refillQueue() {
    const std::lock_guard<std::mutex> hold(overflowLock);
    moveKeptEvents();
}

// The input events still queued, oldest first, and how many: SDL's, then the kept ones.
struct QueuedInput {
    std::vector<SDL_Event> events;
    int count = 0;

    QueuedInput() {
        if (!takingEvents) return;
        SDL_Event peeked[queueCapacity];  // on the stack: most looks find none, and allocate nothing
        count = std::max(0, SDL_PeepEvents(peeked, queueCapacity, SDL_PEEKEVENT, inputEvents));
        events.assign(peeked, peeked + count);
        const std::lock_guard<std::mutex> hold(overflowLock);
        for (const SDL_Event& event : overflow)
            if (isInput(event)) events.push_back(event);
        count = static_cast<int>(events.size());
    }
};

bool isButtonEvent(const SDL_Event& event) {
    return event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP;
}

// The button bits as of the event taken last, and the pointer in x and y.
Uint8 mouseAsOfEvent(int& x, int& y) {
    Uint8 buttons = SDL_GetMouseState(&x, &y);
    const QueuedInput queued;
    bool placed = false;
    Uint8 settled = 0;  // buttons whose first queued event has been seen
    for (int i = 0; i < queued.count; ++i) {
        const SDL_Event& event = queued.events[i];
        if (event.type == SDL_MOUSEMOTION && !placed) {
            x = event.motion.x - event.motion.xrel;
            y = event.motion.y - event.motion.yrel;
            placed = true;
        }
        if (!isButtonEvent(event) || event.button.button < 1 || event.button.button > 8) continue;
        if (!placed) {
            x = event.button.x;  // a button event does not move the pointer
            y = event.button.y;
            placed = true;
        }
        const Uint8 mask = static_cast<Uint8>(SDL_BUTTON(event.button.button));
        if (settled & mask) continue;
        settled |= mask;
        buttons = event.type == SDL_MOUSEBUTTONDOWN ? (buttons & ~mask) : (buttons | mask);
    }
    return buttons;
}

}  // namespace

bool holdOverflow(const SDL_Event* event) {
    if (refilling) return false;
    const std::lock_guard<std::mutex> hold(overflowLock);
    moveKeptEvents();  // so that a program reading SDL's queue alone still gets them, late
    SDL_Event queued[queueCapacity];
    if (overflow.empty() && SDL_PeepEvents(queued, queueCapacity, SDL_PEEKEVENT, SDL_ALLEVENTS) < queueCapacity - 1)
        return false;
    overflow.push_back(*event);
    return true;
}

bool takeEvent(SDL_Event& event) {
    refillQueue();
    if (SDL_PollEvent(&event) != 1) {
        event.type = SDL_NOEVENT;
        return false;
    }
    takingEvents = true;
    motionLast = event.type == SDL_MOUSEMOTION;
    readKeys();
    return true;
}

bool motionTakenLast() { return motionLast; }

bool eventQueued(Uint32 mask) {
    refillQueue();
    SDL_Event event;
    if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, mask) > 0) return true;
    const std::lock_guard<std::mutex> hold(overflowLock);
    return std::any_of(overflow.begin(), overflow.end(),
                       [mask](const SDL_Event& kept) { return (SDL_EVENTMASK(kept.type) & mask) != 0; });
}

bool eventPending() { return eventQueued(SDL_ALLEVENTS); }

Uint8 nextEventType() {
    SDL_PumpEvents();
    refillQueue();
    SDL_Event event;
    return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0 ? event.type : Uint8{SDL_NOEVENT};
}

void readKeys() {
    int keyCount = 0;
    Uint8* sdlKeys = SDL_GetKeyState(&keyCount);
    const QueuedInput queued;
    const auto isKeyEvent = [](const SDL_Event& event) {
        return event.type == SDL_KEYDOWN || event.type == SDL_KEYUP;
    };
    if (std::none_of(queued.events.begin(), queued.events.end(), isKeyEvent)) {
        inkeys = sdlKeys;
        return;
    }
    keysAsOfEvent.assign(sdlKeys, sdlKeys + keyCount);
    std::vector<bool> settled(keyCount, false);  // keys whose first queued event has been seen
    for (int i = 0; i < queued.count; ++i) {
        const SDL_Event& event = queued.events[i];
        if (!isKeyEvent(event)) continue;
        const int key = event.key.keysym.sym;
        if (key < 0 || key >= keyCount || settled[key]) continue;
        settled[key] = true;
        keysAsOfEvent[key] = event.type == SDL_KEYDOWN ? SDL_RELEASED : SDL_PRESSED;
    }
    inkeys = keysAsOfEvent.data();
}

void getMouseState(int& mouseX, int& mouseY) { mouseAsOfEvent(mouseX, mouseY); }

Uint8 getMouseButtons() {
    int x = 0, y = 0;
    return mouseAsOfEvent(x, y);
}

void getMouseState(int& mouseX, int& mouseY, bool& LMB, bool& RMB) {
    const Uint8 buttons = mouseAsOfEvent(mouseX, mouseY);
    LMB = (buttons & SDL_BUTTON_LMASK) != 0;
    RMB = (buttons & SDL_BUTTON_RMASK) != 0;
}
