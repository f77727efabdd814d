// pass_probe.cpp - a preloaded library through which bench/idle_bench.py counts
// the editor's passes and the pixels it presents, with the editor unchanged.
//
// The benchmark starts the editor with LD_PRELOAD naming this library. It
// stands in for three SDL calls and hands each on to SDL:
//   SDL_GetMouseState - the editor reads the mouse once per pass, so each call
//                       counts a pass;
//   SDL_UpdateRect(s) - each call counts a present and the pixels it pushes.
// The counts live in a file, /tmp/tessary-probe.PID, mapped into memory, which
// the benchmark maps too and reads while the editor runs (layout: ProbeCounts).
#include <SDL/SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

namespace {

struct ProbeCounts {
    uint64_t passes;
    uint64_t presents;
    uint64_t pixels;
    uint64_t reserved;
};

ProbeCounts* counts() {
    static ProbeCounts* mapped = [] {
        char path[64];
        std::snprintf(path, sizeof path, "/tmp/tessary-probe.%d", static_cast<int>(getpid()));
        const int fd = open(path, O_RDWR | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ftruncate(fd, sizeof(ProbeCounts)) != 0) return static_cast<ProbeCounts*>(nullptr);
        void* memory = mmap(nullptr, sizeof(ProbeCounts), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        close(fd);
        return memory == MAP_FAILED ? nullptr : static_cast<ProbeCounts*>(memory);
    }();
    return mapped;
}

template <typename Fn>
Fn next(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

// SDL may implement one update call through the other; only the outer one counts.
int updateDepth = 0;

void countPresent(uint64_t pixels) {
    if (updateDepth != 1 || counts() == nullptr) return;
    ++counts()->presents;
    counts()->pixels += pixels;
}

}  // namespace

extern "C" {

Uint8 SDL_GetMouseState(int* x, int* y) {
    static auto real = next<Uint8 (*)(int*, int*)>("SDL_GetMouseState");
    if (ProbeCounts* c = counts()) ++c->passes;
    return real(x, y);
}

void SDL_UpdateRect(SDL_Surface* surface, Sint32 x, Sint32 y, Uint32 width, Uint32 height) {
    static auto real = next<void (*)(SDL_Surface*, Sint32, Sint32, Uint32, Uint32)>("SDL_UpdateRect");
    ++updateDepth;
    const bool whole = x == 0 && y == 0 && width == 0 && height == 0;
    countPresent(whole ? uint64_t(surface->w) * surface->h : uint64_t(width) * height);
    real(surface, x, y, width, height);
    --updateDepth;
}

void SDL_UpdateRects(SDL_Surface* surface, int count, SDL_Rect* rects) {
    static auto real = next<void (*)(SDL_Surface*, int, SDL_Rect*)>("SDL_UpdateRects");
    ++updateDepth;
    uint64_t pixels = 0;
    for (int i = 0; i < count; ++i) pixels += uint64_t(rects[i].w) * rects[i].h;
    countPresent(pixels);
    real(surface, count, rects);
    --updateDepth;
}

}  // extern "C"
