// eventwait.cpp - waiting for the next event without waking while nothing happens.
//
// SDL 1.2 has no blocking wait: SDL_WaitEvent pumps and sleeps 10 ms in turn,
// waking a hundred times a second, and so keeps an idle processor out of its
// deep sleep states. On X11 the wait here blocks instead in poll() on the X
// connection SDL reads its events from (SDL_GetWMInfo hands it out), beside a
// wake-up descriptor, until the X server sends something, the deadline comes,
// or another thread calls wakeEventWait. Before it blocks it makes sure that
// nothing is left to take: no event in SDL's queue, none read already into
// Xlib's (a reply may have carried events in), and none on the connection; X
// events that SDL turns into no event of its own (a window property change)
// are pumped and the wait goes on. So an event is taken as soon as it arrives,
// and an idle program sleeps until something happens.
//
// The first 50 ms of a wait still pump every 10 ms, as SDL's own wait does:
// sdl12-compat may show an updated surface only from a later pump, one display
// frame after it showed the last one (present.cpp asks it to show each present
// at once), so the frame a program has just drawn shows then at the latest.
// Where there is no X connection (another video driver, such as dummy or
// Wayland) the whole wait pumps every 10 ms, as before, and the wake-up still
// ends it.
//
// SDL 1.2 tells the release and press that X's key repeat sends for a held key
// from a real release only when both have arrived by the time it pumps; a wait
// that pumps as soon as the release arrives could see the key let go. So the
// X server is asked, for this connection only, to send a held key's repeats
// as presses alone (detectable auto-repeat, as SDL2 and the toolkits do),
// which SDL ignores for a key already down.
//
// While the pointer moves, motions come faster than the display shows frames
// (a mouse reports up to 8,000 times a second), and a pass and a present for
// each would spend the processor on frames nobody sees. So after a pass whose
// last event was a motion and which presented, gatherMotionsForFrame lets the
// motions that follow queue until 14 ms have passed since that present, and
// the next pass applies them all, one by one, and presents once. A little less
// than a display frame: the present then comes often enough that what the
// display shows lags the pointer by about half a frame at the median, while a
// fast drag still costs few passes (docs/performance.md has the choice
// measured). It pumps every 7 ms rather than whenever the connection has
// something, since waking for every motion would cost about what a pass costs.
// Anything else (a press, a release, a key, a close request) ends the
// gathering at the next pump, within 7 ms, and a wake-up at once; a pointer
// that stops ends it too: the first motion after 14 ms without a present is
// taken as soon as it arrives.
//
// The wake-up is an eventfd, made on first use by whichever thread comes
// first; waking writes to it, which is safe from any thread and from a signal
// handler.
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <SDL/SDL_syswm.h>
#include <X11/XKBlib.h>

#include <algorithm>
#include <atomic>
#include <optional>

#include "gfx.h"
#include "surface.h"

namespace {

constexpr Uint32 pumpStepMs = 10;   // how often a wait pumps where it cannot block
constexpr Uint32 settleMs = 50;     // how long a wait starts by pumping so
constexpr Uint32 gatherMs = 14;     // the least time between presents while the pointer moves
constexpr Uint32 gatherStepMs = 7;  // how often motions gathering for a frame are pumped

std::atomic<int> wakeFd{-1};

int wakeDescriptor() {
    int fd = wakeFd.load();
    if (fd >= 0) return fd;
    const int made = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (made < 0) return -1;
    if (wakeFd.compare_exchange_strong(fd, made)) return made;
    close(made);  // another thread made one first: fd holds it now
    return fd;
}

// True when wakeEventWait was called since the last look; resets it.
bool takeWakeUp() {
    eventfd_t count = 0;
    return eventfd_read(wakeDescriptor(), &count) == 0;
}

// The X connection SDL takes its events from, with SDL's lock for Xlib calls
// (it keeps its event thread, when it runs one, off the connection meanwhile).
struct XConnection {
    Display* display;
    void (*lockFn)();
    void (*unlockFn)();

