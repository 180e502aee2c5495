#include <gtest/gtest.h>

#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <optional>
#include <tuple>

#include "nec/Comparison.h"
#include "nec/Runner.h"
#include "tests/nec/NecData.h"
#include "tests/support/NecStandIn.h"

namespace {

struct RunEnd {
    std::optional<NecOutcome> outcome;
    int finished = 0;
    int ticks = 0;  // of a 10 ms timer while the run went on
};

// Requests the rod and runs the event loop until its run has ended.
RunEnd RunToEnd(NecRunner& runner, const NecRod& rod) {
    RunEnd end;
    if (const NecOutcome* at_once = runner.request(rod)) {
        end.outcome = *at_once;
        return end;
    }
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&end] { ++end.ticks; });
    tick.start(10);
    QObject::connect(&runner, &NecRunner::finished, &loop, [&] {
        ++end.finished;
        loop.quit();
    });
    // A hang fails the test instead of stopping the suite.
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    if (const NecOutcome* outcome = runner.request(rod)) end.outcome = *outcome;
    return end;
}

TEST(NecRunner, RunsNec2cAndKeepsItsOutcomePerRod) {
    ASSERT_TRUE(NecAvailable()) << "nec2c is missing; scripts/setup.sh installs it";
    QTemporaryDir temp;
    const ScopedEnv tmpdir("TMPDIR", temp.path());
    NecRunner runner;

    // The default rod at 7.1 MHz, with the default base elements, as recorded.
    const RunEnd rod = RunToEnd(runner, {4.5, 5});
    ASSERT_TRUE(rod.outcome && rod.outcome->fault.isEmpty());
    EXPECT_GT(rod.ticks, 0) << "the event loop ran while nec2c ran";
    EXPECT_EQ(rod.outcome->points.size(), 300u);
    const NecPoint recorded = ReadNecReport(NecData("rod_4.5m_5mm_100seg.out")).points.at(2);
    ASSERT_EQ(recorded.frequency_MHz, 7.1);
    const NecPoint* live = NearestNecPoint(rod.outcome->points, 7.1);
    ASSERT_TRUE(live);
    const AntennaInput defaults;
    const Impedance expected = NecFeedPoint(recorded.base, defaults).value();
    const Impedance measured = NecFeedPoint(live->base, defaults).value();
    EXPECT_NEAR(measured.r, expected.r, 1e-4 * expected.r);
    EXPECT_NEAR(measured.x, expected.x, 1e-4 * std::abs(expected.x));

    // Known rods need no run; the temporary folders are gone.
    const NecOutcome* known = runner.request({4.5, 5});
    ASSERT_TRUE(known);
    EXPECT_EQ(known->points.size(), 300u);
    EXPECT_FALSE(runner.running());
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
}

// A missing nec2c and a failing one are checked in the window, through this runner.
TEST(NecRunner, EveryFaultIsOneLineWithoutResult) {
    const std::tuple<const char*, const char*> cases[] = {
        {"/bin/cat DATA/garbage.out > \"$4\"", "NEC-2: the report of nec2c could not be read"},
        {"/bin/cat DATA/rod_4.5m_5mm_killed.out > \"$4\"", "(line 128: no input impedance"},
        {"kill -SEGV $$", "NEC-2: nec2c crashed"},
        {"exit 0", "NEC-2: nec2c wrote no report"},
        // Reading what stands in the report's place must neither block nor run away.
        // A writer comes later, so that a reader waiting on the FIFO would end after all.
        {"/usr/bin/mkfifo \"$4\"; (/bin/sleep 2; exec 3<>\"$4\"; /bin/sleep 1) &",
         "wrote no report that can be read (cannot read: not a regular file)"},
        {"/bin/ln -s /dev/zero \"$4\"", "(cannot read: not a regular file)"},
        {"/bin/ln -s DATA/rod_4.5m_5mm.out \"$4\"", "(cannot read: not a regular file)"},
        {"/usr/bin/head -c 17000000 /dev/zero > \"$4\"", "(cannot read: larger than 16 MB)"},
        {"#!/no/such/shell\n", "NEC-2: nec2c could not be started"}};
    for (const auto& [script, fault] : cases) {
        SCOPED_TRACE(fault);
        const StandIn stand_in(script, ORVANE_NEC_TEST_DATA);
        NecRunner runner;
        runner.setTimeout(300);
        const RunEnd end = RunToEnd(runner, {4.5, 5});
        ASSERT_TRUE(end.outcome);
        EXPECT_TRUE(end.outcome->points.empty());
        EXPECT_TRUE(end.outcome->fault.contains(fault)) << end.outcome->fault.toStdString();
        EXPECT_FALSE(end.outcome->fault.contains('\n'));
        EXPECT_LE(end.finished, 1);
        EXPECT_FALSE(runner.running());
    }
}

// A run that takes too long ends with everything it started, a wrapper's children too.
TEST(NecRunner, ATimeoutEndsTheWholeRun) {
    const StandIn stand_in(
        "/bin/sleep 30 & echo $! >> 'PIDS'\n/bin/sleep 30 & echo $! >> 'PIDS'\nwait");
    NecRunner runner;
    runner.setTimeout(300);
    const RunEnd end = RunToEnd(runner, {4.5, 5});
    ASSERT_TRUE(end.outcome);
    EXPECT_TRUE(end.outcome->fault.contains("NEC-2: nec2c took longer than 0.3 s and was stopped"))
        << end.outcome->fault.toStdString();
    EXPECT_GT(end.ticks, 1) << "the event loop ran while the stand-in slept";
    // The group's end is sent at once; the processes take a moment to go.
    for (int wait = 0; wait < 500 && stand_in.alive() > 0; ++wait) QThread::msleep(10);
    EXPECT_EQ(stand_in.alive(), 0) << "a process of the run outlived it";
}

TEST(NecRunner, AnotherRodEndsTheRunningOne) {
    const NecRod first{4.5, 5}, second{5, 5};
    const StandIn stand_in("exec /bin/sleep 30");
    {
        NecRunner runner;
        runner.setTimeout(500);
        EXPECT_EQ(runner.request(first), nullptr);
        EXPECT_TRUE(runner.running());
        const RunEnd end = RunToEnd(runner, second);
        EXPECT_EQ(end.finished, 1);
        ASSERT_TRUE(end.outcome);
        EXPECT_TRUE(end.outcome->fault.contains("longer than 0.5 s"));
        EXPECT_LE(stand_in.alive(), 1) << "the first run's stand-in is still there";
        EXPECT_EQ(runner.request(first), nullptr) << "the ended run left no outcome";
        EXPECT_TRUE(runner.running());
    }
    EXPECT_EQ(stand_in.alive(), 0) << "a stand-in outlived its run or the runner";
}

}  // namespace
