#pragma once
// The resume run: shows each page of the level in turn, waits for it to be drawn (Timer4, 2,000 ms
// a page, on the event loop so the window keeps painting), has it photographed, and writes the
// resume sheet to the print folder. The window's part is given as callbacks.
#include "commands/textfile.h"
#include "print/resumesheet.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace sorvek {

struct ResumeRequest {
    QStringList pageRefs;     // the top level's page list
    QString topFolder;        // ending with "/"
    QString documentsFolder;  // the print folder lies below it
    int returnIndex = 0;      // the page shown again at the end
};

struct ResumeSteps {
    // Makes page i of the top level current and shows it with navigation.
    std::function<void(int index)> showPage;
    // Photographs the page area into the snapshot and saves it as JPEG at path.
    std::function<WriteResult(const QString &path)> capture;
};

struct ResumeOutcome {
    enum class Status { Written, ReadError, WriteError };
    Status status = Status::Written;
    QString resumePath;            // the document to preview; "" when none was written
    QString error;
    QStringList failedPictures;    // snapshots that could not be saved (the sheet shows no picture)
    QString message() const;       // "" when all went well
    bool preview() const { return !resumePath.isEmpty(); }
};

class ResumeRun : public QObject {
    Q_OBJECT
public:
    static constexpr int kCaptureWaitMs = 2000;

    explicit ResumeRun(QObject *parent = nullptr);

    // Starts a run; false while one is running or when there are no pages. finished() may be
    // emitted before this returns (the print folder could not be made).
    bool start(const ResumeRequest &request, ResumeSteps steps);
    bool isRunning() const { return running_; }
    // The capture-wait flag: positive while a shown page waits for its picture (page sounds stay
    // silent meanwhile).
    int Tag() const { return tag_; }

    // The per-page wait; its interval is the 2,000 ms of the run.
    QTimer *const Timer4;
    void Timer4Timer();

signals:
    void finished(const sorvek::ResumeOutcome &outcome);

private:
    void beginPage();
    void complete();
    void end(const ResumeOutcome &outcome);

    ResumeRequest request_;
    ResumeSteps steps_;
    ResumeSheet sheet_;
    QString resumePath_;
    QString pendingPicture_;
    QStringList failedPictures_;
    int index_ = 0;
    int tag_ = 0;
    bool running_ = false;
};

} // namespace sorvek
