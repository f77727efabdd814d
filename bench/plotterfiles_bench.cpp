// plotterfiles_bench.cpp - Shift+E's files for plotters and lasers: how long
// writing all three takes for the fullest picture, and how many records the
// laser frame of a small picture holds.
//
// Run with `make bench`. Goals: BM_WritePlotterFiles under 50 ms, so that
// Shift+E never stalls the window; BM_SmallLaserFrame's `records` at most
// 1500 (the default budget: 30,000 points a second at 20 frames a second),
// which the benchmark reports as an error when it is not.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <random>

#include "drawingorder.h"
#include "laserframe.h"
#include "strokes.h"
#include "plotterfiles.h"

namespace {

// 512 random lines and 512 random points, from a fixed seed.
PictureTables fullestPicture() {
    std::mt19937 random(34);
    std::uniform_int_distribution<int> column(0, Image_Width - 1), row(0, Image_Height - 1);
    PictureTables t;
    for (int i = 0; i < l_number; ++i) t.createLine(column(random), row(random), column(random), row(random));
    for (int i = 0; i < p_number; ++i) t.createPixel(column(random), row(random));
    return t;
}

void BM_WritePlotterFiles(benchmark::State& state) {
    char folder[] = "/tmp/tessary_bench_XXXXXX";
    if (!mkdtemp(folder)) return state.SkipWithError("no temporary folder");
    const std::string in = folder;
    const PictureTables picture = fullestPicture();
    MachineProfile machines;
    machines.paper.size = sheetSize("a4");
    const PlotterJob job = {"picture1", ColorRGB(0x58, 0x8D, 0x43), machines};
    for (auto _ : state) {
        const PlotterWrite written = writePlotterFiles(picture, {in + "/p.hpgl", in + "/p.gcode", in + "/p.ild"}, job);
        if (!written.failed.empty()) state.SkipWithError(written.failed[0].reason.c_str());
    }
    std::filesystem::remove_all(in);
}
BENCHMARK(BM_WritePlotterFiles)->Unit(benchmark::kMillisecond);

// A square, a triangle and three dots, at the default settings.
void BM_SmallLaserFrame(benchmark::State& state) {
    PictureTables t;
    const int lines[][4] = {{20, 20, 120, 20},   {120, 20, 120, 120}, {120, 120, 20, 120}, {20, 120, 20, 20},
                            {150, 150, 230, 150}, {230, 150, 190, 60}, {190, 60, 150, 150}};
    for (const auto& l : lines) t.createLine(l[0], l[1], l[2], l[3]);
    for (const Cell dot : {Cell{60, 170}, Cell{128, 100}, Cell{250, 190}}) t.createPixel(dot.x, dot.y);
    size_t records = 0;
    for (auto _ : state) records = layoutLaserFrame(drawingOrder(t), ColorRGB(255, 255, 255), LaserSettings()).records.size();
    state.counters["records"] = static_cast<double>(records);
    if (records > 1500) state.SkipWithError("more than 1500 records");
}
BENCHMARK(BM_SmallLaserFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
