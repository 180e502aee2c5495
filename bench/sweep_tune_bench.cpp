// The sweep-tune without a window as a user runs it, end to end, each run a new process:
// `orvane --sweep-tune NET out.csv`, 299 searches and every setting of the default banks at
// each frequency (524,288 for LP-CL and LP-LC).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void BM_SweepTuneCommand(benchmark::State& state, const char* tuner) {
    const std::string command =
        std::string(ORVANE_PROGRAM) + " --sweep-tune " + tuner + " out.csv > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("the run failed");
    }
}
BENCHMARK_CAPTURE(BM_SweepTuneCommand, hpcl, "hpcl")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SweepTuneCommand, lpcl, "lpcl")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SweepTuneCommand, lplc, "lplc")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The default settings, in a folder of its own that the runs leave without a settings file.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("orvane-sweep-tune-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(folder);
    return 0;
}
