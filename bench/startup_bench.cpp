// Start-up as a user meets it, each run a new process: `orvane --version` to its end, and
// the main window to its first paint (offscreen platform).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Runs the program and returns the seconds until it wrote its first byte or, when it writes
// nothing, until it ended.
double SecondsToFirstOutput(const char* program, const char* argument) {
    int out[2];
    if (::pipe(out) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* const argv[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) std::abort();
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
        state.SetIterationTime(SecondsToFirstOutput(ORVANE_PROGRAM, "--version"));
    }
}
BENCHMARK(BM_VersionCommand)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StartUpToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        state.SetIterationTime(SecondsToFirstOutput(ORVANE_STARTUP_PROBE, nullptr));
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

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
