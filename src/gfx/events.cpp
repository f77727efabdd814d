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
// eventPending and nextEventType. The key and button events among them are
// also kept apart, with a count of each type, so that neither the state as of
// an event nor a look for a type walks a long burst of motions: a backlog
// drains in time proportional to its length.
//
// Past heldEventLimit kept events, a motion to a position that a motion of
// the same burst (the motions since the last other event, all with one button
// state) already reported is merged into nothing: its relative move goes to
// the next motion kept. Every position the pointer passed is still reported,
// once, so a program that acts on each position (and the same way on a second
// visit) loses nothing; the other events are never merged or dropped.
//
// With no input event queued that is SDL's state itself, and inkeys is SDL's
// own array, so that writing into it (as headless programs and tests do) acts
// at once; otherwise inkeys points to the layer's copy.
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <unordered_set>
#include <utility>
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
std::vector<bool> keysSettled;  // keys whose first queued event readKeys has seen

bool isButtonEvent(const SDL_Event& event) {
    return event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP;
}

bool isKeyOrButton(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN || event.type == SDL_KEYUP || isButtonEvent(event);
}

// A kept event and its place among all kept.
struct Held {
    SDL_Event event;
    std::uint64_t order;
};

// Events SDL had no room for, oldest first, behind those in its queue. SDL
// may filter on a thread of its own: all of it is used under `lock`.
struct Overflow {
    std::mutex lock;
    std::deque<Held> events;
    std::deque<Held> keysAndButtons;  // those of `events` that are key or button events
    std::array<std::size_t, SDL_NUMEVENTS> ofType{};
    std::uint64_t nextOrder = 0;
    // The burst of motions at the end of `events`: its button state, the
    // positions it reported, and the relative move of motions merged since
    // the last one kept.
    std::optional<Uint8> burstButtons;
    std::unordered_set<std::uint32_t> burstPositions;
    int mergedX = 0, mergedY = 0;

    void hold(SDL_Event event);
    void dropFront();
    // The first kept motion; null when none is kept.
    const Held* firstMotion() const;
};

Overflow overflow;

std::uint32_t positionKey(const SDL_MouseMotionEvent& motion) {
    return static_cast<std::uint32_t>(motion.x) << 16 | motion.y;
}

Sint16 clampedMove(int move) { return static_cast<Sint16>(std::clamp(move, -32768, 32767)); }

void Overflow::hold(SDL_Event event) {
    if (event.type == SDL_MOUSEMOTION) {
        SDL_MouseMotionEvent& motion = event.motion;
        if (burstButtons != motion.state) burstPositions.clear();
        burstButtons = motion.state;
        if (events.size() >= heldEventLimit && !burstPositions.insert(positionKey(motion)).second) {
            mergedX += motion.xrel;
            mergedY += motion.yrel;
            return;
        }
        burstPositions.insert(positionKey(motion));
        motion.xrel = clampedMove(motion.xrel + mergedX);
        motion.yrel = clampedMove(motion.yrel + mergedY);
        mergedX = mergedY = 0;
    } else {
        burstButtons.reset();
        burstPositions.clear();
    }
    const Held held{event, nextOrder++};
    events.push_back(held);
    if (isKeyOrButton(event)) keysAndButtons.push_back(held);
    ++ofType[event.type % SDL_NUMEVENTS];
}

void Overflow::dropFront() {
    const SDL_Event& event = events.front().event;
    --ofType[event.type % SDL_NUMEVENTS];
    if (isKeyOrButton(event)) keysAndButtons.pop_front();
    events.pop_front();
    if (!events.empty()) return;
    burstButtons.reset();
    burstPositions.clear();
    mergedX = mergedY = 0;
}

const Held* Overflow::firstMotion() const {
    if (ofType[SDL_MOUSEMOTION] == 0) return nullptr;
    // Only keys and buttons, which come at the pace of a hand, can stand before it.
    for (const Held& held : events)
        if (held.event.type == SDL_MOUSEMOTION) return &held;
    return nullptr;
}

// True on the thread moving kept events back: a library whose SDL_PushEvent
// runs the event filter must let them through.
thread_local bool refilling = false;

// Moves kept events into SDL's queue while it has room; overflow.lock is held.
void moveKeptEvents() {
    refilling = true;
    while (!overflow.events.empty() && SDL_PushEvent(&overflow.events.front().event) == 0) overflow.dropFront();
    refilling = false;
}

