#include "tools/slicerunner.h"

#include <QEventLoop>

namespace sorvek {

SliceRunner::SliceRunner(QObject *parent, int sliceMilliseconds)
    : QObject(parent)
    , sliceMilliseconds_(sliceMilliseconds)
{
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &SliceRunner::runSlice);
}

void SliceRunner::start(Slice slice)
{
    ++generation_;
    slice_ = std::move(slice);
    lastDone_ = false;
    timer_.start();
}

void SliceRunner::cancel()
{
    ++generation_;
    timer_.stop();
    slice_ = nullptr;
    lastDone_ = false;
    stopWaiting();
}

void SliceRunner::runSlice()
{
    if (!slice_)
        return;
    // The slice or a listener may cancel or restart the work: keep this slice alive meanwhile.
    const Slice slice = slice_;
    const quint64 generation = generation_;
    const bool done = slice(QDeadlineTimer(sliceMilliseconds_));
    if (generation != generation_)
        return;
    emit sliceDone();
    if (!done || generation != generation_)
        return;
    timer_.stop();
    slice_ = nullptr;
    lastDone_ = true;
    stopWaiting();
    emit finished();
}

bool SliceRunner::wait()
{
    if (!isRunning())
        return lastDone_;
    QEventLoop loop;
    waiting_ = &loop;
    loop.exec();
    waiting_ = nullptr;
    return lastDone_;
}

void SliceRunner::stopWaiting()
{
    if (waiting_)
        waiting_->quit();
}

} // namespace sorvek
