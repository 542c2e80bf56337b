#pragma once
// Merging the pages of a level into "_合体.html" and its code page 932 copy in the print folder.
// The walk reads one page after another; PageMergeJob runs it in slices on the event loop, so a
// level of many pages keeps the window responsive and reports its progress.
#include "print/pagemerge.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

namespace sorvek {

struct MergeRequest {
    QStringList pageRefs;     // the top level's page list, in order
    QString topFolder;        // the top level's folder, ending with "/"
    QString bookFolder;       // pictures are taken from here first, then from topFolder
    QString documentsFolder;  // the print folder lies below it
    MergeMode mode = MergeMode::Marked;
};

struct MergeOutcome {
    enum class Status { Written, NothingToMerge, ReadError, WriteError };
    Status status = Status::NothingToMerge;
    int merged = 0;
    QString mergedPath;        // the document to preview; "" when none was written
    QString error;             // the read or write error, with its path
    QStringList missingPictures;
    int unmappable = 0;        // characters the Shift_JIS copy holds as "?"
    // What the user is told: "合体するページがありません。", the error, or the pictures that could
    // not be found and that the Shift_JIS copy holds "?" for some characters; "" when all went well.
    QString message() const;
    // The preview follows only when the UTF-8 document was written.
    bool preview() const { return !mergedPath.isEmpty(); }
};

// One merge, advanced step by step.
class PageMerge {
public:
    explicit PageMerge(MergeRequest request);
    // Reads pages for about budgetMs milliseconds (at least one page); true when the walk is over.
    bool step(qint64 budgetMs);
    int done() const { return next_; }
    int total() const { return int(request_.pageRefs.size()); }
    // Writes both documents and copies the pictures; call once the walk is over.
    MergeOutcome finish();

private:
    bool readPage(int i);

    MergeRequest request_;
    MergeBuilder builder_;
    int next_ = 0;
    std::optional<MergeOutcome> failure_;
};

// The whole merge in one call.
MergeOutcome mergePages(const MergeRequest &request);

class PageMergeJob : public QObject {
    Q_OBJECT
public:
    explicit PageMergeJob(QObject *parent = nullptr);
    ~PageMergeJob() override;

    // Starts a merge; false (and nothing started) while one is running.
    bool start(const MergeRequest &request);
    bool isRunning() const { return merge_ != nullptr; }

signals:
    void progress(int done, int total);
    void finished(const sorvek::MergeOutcome &outcome);

private:
    void slice();

    std::unique_ptr<PageMerge> merge_;
    QTimer timer_;
};

} // namespace sorvek