void refillQueue() {
    const std::lock_guard<std::mutex> hold(overflow.lock);
    moveKeptEvents();
}

// Calls `visit` with the input events still queued that the state as of the
// event taken last depends on, oldest first: SDL's, then, of the kept ones,
// the first motion and every key and button event.
template <typename Visit>
void forEachQueuedInput(Visit visit) {
    if (!takingEvents) return;
    SDL_Event queued[queueCapacity];
    const int count = SDL_PeepEvents(queued, queueCapacity, SDL_PEEKEVENT, inputEvents);
    for (int i = 0; i < count; ++i) visit(queued[i]);
    const std::lock_guard<std::mutex> hold(overflow.lock);
    const Held* motion = overflow.firstMotion();
    for (const Held& held : overflow.keysAndButtons) {
        if (motion && motion->order < held.order) visit(std::exchange(motion, nullptr)->event);
        visit(held.event);
    }
    if (motion) visit(motion->event);
}

// The button bits as of the event taken last, and the pointer in x and y.
Uint8 mouseAsOfEvent(int& x, int& y) {
    Uint8 buttons = SDL_GetMouseState(&x, &y);
    bool placed = false;
    Uint8 settled = 0;  // buttons whose first queued event has been seen
    forEachQueuedInput([&](const SDL_Event& event) {
        if (event.type == SDL_MOUSEMOTION && !placed) {
            x = event.motion.x - event.motion.xrel;
            y = event.motion.y - event.motion.yrel;
            placed = true;
        }
        if (!isButtonEvent(event) || event.button.button < 1 || event.button.button > 8) return;
        if (!placed) {
            x = event.button.x;  // a button event does not move the pointer
            y = event.button.y;
            placed = true;
        }
        const Uint8 mask = static_cast<Uint8>(SDL_BUTTON(event.button.button));
        if (settled & mask) return;
        settled |= mask;
        buttons = event.type == SDL_MOUSEBUTTONDOWN ? (buttons & ~mask) : (buttons | mask);
    });
    return buttons;
}

}  // namespace

bool holdOverflow(const SDL_Event* event) {
    if (refilling) return false;
    const std::lock_guard<std::mutex> hold(overflow.lock);
    moveKeptEvents();  // so that a program reading SDL's queue alone still gets them, late
    SDL_Event queued[queueCapacity];
    if (overflow.events.empty() &&
        SDL_PeepEvents(queued, queueCapacity, SDL_PEEKEVENT, SDL_ALLEVENTS) < queueCapacity - 1)
        return false;
    overflow.hold(*event);
    return true;
}

void queueEvent(const SDL_Event& event) {
    SDL_Event queued = event;
    const std::lock_guard<std::mutex> hold(overflow.lock);
    moveKeptEvents();
    refilling = true;  // the filter must not keep it: it is kept here when SDL has no room
    const bool pushed = overflow.events.empty() && SDL_PushEvent(&queued) == 0;
    refilling = false;
    if (!pushed) overflow.hold(queued);
}

void keepCloseRequest() {
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    {
        // Kept here, never pushed: SDL's queue may be the one being filled.
        const std::lock_guard<std::mutex> hold(overflow.lock);
        overflow.hold(quit);
    }
    wakeEventWait();
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
    const std::lock_guard<std::mutex> hold(overflow.lock);
    for (int type = 0; type < SDL_NUMEVENTS; ++type)
        if ((SDL_EVENTMASK(type) & mask) != 0 && overflow.ofType[type] > 0) return true;
    return false;
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
    bool keyQueued = false;
    forEachQueuedInput([&](const SDL_Event& event) {
        if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return;
        if (!keyQueued) {
            keysAsOfEvent.assign(sdlKeys, sdlKeys + keyCount);
            keysSettled.assign(keyCount, false);
            keyQueued = true;
        }
        const int key = event.key.keysym.sym;
        if (key < 0 || key >= keyCount || keysSettled[key]) return;
        keysSettled[key] = true;
        keysAsOfEvent[key] = event.type == SDL_KEYDOWN ? SDL_RELEASED : SDL_PRESSED;
    });
    inkeys = keyQueued ? keysAsOfEvent.data() : sdlKeys;
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
