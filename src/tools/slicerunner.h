#pragma once
// Runs long work (a walk over the book, a body-text search) in short slices from the event loop,
// so the window that waits for it keeps painting and answering while it runs.
#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class QEventLoop;

namespace sorvek {

class SliceRunner : public QObject {
    Q_OBJECT
public:
    // One slice: work until the deadline; true when the whole work is done.
    using Slice = std::function<bool(QDeadlineTimer)>;

    explicit SliceRunner(QObject *parent = nullptr, int sliceMilliseconds = 25);

    // Starts the work on the next turn of the event loop; a running work is dropped first.
    void start(Slice slice);
    // Drops the work; finished() is not sent.
    void cancel();
    bool isRunning() const { return bool(slice_); }
    // Waits in a local event loop until the work is done or dropped; true when it was done.
    bool wait();

signals:
    void sliceDone();
    void finished();

private:
    void runSlice();
    void stopWaiting();

    QTimer timer_;
    Slice slice_;
    int sliceMilliseconds_;
    QEventLoop *waiting_ = nullptr;
    bool lastDone_ = false;
    quint64 generation_ = 0; // a new start or a cancel makes a running slice's outcome stale
};

} // namespace sorvek
