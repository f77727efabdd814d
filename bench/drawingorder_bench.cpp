// drawingorder_bench.cpp - the drawing order for plotters and lasers: how much
// pen-up travel it saves against the greedy nearest-end order, and how long
// ordering the fullest picture takes.
//
// Run with `make bench`. Goals: `travel_vs_greedy` at most 0.9 on both random
// pictures; BM_DrawingOrder/fullest under 50 ms, so that Shift+E never stalls
// the window. The pictures are drawn from a fixed seed, the same every run.
#include <benchmark/benchmark.h>

#include <random>

#include "drawingorder.h"

namespace {

enum class Kind { randomLines, shortStrokes, fullest };

// 512 lines between random cells; 512 strokes of up to 8 cells each way,
// scattered; or 512 random lines and 512 random points.
PictureTables makePicture(Kind kind) {
    std::mt19937 random(34);
    std::uniform_int_distribution<int> column(0, Image_Width - 1), row(0, Image_Height - 1), step(-8, 8);
    PictureTables t;
    for (int i = 0; i < l_number; ++i) {
        const int x = column(random), y = row(random);
        if (kind == Kind::shortStrokes) {
            const int x2 = std::clamp(x + step(random), 0, Image_Width - 1);
            t.createLine(x, y, x2, std::clamp(y + step(random), 0, Image_Height - 1));
        } else {
            t.createLine(x, y, column(random), row(random));
        }
    }
    for (int i = 0; kind == Kind::fullest && i < p_number; ++i) t.createPixel(column(random), row(random));
    return t;
}

void BM_DrawingOrder(benchmark::State& state, Kind kind) {
    const PictureTables picture = makePicture(kind);
    const std::vector<Stroke> strokes = pictureStrokes(picture);
    double travel = 0;
    for (auto _ : state) {
        const std::vector<Stroke> order = drawingOrder(picture);
        travel = penUpTravel(order);
        benchmark::DoNotOptimize(order.data());
    }
    const double greedy = penUpTravel(greedyOrder(strokes));
    state.counters["strokes"] = static_cast<double>(strokes.size());
    state.counters["greedy_travel"] = greedy;
    state.counters["travel"] = travel;
    state.counters["travel_vs_greedy"] = greedy > 0 ? travel / greedy : 1;
}
BENCHMARK_CAPTURE(BM_DrawingOrder, random_lines, Kind::randomLines)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawingOrder, short_strokes, Kind::shortStrokes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DrawingOrder, fullest, Kind::fullest)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
