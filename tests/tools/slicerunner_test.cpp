// Slices of long work from the event loop: done, dropped, restarted from a listener, waited for.
#include "tools/slicerunner.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

// Work of n steps, one step per slice.
SliceRunner::Slice steps(int n, int &done)
{
    return [n, &done](QDeadlineTimer) { return ++done >= n; };
}

TEST(SliceRunner, WaitRunsEverySliceAndReportsDone)
{
    SliceRunner runner;
    int done = 0, slices = 0, finished = 0;
    QObject::connect(&runner, &SliceRunner::sliceDone, [&] { ++slices; });
    QObject::connect(&runner, &SliceRunner::finished, [&] { ++finished; });
    runner.start(steps(5, done));
    EXPECT_TRUE(runner.isRunning());
    EXPECT_TRUE(runner.wait());
    EXPECT_FALSE(runner.isRunning());
    EXPECT_EQ(done, 5);
    EXPECT_EQ(slices, 5);
    EXPECT_EQ(finished, 1);
}

TEST(SliceRunner, CancelEndsTheWaitWithoutFinishing)
{
    SliceRunner runner;
    int done = 0, finished = 0;
    QObject::connect(&runner, &SliceRunner::finished, [&] { ++finished; });
    QObject::connect(&runner, &SliceRunner::sliceDone, [&] {
        if (done == 3)
            runner.cancel();
    });
    runner.start(steps(100, done));
    EXPECT_FALSE(runner.wait());
    EXPECT_EQ(done, 3);
    EXPECT_EQ(finished, 0);
}

TEST(SliceRunner, RestartFromAListenerRunsTheNewWork)
{
    SliceRunner runner;
    int first = 0, second = 0, finished = 0;
    QObject::connect(&runner, &SliceRunner::finished, [&] { ++finished; });
    QObject::connect(&runner, &SliceRunner::sliceDone, [&] {
        if (first == 1 && second == 0)
            runner.start(steps(2, second));
    });
    runner.start(steps(1, first)); // done at once, but a listener starts new work first
    EXPECT_TRUE(runner.wait());
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(finished, 1);
}

TEST(SliceRunner, WaitWithoutWorkReturnsAtOnce)
{
    SliceRunner runner;
    EXPECT_FALSE(runner.wait());
}

} // namespace