    void lock() const {
        if (lockFn != nullptr) lockFn();
    }
    void unlock() const {
        if (unlockFn != nullptr) unlockFn();
    }
};

std::optional<XConnection> xConnection() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11 || info.info.x11.display == nullptr) {
        return std::nullopt;
    }
    return XConnection{info.info.x11.display, info.info.x11.lock_func, info.info.x11.unlock_func};
}

// True when X events wait that SDL has not pumped: read into Xlib's queue
// already, or come on the connection. Sends the requests still buffered first,
// since nothing would send them while the wait blocks.
bool xEventsWaiting(const XConnection& x) {
    x.lock();
    const int queued = XEventsQueued(x.display, QueuedAfterFlush);
    x.unlock();  // SDL 1.2 syncs with the server here, which may read events in
    return queued > 0 || XEventsQueued(x.display, QueuedAlready) > 0;
}

// Sleeps until the X connection (when there is one) or the wake-up has
// something, or `timeoutMs` passes (-1: no limit).
void sleepUntilInput(const std::optional<XConnection>& x, int timeoutMs) {
    pollfd fds[2] = {{wakeDescriptor(), POLLIN, 0}, {-1, POLLIN, 0}};
    if (x) fds[1].fd = ConnectionNumber(x->display);
    poll(fds, 2, timeoutMs);
}

// How long a wait may sleep before it looks again by itself (-1: until
// something arrives), `waited` ms after it began and `toDeadline` ms before its
// deadline, if it has one.
int sleepLimitMs(bool canBlock, Uint32 waited, std::optional<Uint32> toDeadline) {
    std::optional<Uint32> limit = toDeadline;
    if (!canBlock || waited < settleMs) limit = std::min(limit.value_or(pumpStepMs), pumpStepMs);
    return limit ? static_cast<int>(*limit) : -1;
}

// True once an event is queued; false at the deadline or on a wake-up. Looks
// at the queue first without pumping, so that a wait whose time has come
// leaves the queue as it was.
bool waitForInput(std::optional<Uint32> deadline) {
    const Uint32 start = SDL_GetTicks();
    for (;;) {
        const bool woken = takeWakeUp();
        if (eventPending()) return true;
        const Uint32 now = SDL_GetTicks();
        if (woken || (deadline && ticksReached(now, *deadline))) return false;
        SDL_PumpEvents();
        if (eventPending()) return true;
        const std::optional<XConnection> x = xConnection();
        if (x && xEventsWaiting(*x)) continue;  // pump them
        const std::optional<Uint32> toDeadline = deadline ? std::optional<Uint32>(*deadline - now) : std::nullopt;
        sleepUntilInput(x, sleepLimitMs(x.has_value(), now - start, toDeadline));
    }
}

}  // namespace

void reportHeldKeysAsPresses() {
    const std::optional<XConnection> x = xConnection();
    if (!x) return;
    x->lock();
    XkbSetDetectableAutoRepeat(x->display, True, nullptr);
    x->unlock();
}

Uint32 getTicks() { return SDL_GetTicks(); }

void waitForEvent() { waitForInput(std::nullopt); }

bool waitForEventUntil(Uint32 deadline) { return waitForInput(deadline); }

void gatherMotionsForFrame() {
    const std::optional<Uint32> shown = lastPresentTicks();
    if (!shown || !motionTakenLast() || ticksReached(SDL_GetTicks(), *shown + gatherMs)) return;
    const Uint32 due = *shown + gatherMs;
    for (;;) {
        const bool woken = takeWakeUp();
        SDL_PumpEvents();
        const Uint32 now = SDL_GetTicks();
        if (woken || eventQueued(SDL_ALLEVENTS & ~SDL_MOUSEMOTIONMASK) || ticksReached(now, due)) return;
        sleepUntilInput(std::nullopt, static_cast<int>(std::min(gatherStepMs, due - now)));  // a wake-up ends it
    }
}

void wakeEventWait() { eventfd_write(wakeDescriptor(), 1); }
