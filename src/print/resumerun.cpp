#include "print/resumerun.h"

#include "book/pagelocation.h"
#include "print/printfolder.h"

#include <QFileInfo>

namespace sorvek {

namespace {

// The footnote memo beside a page: its path with the extension ".txt"; "" when missing or unreadable.
QString memoOf(const QString &pagePath)
{
    const qsizetype dot = pagePath.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = pagePath.lastIndexOf(QLatin1Char('/'));
    const QString memoPath = (dot > slash ? pagePath.first(dot) : pagePath) + QStringLiteral(".txt");
    if (!QFileInfo(memoPath).isFile())
        return QString();
    // Memos written on old machines are code page 932: the bytes tell which a memo is.
    const ReadResult read = readTextByContent(memoPath);
    return read ? read.text : QString();
}

} // namespace

QString ResumeOutcome::message() const
{
    switch (status) {
    case Status::ReadError:
        return QStringLiteral("ページを読めません: ") + error + QStringLiteral("。RESUMEを中止しました。");
    case Status::WriteError:
        return QStringLiteral("RESUMEを保存できません: ") + error + QStringLiteral("。");
    case Status::Written:
        break;
    }
    if (!failedPictures.isEmpty())
        return QStringLiteral("ページの画像を保存できません: ") + failedPictures.join(QStringLiteral(", "))
            + QStringLiteral("。");
    return QString();
}

ResumeRun::ResumeRun(QObject *parent) : QObject(parent), Timer4(new QTimer(this))
{
    Timer4->setObjectName(QStringLiteral("Timer4"));
    Timer4->setSingleShot(true);
    Timer4->setInterval(kCaptureWaitMs);
    connect(Timer4, &QTimer::timeout, this, &ResumeRun::Timer4Timer);
}

bool ResumeRun::start(const ResumeRequest &request, ResumeSteps steps)
{
    if (running_ || request.pageRefs.isEmpty())
        return false;
    running_ = true;
    request_ = request;
    steps_ = std::move(steps);
    sheet_ = ResumeSheet();
    failedPictures_.clear();
    index_ = 0;
    const PrintFolder folder(request_.documentsFolder);
    resumePath_ = folder.resumePath();
    if (const WriteResult made = folder.create(); !made) {
        end({ResumeOutcome::Status::WriteError, {}, made.error, {}});
        return true;
    }
    beginPage();
    return true;
}

void ResumeRun::beginPage()
{
    tag_ = 1;
    Timer4->stop();
    steps_.showPage(index_);
    const QString ref = request_.pageRefs.at(index_);
    const PrintFolder folder(request_.documentsFolder);
    pendingPicture_ = folder.resumePicturePath(ref);
    QString title, memo;
    if (const std::optional<QString> path = pageFilePath(ref, request_.topFolder)) {
        const ReadResult page = readPageText(*path);
        if (!page) {
            // The run stops on the page it could not read.
            end({ResumeOutcome::Status::ReadError, {}, page.error, failedPictures_});
            return;
        }
        title = resumeTitle(page.text);
        memo = resumeMemoHtml(memoOf(*path));
    }
    sheet_.addPage(title, memo, resumePictureName(ref));
    Timer4->start();
}

void ResumeRun::Timer4Timer()
{
    tag_ = 0;
    if (!running_)
        return;
    if (steps_.capture) {
        if (const WriteResult saved = steps_.capture(pendingPicture_); !saved)
            failedPictures_.append(saved.error.isEmpty() ? pendingPicture_ : saved.error);
    }
    if (++index_ < request_.pageRefs.size())
        beginPage();
    else
        complete();
}

void ResumeRun::complete()
{
    Timer4->stop();
    steps_.showPage(request_.returnIndex);
    const WriteResult written = writePageText(resumePath_, sheet_.document());
    if (!written) {
        end({ResumeOutcome::Status::WriteError, {}, written.error, failedPictures_});
        return;
    }
    end({ResumeOutcome::Status::Written, resumePath_, {}, failedPictures_});
}

void ResumeRun::end(const ResumeOutcome &outcome)
{
    Timer4->stop();
    tag_ = 0;
    running_ = false;
    emit finished(outcome);
}

} // namespace sorvek
