// frame_bench.cpp - what one frame of the editor costs, measured against the
// cheapest full redraw there is: one SDL_FillRect of the 640 x 640 surface.
//
// Run with `make bench`. Every benchmark runs on the real surface of SDL's dummy
// video driver. After the usual table, the frame benchmarks are printed again as
// ratios to the full-surface fill, the figure that stays comparable across
// machines, followed by the same ratios for saving and loading a slot and for
// the export's sort.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <png.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "colorunder.h"
#include "copywriter.h"
#include "editor.h"
#include "export.h"
#include "frame.h"
#include "historyformat.h"
#include "onionskin.h"
#include "keptpictures.h"
#include "panel.h"
#include "slotcommands.h"
#include "traceimage.h"
#include "view.h"

namespace {

enum class Kind { empty, typical, worst };

// Fills the tables: `typical` is 100 points and 50 short lines, `worst` is full
// tables of points and of lines that each span the canvas.
void makePicture(Editor& e, Kind kind) {
    e.picture.clear();
    const int points = kind == Kind::empty ? 0 : kind == Kind::typical ? 100 : p_number;
    const int lineCount = kind == Kind::empty ? 0 : kind == Kind::typical ? 50 : l_number;
    for (int i = 0; i < points; ++i) e.picture.addPoint((i * 37) % Image_Width, (i * 53) % Image_Height);
    for (int i = 0; i < lineCount; ++i) {
        if (kind == Kind::worst) {
            const int y = (i * 7) % Image_Height;
            e.picture.addLine(0, y, Image_Width - 1, Image_Height - 1 - y);
        } else {
            const int x = (i * 29) % 200, y = (i * 31) % 150;
            e.picture.addLine(x, y, x + 40, y + 30);
        }
    }
    e.lop = lineCount > 0 ? 1 : 0;  // one line selected, so the highlight is drawn too
    e.lopp[0] = 0;
    e.forerase = 0;
}

void BM_FullSurfaceFill(benchmark::State& state) {
    Uint32 value = 0;
    for (auto _ : state) {
        SDL_FillRect(scr, nullptr, value++);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FullSurfaceFill);

void BM_Frame(benchmark::State& state, Kind kind) {
    Editor e;
    makePicture(e, kind);
    e.scale = static_cast<int>(state.range(0));
    for (auto _ : state) {
        renderFrame(e);
        drawPanel(e);
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_Frame, empty, Kind::empty)->Arg(1)->Arg(2)->Arg(3)->Arg(8);
BENCHMARK_CAPTURE(BM_Frame, typical, Kind::typical)->Arg(1)->Arg(2)->Arg(3)->Arg(8);
BENCHMARK_CAPTURE(BM_Frame, worst, Kind::worst)->Arg(1)->Arg(2)->Arg(3)->Arg(8);

// An image traced under the picture that covers every cell, in shades that
// differ from cell to cell.
void traceUnder(Editor& e) {
    auto image = std::make_shared<TraceImage>();
    for (int y = 0; y < Image_Height; ++y)
        for (int x = 0; x < Image_Width; ++x)
            image->at(x, y) = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 128, 255};
    e.trace.image = image;
    e.trace.path = "traced.png";
    e.trace.shown = true;
}

// The drawing aids on (aids.h): both mirror axes drawn, and line mode's cursor
// snapping to the ends of the picture on every pass.
void aidsOn(Editor& e) {
    e.mirror = Mirror::both;
    e.snap = true;
    e.mode = lineMode;
}

// What lies under the picture in a frame benchmark.
enum class Under { nothing, image, onionSkin };

// The onion skin of a picture as large as the worst: 512 lines from the top
// edge to the bottom one, across most of the canvas.
void onionSkinUnder(Editor& e) {
    PictureTables t;
    for (int i = 0; i < l_number; ++i) t.createLine(i % 256, 0, (i * 37) % 256, 199);
    auto cells = std::make_shared<Coverage>();
    cells->follow(PictureTables(), t, [](CellBox) {});
    e.onion = {true, previousSlot(e.nr), cells};
}

void putUnder(Editor& e, Under under) {
    if (under == Under::image) traceUnder(e);
    if (under == Under::onionSkin) onionSkinUnder(e);
}

// The frame step drawing everything (as after the view moved), with the
// picture's coverage up to date: the full frame of a pass.
void BM_FullFrame(benchmark::State& state, Kind kind, Under under, bool aids = false) {
    Editor e;
    makePicture(e, kind);
    putUnder(e, under);
    if (aids) aidsOn(e);
    e.scale = static_cast<int>(state.range(0));
    drawFrame(e);
    for (auto _ : state) {
        e.shown.drawn = false;  // nothing known of the window: all of it is drawn
        drawFrame(e);
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_FullFrame, worst, Kind::worst, Under::nothing)->Arg(1)->Arg(2)->Arg(3)->Arg(8);
// The same over a traced image or the onion skin (goal: at most 1.2 times the frame without).
BENCHMARK_CAPTURE(BM_FullFrame, worst_traced, Kind::worst, Under::image)->Arg(1)->Arg(2)->Arg(3)->Arg(8);
BENCHMARK_CAPTURE(BM_FullFrame, worst_onion, Kind::worst, Under::onionSkin)->Arg(1)->Arg(2)->Arg(3)->Arg(8);
// The same with the drawing aids on (goals as without).
BENCHMARK_CAPTURE(BM_FullFrame, worst_aids, Kind::worst, Under::nothing, true)->Arg(1)->Arg(3);

// The same after the picture was replaced (a load, an undo): its coverage is
// counted afresh.
void BM_FullFrameNewPicture(benchmark::State& state) {
    Editor e;
    makePicture(e, Kind::worst);
    e.scale = static_cast<int>(state.range(0));
    for (auto _ : state) {
        e.shown = ShownFrame();
        drawFrame(e);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FullFrameNewPicture)->Arg(1)->Arg(3);

// A whole pass for one motion that moves the cursor to the next cell and
// changes nothing else, on the worst picture, over a traced image, the onion skin or neither.
void BM_CursorPass(benchmark::State& state, Under under, bool aids = false) {
    Editor e;
    makePicture(e, Kind::worst);
    putUnder(e, under);
    if (aids) aidsOn(e);
    e.scale = static_cast<int>(state.range(0));
    SDL_ShowCursor(SDL_DISABLE);  // the dummy driver would draw its cursor into the surface
    SDL_WarpMouse(300, 200);
    runPass(e);
    int step = 0;
    for (auto _ : state) {
        SDL_WarpMouse(static_cast<Uint16>(300 + e.scale * (++step % 2)), 200);
        runPass(e);
    }
}
BENCHMARK_CAPTURE(BM_CursorPass, worst, Under::nothing)->Arg(1)->Arg(2)->Arg(3)->Arg(8);
BENCHMARK_CAPTURE(BM_CursorPass, worst_traced, Under::image)->Arg(1)->Arg(2)->Arg(3)->Arg(8);
BENCHMARK_CAPTURE(BM_CursorPass, worst_onion, Under::onionSkin)->Arg(1)->Arg(2)->Arg(3)->Arg(8);
BENCHMARK_CAPTURE(BM_CursorPass, worst_aids, Under::nothing, true)->Arg(1)->Arg(3);

// A burst of 1,000 motions applied: the worst picture's lines at scale 3, and
// strokes of 123 motions (SDL queues at most 128 events), each queued at once
// with its press and release, one cell apart: the left button places a point
// at each cell, the right one erases them again. Every cell is checked once a
// stroke is applied.
void BM_MotionBurst(benchmark::State& state) {
    constexpr int strokes = 8, motions = 123;
    Editor e;
    makePicture(e, Kind::worst);
    e.picture.clear();
    for (int i = 0; i < l_number; ++i) e.picture.addLine(0, (i * 7) % Image_Height, Image_Width - 1, Image_Height - 1 - (i * 7) % Image_Height);
    e.scale = 3;
    SDL_ShowCursor(SDL_DISABLE);
    const auto push = [](Uint8 type, Uint8 button, int x, int y) {
        SDL_Event event = {};
        event.type = type;
        event.button.button = button;
        event.button.x = static_cast<Uint16>(x);
        event.button.y = static_cast<Uint16>(y);
        SDL_PushEvent(&event);
    };
    const int y = 150;
    for (auto _ : state) {
        for (int stroke = 0; stroke < strokes; ++stroke) {
            const Uint8 button = stroke % 2 == 0 ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT;
            state.PauseTiming();
            SDL_WarpMouse(3, y);
            while (runPass(e) != PassResult::Idle) {}
            push(SDL_MOUSEBUTTONDOWN, button, 3, y);
            for (int m = 1; m <= motions; ++m) SDL_WarpMouse(static_cast<Uint16>(3 + 3 * m), y);
            push(SDL_MOUSEBUTTONUP, button, 3 + 3 * motions, y);
            state.ResumeTiming();
            while (eventPending()) runPass(e);
            state.PauseTiming();
            const int expected = button == SDL_BUTTON_LEFT ? motions + 1 : 0;
            if (e.picture.tables().pixels_Amount != expected) state.SkipWithError("a cell was not edited");
            state.ResumeTiming();
        }
    }
    state.counters["events"] = strokes * (motions + 2);
}
BENCHMARK(BM_MotionBurst)->Unit(benchmark::kMillisecond);

// A clear of the window at scale 2 (zoom, pan, load, undo), with and without
// the traced image painted into the view after it.
void BM_ClearWindow(benchmark::State& state, bool traced) {
    Editor e;
    if (traced) traceUnder(e);
    e.scale = 2;
    for (auto _ : state) {
        clearWindow(e);
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_ClearWindow, plain, false);
BENCHMARK_CAPTURE(BM_ClearWindow, traced, true);

// Presenting, besides SDL's own work (none on the dummy driver): presentChanges()
// compares what was drawn since the last present with the frame it presented
// and keeps a copy of what changed. Here each frame is a clear of the whole
// surface: to the colour of the frame before, which needs no comparing, or to
// a new colour, which changes every pixel, the most any frame can cost.
void BM_PresentChanges(benchmark::State& state, bool everyPixelChanged) {
    Uint32 value = 0;
    cls(INTtoRGB(value));
    presentChanges();
    for (auto _ : state) {
        state.PauseTiming();
        cls(INTtoRGB(everyPixelChanged ? ++value : value));
        state.ResumeTiming();
        benchmark::DoNotOptimize(presentChanges());
    }
}
BENCHMARK_CAPTURE(BM_PresentChanges, unchanged, false);
BENCHMARK_CAPTURE(BM_PresentChanges, all_changed, true);

// A whole pass of the loop with nothing to do, on the typical picture: what
// each input event costs the editor once it waits between events.
void BM_SettledPass(benchmark::State& state) {
    Editor e;
    makePicture(e, Kind::typical);
    SDL_ShowCursor(SDL_DISABLE);  // the dummy driver would draw its cursor into the surface
    runPass(e);
    for (auto _ : state) {
        if (runPass(e) != PassResult::Idle) {
            state.SkipWithError("the pass found something to do");
            break;
        }
    }
}
BENCHMARK(BM_SettledPass);

// Runs the slot benchmarks in a fresh temporary directory, left and removed
// when the benchmark ends, so that no slot file of the user's is touched.
class ScratchDirectory {
public:
    ScratchDirectory() {
        char pattern[] = "/tmp/tessary_bench_XXXXXX";
        if (mkdtemp(pattern) == nullptr) return;
        scratch_ = pattern;
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(scratch_);
    }
    ~ScratchDirectory() {
        if (scratch_.empty()) return;
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(scratch_);
    }
    bool ready() const { return !scratch_.empty(); }

private:
    std::filesystem::path scratch_, previous_;
};

// Writing both files of a slot with full tables.
void BM_SavePicture(benchmark::State& state) {
    ScratchDirectory scratch;
    if (!scratch.ready()) return state.SkipWithError("no temporary directory");
    Editor e;
    makePicture(e, Kind::worst);
    for (auto _ : state) {
        if (!savePicture(e)) {
            state.SkipWithError("save failed");
            break;
        }
    }
}
BENCHMARK(BM_SavePicture);

// Reading them back; loading also clears the window, one full-surface fill.
void BM_LoadPicture(benchmark::State& state) {
    ScratchDirectory scratch;
    if (!scratch.ready()) return state.SkipWithError("no temporary directory");
    Editor e;
    makePicture(e, Kind::worst);
    if (!savePicture(e)) return state.SkipWithError("save failed");
    for (auto _ : state) {
        if (!loadPicture(e)) {
            state.SkipWithError("load failed");
            break;
        }
    }
}
BENCHMARK(BM_LoadPicture);

// Writing the unsaved copy with full tables into a kept-picture store, as the
// copy's thread does at most once a second while the picture changes.
void BM_WriteKeptCopy(benchmark::State& state) {
    ScratchDirectory scratch;
    if (!scratch.ready()) return state.SkipWithError("no temporary directory");
    Editor e;
    makePicture(e, Kind::worst);
    const std::string here = std::filesystem::current_path().string();
    const KeptStore store = {here + "/state", here + "/state/here", here};
    UnsavedCopy copy;
    long long timeMs = 0;
    for (auto _ : state) {
        if (copy.write(store, e.picture.tables(), 1, ++timeMs)) {
            state.SkipWithError("write failed");
            break;
        }
    }
    copy.remove();
}
BENCHMARK(BM_WriteKeptCopy);

// The export's bubble sort at its worst: every entry in use, keys in strictly
// descending order. The sort compares keys only, so they need not be cells.
void BM_ExportSort(benchmark::State& state, Table (*table)(PictureTables&)) {
    Editor e;
    makePicture(e, Kind::worst);
    PictureTables tables = e.picture.tables();
    const Table sorted = table(tables);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < p_number; ++i) sorted.rows[0][i] = p_number - 1 - i;
        state.ResumeTiming();
        sortTable(sorted, 0);
    }
}
BENCHMARK_CAPTURE(BM_ExportSort, points, static_cast<Table (*)(PictureTables&)>(pointTable));
BENCHMARK_CAPTURE(BM_ExportSort, lines, static_cast<Table (*)(PictureTables&)>(lineTable));

// Writes a `side` x `side` RGB PNG row by row: a gradient, with noise in the
// low `noiseBits` bits of each channel. Without noise it compresses as a
// drawing does (about 5 MB at 8000 x 8000); with 3 bits about as a photograph
// (about 100 MB).
bool writeLargePng(const char* path, int side, int noiseBits) {
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(side) * 3);
    std::uint32_t noise = 2463534242u;
    const std::uint32_t mask = (1u << noiseBits) - 1;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
            row[3 * x] = static_cast<png_byte>(x * 255 / side ^ (noise & mask));
            row[3 * x + 1] = static_cast<png_byte>(y * 255 / side ^ (noise >> 8 & mask));
            row[3 * x + 2] = static_cast<png_byte>((x + y) / 64 ^ (noise >> 16 & mask));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// Reading and fitting an 8000 x 8000 PNG, argument the bits of noise (goal:
// under half a second, memory one row of the image plus the canvas). "MiB" is
// how far the peak resident size rose while reading, beyond the peak the
// writing reached before.
void BM_ReadLargeTraceImage(benchmark::State& state) {
    ScratchDirectory scratch;
    if (!scratch.ready()) return state.SkipWithError("no temporary directory");
    if (!writeLargePng("large.png", 8000, static_cast<int>(state.range(0))))
        return state.SkipWithError("cannot write large.png");
    const auto peakKiB = [] {
        rusage usage = {};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    };
    const long before = peakKiB();
    for (auto _ : state) {
        if (!readTraceImage("large.png").image) {
            state.SkipWithError("large.png was not read");
            break;
        }
    }
    state.counters["MiB"] = (peakKiB() - before) / 1024.0;
}
BENCHMARK(BM_ReadLargeTraceImage)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(3);

// An undo and a redo of a step with full tables: the clear of a full picture.
void BM_UndoRedo(benchmark::State& state) {
    Editor e;
    makePicture(e, Kind::worst);
    e.picture.clear();
    for (auto _ : state) {
        e.picture.undo();
        e.picture.redo();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_UndoRedo);

// The heap taken by a history of `History::depth` steps with full tables, as
// malloc counts it; reported in MiB beside the goal of 16. Every step keeps
// whole tables, so clearing and refilling a full picture is the worst case.
void BM_HistoryMemory(benchmark::State& state) {
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        {
            Editor e;
            makePicture(e, Kind::worst);
            const PictureTables full = e.picture.tables();
            for (int step = 0; step <= History::depth; ++step) {
                if (step % 2 == 0) e.picture.clear();
                if (step % 2 == 1) e.picture.replace(full);
            }
            state.counters["steps"] = e.picture.history().undoSteps();
            state.counters["MiB"] = (mallinfo2().uordblks - before) / (1024.0 * 1024.0);
        }
    }
}
BENCHMARK(BM_HistoryMemory)->Iterations(1);

// An editor whose history holds `History::depth` steps of the worst picture,
// cleared and refilled in turn.
const Editor& editorWithFullHistory() {
    static Editor* const e = [] {
        Editor* made = new Editor;
        makePicture(*made, Kind::worst);
        const PictureTables full = made->picture.tables();
        for (int step = 0; step < History::depth; ++step) made->picture.replace(step % 2 ? full : PictureTables());
        return made;
    }();
    return *e;
}

// What the loop hands the copy's writer after each pass that changed the
// picture, with a full history: the tables and the history, whose steps the
// copy shares (goal: a few microseconds).
void BM_CopyContentWithHistory(benchmark::State& state) {
    const Editor& e = editorWithFullHistory();
    for (auto _ : state) benchmark::DoNotOptimize(CopyContent{e.picture.tables(), e.nr, e.picture.keptHistory()});
}
BENCHMARK(BM_CopyContentWithHistory);

// The bytes the writer's thread makes of that history: at most 1 MB.
void BM_HistoryFileBytes(benchmark::State& state) {
    const Editor& e = editorWithFullHistory();
    std::size_t size = 0;
    for (auto _ : state) size = encodeHistory(e.picture.history(), e.picture.tables(), 1).size();
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_HistoryFileBytes)->Unit(benchmark::kMillisecond);

// Collects each run's time per iteration so that the ratios can be printed last.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) nanos_[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatios() const {
        const auto fill = nanos_.find("BM_FullSurfaceFill");
        if (fill == nanos_.end()) return;
        std::printf("\nFrame cost in full-surface fills (goals: BM_FullFrame/worst <= 1.5 at every scale;\n"
                    "BM_CursorPass <= 1/20 of the worst BM_FullFrame; BM_MotionBurst under 20 ms)\n");
        printRatios(fill->second, true);
        std::printf("\nPresenting, slot files, the kept copy and history, export sort, undo and redo in full-surface "
                    "fills\n");
        printRatios(fill->second, false);
        printTracedRatios();
    }

private:
    // The frame benchmarks, or every other one but the fill itself.
    void printRatios(double fillNanos, bool frames) const {
        for (const auto& [name, nanos] : nanos_) {
            const bool frame = name.rfind("BM_Frame/", 0) == 0 || name.rfind("BM_FullFrame", 0) == 0 ||
                               name.rfind("BM_CursorPass", 0) == 0;
            const bool measured = name != "BM_FullSurfaceFill" && name.rfind("BM_HistoryMemory", 0) != 0;
            if (frame == frames && measured)
                std::printf("  %-28s %8.2f\n", name.c_str(), nanos / fillNanos);
        }
    }

    // Each frame over a traced image or the onion skin against the same frame without one.
    void printTracedRatios() const {
        std::printf("\nFrames over a traced image or the onion skin, in the same frame without (goal: <= 1.2)\n");
        for (const std::string under : {"_traced/", "_onion/"}) {
            for (const auto& [name, nanos] : nanos_) {
                const size_t at = name.find(under);
                if (at == std::string::npos) continue;
                const auto plain = nanos_.find(std::string(name).erase(at, under.size() - 1));
                if (plain != nanos_.end()) std::printf("  %-28s %8.2f\n", name.c_str(), nanos / plain->second);
            }
        }
    }

    std::map<std::string, double> nanos_;
};

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    Editor e;
    startUp(e);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
