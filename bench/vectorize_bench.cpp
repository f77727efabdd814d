// vectorize_bench.cpp - finding the lines of an image traced over (keys i and
// Shift+I): outlines and centre lines of a photo of 2000 x 2000 pixels, once read.
//
// Run with `make bench`. Goal: at most 100 ms for either kind, so that the
// lines come before the prompt line would show any progress. The photo is
// made from a fixed seed, the same every run: soft shading, dark blobs of
// every size, thin strokes and grain, so that the ink has big areas, fine
// detail and specks at once.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "vectorize.h"

namespace {

constexpr int side = 2000;

TraceImage photo() {
    std::mt19937 random(41);
    std::uniform_real_distribution<double> place(0, side), size(10, 220), grain(-40, 40);
    struct Blob {
        double x, y, r;
    };
    std::vector<Blob> blobs(60);
    for (Blob& b : blobs) b = {place(random), place(random), size(random)};
    TraceFitter fitter(side, side);
    std::vector<std::uint8_t> row(side * 3);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double shade = 150 + 60 * std::sin(x / 170.0) * std::cos(y / 230.0) + grain(random);
            for (const Blob& b : blobs)
                if (std::abs(x - b.x) < b.r && std::abs(y - b.y) < b.r && std::hypot(x - b.x, y - b.y) < b.r) shade -= 90;
            if ((x + 2 * y) % 331 < 6) shade -= 120;  // thin strokes
            const auto value = static_cast<std::uint8_t>(std::clamp(shade, 0.0, 255.0));
            row[x * 3] = value;
            row[x * 3 + 1] = static_cast<std::uint8_t>(value * 9 / 10);
            row[x * 3 + 2] = static_cast<std::uint8_t>(value * 8 / 10);
        }
        fitter.addPixels(y, 0, 1, row.data(), 3, side);
    }
    return fitter.finish();
}

void BM_FindLines(benchmark::State& state, LineKind kind) {
    static const TraceImage image = photo();
    FoundLines found;
    for (auto _ : state) {
        found = findLines(image, kind, PictureTables());
        benchmark::DoNotOptimize(found.placed.lines.data());
    }
    state.counters["paths"] = static_cast<double>(found.paths.size());
    state.counters["lines"] = static_cast<double>(found.placed.lines.size());
    state.counters["tolerance"] = found.placed.tolerance;
}
BENCHMARK_CAPTURE(BM_FindLines, outlines, LineKind::outlines)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindLines, centre_lines, LineKind::centreLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
