// TForm1: page marks, the merged print document, the resume, worksheets and the page snapshot.
#include "app/tform1.h"

#include "print/mergejob.h"
#include "print/pagemark.h"
#include "print/printpreview_ui.h"
#include "print/resumerun.h"
#include "print/snapshot_ui.h"
#include "print/worksheet.h"

namespace sorvek {

void TForm1::createPrinting()
{
    mergeJob_ = new PageMergeJob(this);
    connect(mergeJob_, &PageMergeJob::progress, this, [this](int done, int total) {
        ShowNotice(QStringLiteral("合体しています %1/%2").arg(done).arg(total), 1000);
    });
    connect(mergeJob_, &PageMergeJob::finished, this, [this](const MergeOutcome &outcome) {
        if (outcome.status == MergeOutcome::Status::NothingToMerge) {
            services().prompt->information(this, outcome.message());
            return;
        }
        afterPrintDocument(outcome.mergedPath, outcome.message());
    });
    resume_ = new ResumeRun(this);
    connect(resume_, &ResumeRun::finished, this,
            [this](const ResumeOutcome &outcome) { afterPrintDocument(outcome.resumePath, outcome.message()); });
    printPreview_ = new PrintPreviewHandshake(WebBrowser3, this);
    connect(printPreview_, &PrintPreviewHandshake::previewOpening, Timer5, qOverload<>(&QTimer::stop));
    connect(printPreview_, &PrintPreviewHandshake::previewClosed, Timer5, qOverload<>(&QTimer::start));
}

void TForm1::afterPrintDocument(const QString &document, const QString &message)
{
    if (!message.isEmpty())
        warn(message);
    if (document.isEmpty())
        return;
    printPreview_->start(document, true);
    OpenLevel(levels_.topFolder(), PageIndex(), false, levels_.topOrigin());
    RebuildPageButtons();
    ShowPage(true);
}

void TForm1::SetPageMark(bool on)
{
    if (PageCount() == 0)
        return;
    const int i = PageIndex();
    const PageMarkResult result = setPageMark(levels_.currentPageReference(), levels_.topFolder(), levels_.title(i), on);
    if (result.status == PageMarkResult::Status::Skipped)
        return;
    if (!result.message().isEmpty()) {
        warn(result.message());
        return;
    }
    TiteleLoad(i);
    RefreshPageButton(i);
    ShowPage(true);
}

void TForm1::SetMarkClick()
{
    SetPageMark(true);
}

void TForm1::ClearMarkClick()
{
    SetPageMark(false);
}

void TForm1::MergePages(int mode)
{
    if (PageCount() == 0 || mergeJob_->isRunning() || !services().folders)
        return;
    mergeJob_->start({levels_.pageList(), levels_.topFolder(), BookFolder, services().folders->documentsFolder(),
                      MergeMode(mode)});
}

void TForm1::MergeMarkedClick()
{
    MergePages(int(MergeMode::Marked));
}

void TForm1::MergeUnmarkedClick()
{
    MergePages(int(MergeMode::Unmarked));
}

void TForm1::MergeAllClick()
{
    MergePages(int(MergeMode::All));
}

void TForm1::N6Click()
{
    Timer5->stop();
    WebBrowser1->PrintPreview();
    Timer5->start();
}

void TForm1::PrintResumeClick()
{
    Panel12MouseEnter();
    if (PageCount() == 0 || resume_->isRunning() || !services().folders)
        return;
    const ResumeSteps steps{[this](int i) {
                                SetPageIndex(i);
                                ShowPage(true);
                            },
                            [this](const QString &path) { return CaptureBrowserArea(path); }};
    resume_->start({levels_.pageList(), levels_.topFolder(), services().folders->documentsFolder(), PageIndex()}, steps);
}

void TForm1::BuildWorksheet(int mode)
{
    if (PageCount() == 0 || !services().folders)
        return;
    const WorksheetOutcome outcome = writeWorksheet({levels_.currentPageReference(), levels_.topFolder(), BookFolder,
                                                     services().folders->documentsFolder(), AnswerFieldMode(mode),
                                                     answerMarks()});
    if (!outcome.message().isEmpty())
        warn(outcome.message());
    if (outcome.preview())
        printPreview_->start(outcome.sheetPath, false);
}

void TForm1::PrintBlankSheetClick()
{
    BuildWorksheet(int(AnswerFieldMode::QuestionSheet));
}

void TForm1::PrintAnswerSheetClick()
{
    BuildWorksheet(int(AnswerFieldMode::AnswerSheet));
}

WriteResult TForm1::CaptureBrowserArea(const QString &path)
{
    if (!services().capture)
        return {false, QStringLiteral("画面を写せません")};
    return captureSnapshot(*services().capture, kabeBrowser, Image1, {kabe->width() - 2, kabeBrowser->height() - 2}, path);
}

void TForm1::SpeedButton8Click()
{
    Image1->setScaledContents(false);
    if (SnapshotShown) {
        SnapshotShown = false;
        RebuildPageButtons();
        return;
    }
    SnapshotShown = true;
    CaptureBrowserArea(QString());
    kabeBrowser->hide();
}

void TForm1::Image1Click(QPoint pos)
{
    const QPixmap zoomed = zoomSnapshot(Image1->pixmap(), pos);
    Image1->setPixmap(zoomed);
    if (services().capture)
        services().capture->copyToClipboard(zoomed);
}

} // namespace sorvek
