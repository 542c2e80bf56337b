#include "print/mergejob.h"

#include "book/pagelocation.h"
#include "commands/textfile.h"
#include "print/printfolder.h"
#include "print/printpictures.h"

#include <QElapsedTimer>

#include <limits>

namespace sorvek {

namespace {

constexpr qint64 kSliceMs = 15;  // a slice short enough for the window to stay smooth

} // namespace

QString MergeOutcome::message() const
{
    switch (status) {
    case Status::NothingToMerge:
        return QStringLiteral("合体するページがありません。");
    case Status::ReadError:
        return QStringLiteral("ページを読めません: ") + error + QStringLiteral("。何も書き出していません。");
    case Status::WriteError:
        return QStringLiteral("印刷用のファイルを保存できません: ") + error + QStringLiteral("。");
    case Status::Written:
        break;
    }
    QStringList lines;
    if (!missingPictures.isEmpty()) {
        constexpr int shown = 15;
        lines.append(QStringLiteral("次の画像が見つからないかコピーできないため、印刷に出ません:"));
        lines.append(missingPictures.mid(0, shown));
        if (missingPictures.size() > shown)
            lines.append(QStringLiteral("…ほか %1 個").arg(missingPictures.size() - shown));
    }
    if (unmappable > 0)
        lines.append(QStringLiteral("Shift_JISの印刷用ファイルでは、表せない文字 %1 個を「?」にしました。").arg(unmappable));
    return lines.join(QLatin1Char('\n'));
}

PageMerge::PageMerge(MergeRequest request) : request_(std::move(request)), builder_(request_.mode) {}

bool PageMerge::readPage(int i)
{
    // A web page of a link level has no file to merge.
    const std::optional<QString> path = pageFilePath(request_.pageRefs.at(i), request_.topFolder);
    if (!path)
        return true;
    const ReadResult read = readPageText(*path);
    if (!read) {
        failure_ = MergeOutcome{MergeOutcome::Status::ReadError, 0, {}, read.error, {}};
        return false;
    }
    builder_.addPage(read.text);
    return true;
}

bool PageMerge::step(qint64 budgetMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!failure_ && next_ < total()) {
        if (!readPage(next_))
            break;
        ++next_;
        if (clock.elapsed() >= budgetMs)
            break;
    }
    return failure_ || next_ >= total();
}

MergeOutcome PageMerge::finish()
{
    if (failure_)
        return *failure_;
    MergeOutcome outcome;
    outcome.merged = builder_.merged();
    if (builder_.merged() == 0)
        return outcome;
    const PrintFolder folder(request_.documentsFolder);
    WriteResult written = folder.create();
    if (written)
        written = writePageText(folder.mergedPath(), builder_.document(QStringLiteral("UTF-8")));
    if (!written) {
        outcome.status = MergeOutcome::Status::WriteError;
        outcome.error = written.error;
        return outcome;
    }
    outcome.mergedPath = folder.mergedPath();
    QString topFolder = request_.topFolder;
    if (topFolder.endsWith(QLatin1Char('/')))
        topFolder.chop(1);
    // The pages' own folder first: a page of a subfolder means its own pic.png, not the root's.
    const PictureCopyResult pictures =
        copyPrintPictures(pictureNames(builder_.body()), {topFolder, request_.bookFolder}, folder.path());
    outcome.missingPictures = pictures.failed;
    const WriteResult copy = writeCodePageLines(folder.mergedShiftJisPath(),
                                                splitLines(builder_.document(QStringLiteral("SHIFT_JIS"))));
    outcome.status = copy ? MergeOutcome::Status::Written : MergeOutcome::Status::WriteError;
    outcome.error = copy.error;
    outcome.unmappable = copy.unmappable;
    return outcome;
}

MergeOutcome mergePages(const MergeRequest &request)
{
    PageMerge merge(request);
    while (!merge.step(std::numeric_limits<qint64>::max())) {
    }
    return merge.finish();
}

PageMergeJob::PageMergeJob(QObject *parent) : QObject(parent)
{
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &PageMergeJob::slice);
}

PageMergeJob::~PageMergeJob() = default;

bool PageMergeJob::start(const MergeRequest &request)
{
    if (merge_)
        return false;
    merge_ = std::make_unique<PageMerge>(request);
    timer_.start();
    return true;
}

void PageMergeJob::slice()
{
    if (!merge_->step(kSliceMs)) {
        emit progress(merge_->done(), merge_->total());
        return;
    }
    timer_.stop();
    const MergeOutcome outcome = merge_->finish();
    merge_.reset();
    emit finished(outcome);
}

} // namespace sorvek
