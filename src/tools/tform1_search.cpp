// TForm1: the search window, the LOOK search of the link commands, LOOK auto-links, and the
// video player the dispatcher opens.
#include "app/tform1.h"

#include "book/pagelocation.h"
#include "commands/commandtext.h"
#include "commands/texthelpers.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>

namespace sorvek {

void TForm1::SetSearchWindow(TForm4 *search)
{
    Form4 = search;
    if (!Form4)
        return;
    // While the search window previews a result, the main window's current page is that result.
    connect(Form4, &TForm4::PagePreviewed, this, [this](const QString &path, const QString &url) {
        CurrentPagePath = path;
        CurrentPageURL = url;
    });
}

void TForm1::SetVideoPlayer(TForm6 *player)
{
    Form6 = player;
}

void TForm1::Find1Click()
{
    if (!Form4)
        return;
    Form4->BookFolder = BookFolder;
    Form4->Edit2 = urlToLocalPath(levels_.topFolder());
    Form4->Tag = SearchMode::BodyText;
    Form4->Edit1->clear();
    if (showModal(Form4) != QDialog::Accepted)
        return;
    levels_.pushLevel(Form4->ListBox1, Form4->ListBox2, 0, Form4->SearchBase, CommandOrigin::localBookPage());
    RebuildPageButtons();
    RunCommand(QStringLiteral("GO ") + pageStem(Form4->Caption()));
}

LookResult TForm1::lookSearch(const QString &words, const QString &askingPage)
{
    if (!Form4)
        return {};
    Form4->BookFolder = BookFolder;
    const LookResult result = Form4->LookSearch(words, askingPage);
    QApplication::processEvents();
    return result;
}

LookTitleIndex TForm1::LookLinkIndex(const QString &pagePath, bool *complete)
{
    if (complete)
        *complete = false;
    if (!Form4)
        return {};
    Form4->BookFolder = BookFolder;
    // The main window is not disabled meanwhile: that would disable the search window, its child,
    // whose progress and Esc must stay usable; the search window holds other input back itself.
    const LookTitleIndex index = Form4->LinkTitleIndex(pagePath);
    QApplication::processEvents();
    // A walk cut short leaves the saved index stale.
    if (complete)
        *complete = IndexedFolder == BookFolder + u'/';
    return index;
}

void TForm1::rewriteCurrentPageLinks(LookLinkMode mode)
{
    if (PageCount() == 0)
        return;
    const QString ref = levels_.currentPageReference();
    const std::optional<QString> path = pageFilePath(ref, levels_.topFolder());
    if (ref.contains(QLatin1String("http:")) || !path)
        return;
    bool complete = true;
    const LookTitleIndex index = mode == LookLinkMode::Add ? LookLinkIndex(*path, &complete) : LookTitleIndex{};
    if (!complete) {
        // Linking with part of the index would strip links it cannot write again.
        ShowNotice(QStringLiteral("LOOK自動リンクを中止しました。ページはそのままです。"), 2000);
        return;
    }
    const LookFileRewrite rewrite = rewriteLookLinks(*path, mode, index);
    if (!rewrite.ok())
        warn(rewrite.message());
    ShowPage(true);
}

void TForm1::LookLinkClick()
{
    rewriteCurrentPageLinks(LookLinkMode::Add);
}

void TForm1::LookRemoveClick()
{
    rewriteCurrentPageLinks(LookLinkMode::Remove);
}

void TForm1::OpenVideo(const QString &file)
{
    if (!Form6 && MakeVideoPlayer)
        MakeVideoPlayer();
    if (!Form6)
        return;
    Form6->Open(mapFromGlobal(QCursor::pos()), file);
}

} // namespace sorvek
