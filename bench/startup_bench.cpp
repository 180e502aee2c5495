// Start-up as a user meets it, each run a new process: `orvane --version` to its end, the
// main window to its first paint (offscreen platform), and the runs without a window to their
// end with the file written: `orvane --export-sweep` and `orvane --sweep-tune NET`, 299
// searches and every setting of the default banks at each frequency (524,288 for LP-CL and
// LP-LC).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Runs the program and returns the seconds until it wrote its first byte or, when it writes
// nothing, until it ended.
double SecondsToFirstOutput(std::vector<const char*> arguments) {
    int out[2];
    if (::pipe(out) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    arguments.push_back(nullptr);
    char* const* argv = const_cast<char* const*>(arguments.data());
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0) std::abort();
    ::close(out[1]);
    char first = 0;
    [[maybe_unused]] const ssize_t got = ::read(out[0], &first, 1);
    const auto end = Clock::now();
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(out[0]);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
    return std::chrono::duration<double>(end - start).count();
}

void BM_VersionCommand(benchmark::State& state) {
    for (auto _ : state) {
        state.SetIterationTime(SecondsToFirstOutput({ORVANE_PROGRAM, "--version"}));
    }
}
BENCHMARK(BM_VersionCommand)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StartUpToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        state.SetIterationTime(SecondsToFirstOutput({ORVANE_STARTUP_PROBE}));
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

// The 1197 points of the antenna and the six networks, from the settings to the CSV file.
void BM_ExportSweepCommand(benchmark::State& state) {
    for (auto _ : state) {
        state.SetIterationTime(
            SecondsToFirstOutput({ORVANE_PROGRAM, "--export-sweep", "sweep.csv"}));
    }
}
BENCHMARK(BM_ExportSweepCommand)->UseManualTime()->Unit(benchmark::kMillisecond);

// Its summary on standard output comes after the CSV file is written.
void BM_SweepTuneCommand(benchmark::State& state, const char* tuner) {
    for (auto _ : state) {
        state.SetIterationTime(
            SecondsToFirstOutput({ORVANE_PROGRAM, "--sweep-tune", tuner, "sweep-tune.csv"}));
    }
}
BENCHMARK_CAPTURE(BM_SweepTuneCommand, hpcl, "hpcl")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SweepTuneCommand, lpcl, "lpcl")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SweepTuneCommand, lplc, "lplc")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // No display needed, and the settings file goes to a folder of its own.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvane-startup-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(folder);
    return 0;
}
