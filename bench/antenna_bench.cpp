// Reading measured files and evaluating a tabulated source.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "antenna/MeasuredSource.h"
#include "core/NumberFormat.h"

namespace {

// An analyser's file: Hz, S as real and imaginary parts, `points` frequencies.
std::string AnalyserFile(int points) {
    std::string text = "! bench\n# Hz S RI R 50\n";
    for (int i = 0; i < points; ++i) {
        const double f = 1e6 + 29e6 * i / points;
        text += ShortestText(f) + " " + ShortestText(0.5 + 0.4 * (i % 7) / 7) + " " +
                ShortestText(-0.3 + 0.01 * (i % 11)) + "\n";
    }
    return text;
}

void BM_ParseS1p(benchmark::State& state) {
    const std::string text = AnalyserFile(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ParseImpedanceFile(text, "whip.s1p"));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseS1p)->Arg(10001)->Arg(1000000)->Unit(benchmark::kMillisecond);

// From the disk, the folder and size checks included.
void BM_ReadS1pFile(benchmark::State& state) {
    const std::string path = "/tmp/orvane-bench-" + std::to_string(state.range(0)) + ".s1p";
    std::ofstream(path, std::ios::binary) << AnalyserFile(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ReadImpedanceFile(path));
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadS1pFile)->Arg(10001)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The feed point at the sweep diagram's 1197 frequencies from a table of 10,001 points.
void BM_MeasuredFeedPoints(benchmark::State& state) {
    ImpedanceFileRead read = ParseImpedanceFile(AnalyserFile(10001), "whip.s1p");
    const auto source = MeasuredSource(MeasuredFrom(std::move(*read.file), "whip.s1p"), false);
    AntennaInput in;
    for (auto _ : state) {
        for (int i = 0; i < 1197; ++i) {
            in.frequency_MHz = 1 + 29.0 * i / 1197;
            benchmark::DoNotOptimize(source->FeedPoint(in));
        }
    }
}
BENCHMARK(BM_MeasuredFeedPoints)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
