#include "tests/support/OrdinaryUser.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Writing, reading and searching past the modes, and changing modes of others' files.
constexpr int kBypassRights[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER};

// Set in the child: the number of the call, within its test, that it runs the checks of.
constexpr char kChildCall[] = "ORVANE_ORDINARY_USER_CALL";

// A child that finds it still passes the checks exits with this.
constexpr int kStillPrivileged = 77;

std::string Why(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Whether a file can be made in a folder of mode 0555 that this process owns.
bool WritesPastModes() {
    std::string folder = (QDir::tempPath() + "/orvane-rights-XXXXXX").toStdString();
    if (!::mkdtemp(folder.data())) return true;
    ::chmod(folder.c_str(), 0555);
    const std::string probe = folder + "/probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.c_str());
    }
    ::rmdir(folder.c_str());
    return fd >= 0;
}

// The calls of AsOrdinaryUser so far in the running test, this one counted.
int CallInTest() {
    static const testing::TestInfo* test = nullptr;
    static int calls = 0;
    const testing::TestInfo* now = testing::UnitTest::GetInstance()->current_test_info();
    if (now != test) {
        test = now;
        calls = 0;
    }
    return ++calls;
}

// The child's side: gives up the rights, runs the checks and ends with their verdict.
[[noreturn]] void RunChecksAndExit(const std::function<void()>& checks) {
    const std::string dropped = DropFileRights();
    int code = kStillPrivileged;
    if (WritesPastModes()) {
        std::printf("%s\n",
                    dropped.empty() ? "this file system ignores file modes" : dropped.c_str());
    } else {
        checks();
        code = testing::Test::HasFailure() ? 1 : 0;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    ::_exit(code);
}

// This test program's arguments as it was started.
std::vector<std::string> OwnArguments() {
    QFile file("/proc/self/cmdline");
    std::vector<std::string> arguments;
    if (!file.open(QIODevice::ReadOnly)) return arguments;
    for (const QByteArray& argument : file.readAll().split('\0')) {
        if (!argument.isEmpty()) arguments.push_back(argument.toStdString());
    }
    return arguments;
}

}  // namespace

std::string DropFileRights() {
    // A program started as root regains every right of the bounding set.
    if (::geteuid() == 0) {
        for (int right : kBypassRights) {
            if (::prctl(PR_CAPBSET_READ, right) == 1 && ::prctl(PR_CAPBSET_DROP, right) != 0) {
                return Why("cannot drop a right from the bounding set");
            }
        }
    }
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, data) != 0) return Why("cannot read the rights");
    for (int right : kBypassRights) {
        const __u32 bit = 1u << (right % 32);
        __user_cap_data_struct& word = data[right / 32];
        word.effective &= ~bit;
        word.permitted &= ~bit;
        word.inheritable &= ~bit;
    }
    if (::syscall(SYS_capset, &header, data) != 0) return Why("cannot give up the rights");
    return {};
}

void AsOrdinaryUser(const std::function<void()>& checks) {
    const int call = CallInTest();
    if (const char* wanted = std::getenv(kChildCall)) {
        // Earlier calls were the parent's business; the one asked for ends this process.
        if (std::atoi(wanted) == call) RunChecksAndExit(checks);
        return;
    }

    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::vector<std::string> arguments = OwnArguments();
    ASSERT_FALSE(arguments.empty());
    arguments.push_back(std::string("--gtest_filter=") + test->test_suite_name() + "." +
                        test->name());
    arguments.push_back("--gtest_repeat=1");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const std::string mark = std::to_string(call);
    // What the child says is shown only when it has something to say.
    QTemporaryFile output;
    ASSERT_TRUE(output.open());

    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0) << Why("fork");
    if (child == 0) {
        ::dup2(output.handle(), STDOUT_FILENO);
        ::dup2(output.handle(), STDERR_FILENO);
        ::setenv(kChildCall, mark.c_str(), 1);
        ::execv("/proc/self/exe", argv.data());
        ::_exit(127);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child) << Why("waitpid");
    output.seek(0);
    const std::string said = output.readAll().toStdString();
    if (WIFEXITED(status) && WEXITSTATUS(status) == kStillPrivileged) {
        GTEST_SKIP() << "the permission checks need an ordinary user, which this process "
                        "cannot become: "
                     << said;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the checks as an ordinary user failed (status " << status << "):\n"
        << said;
}

void StartsAsOrdinaryUser(QProcess& process) {
    process.setChildProcessModifier([] {
        if (const std::string dropped = DropFileRights(); !dropped.empty()) {
            std::fprintf(stderr, "%s\n", dropped.c_str());
            ::_exit(kStillPrivileged);
        }
    });
}

std::string WhyProgramsKeepFileRights() {
    QTemporaryDir folder;
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QProcess shell;
    StartsAsOrdinaryUser(shell);
    shell.start("/bin/sh", {"-c", ": > \"$0/probe\" 2>/dev/null", folder.path()});
    shell.waitForFinished();
    const std::string said = shell.readAllStandardError().trimmed().toStdString();
    QFile::setPermissions(folder.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (shell.exitStatus() != QProcess::NormalExit) return "the probe did not run";
    if (shell.exitCode() == kStillPrivileged) return said;
    return shell.exitCode() == 0 ? "this file system ignores file modes" : "";
}
