// TForm1: the link dispatcher and the services the link commands use.
#include "app/tform1.h"

#include "commands/linkdispatcher.h"
#include "commands/mwex.h"
#include "commands/texthelpers.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>

namespace sorvek {

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

// Drops the mouse and key input aimed at one window for as long as it lives.
class InputDrop : public QObject {
public:
    explicit InputDrop(QWidget *window)
        : window_(window)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~InputDrop() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!isUserInput(event->type()))
            return false;
        if (auto *widget = qobject_cast<QWidget *>(watched))
            return widget->window() == window_;
        auto *window = qobject_cast<QWindow *>(watched);
        return window && window == window_->windowHandle();
    }

private:
    QWidget *window_;
};

} // namespace

void TForm1::setColumnLayout(int width, int tag, bool showClose)
{
    kabeRight->resize(width, kabeRight->height());
    placeBitBtn1();
    SpeedButton7->show();
    SpeedButton7->setProperty("Tag", tag);
    SpeedButton6->setVisible(showClose);
    SpeedButton10->setVisible(tag == 1);
    SpeedButton6->move(kabedown->width() - 90, 0);
    SpeedButton10->move(SpeedButton6->pos());
    kabeBASE->realign();
}

void TForm1::WebBrowser1BeforeNavigate2(const QUrl &url, bool &cancel)
{
    // The page browser and the notes panel share this handler; the origin is the one asking.
    auto *source = qobject_cast<BrowserControl *>(sender());
    dispatchNavigation(url, cancel, source ? source : WebBrowser1);
}

void TForm1::WebBrowser4BeforeNavigate2(const QUrl &url, bool &cancel)
{
    // A side-menu link always starts from the root level; the menu's own page loads freely.
    const QString target = navigationText(url);
    if (target == BookFolder + QStringLiteral("/_index.html"))
        return;
    if (WebBrowser4->CurrentNavigation().mainFrame && levels_.depth() > 1) {
        while (levels_.depth() > 1)
            CloseLevel();
        // The column shows the root from here on, whatever the link goes on to do.
        HighlightCurrent = true;
        RebuildPageButtons();
        placeButtons(false);
        applyBreadcrumb();
    }
    dispatchNavigation(url, cancel, WebBrowser4);
}

void TForm1::dispatchNavigation(const QUrl &url, bool &cancel, BrowserControl *source)
{
    const QString target = navigationText(url);
    const NavigationStart start = source->CurrentNavigation();
    if (start.mainFrame && !start.redirect) {
        if (isTitlePageTitle(layoutTitle(target, levels_.titleList(), PageIndex()))) {
            hyoushi->resize(0, hyoushi->height());
            SpeedButton9->hide();
            SpeedButton2->show();
            AlignPanel::setAlign(kabeRight, Align::None);
            kabeRight->move(kabeBASE->width(), kabeRight->y());
            setColumnLayout(1, 1, false);
            SpeedButton7->move(SpeedButton6->x() + SpeedButton6->width() + 4, 0);
        } else if (kabeRightTag < 1) {
            AlignPanel::setAlign(kabeRight, Align::Right);
            setColumnLayout(120, 0, true);
        }
    }
    // Every project link goes to OpenProjectLink, which says so when nothing here can run it.
    NavigationDecision decision = decideNavigation(target, {levels_.pageList(), PageIndex(), true}, start);
    if (decision.action == NavigationAction::OpenProject) {
        // A project runs in MicroWorlds EX: never for a document shown on behalf of the web.
        if (start.origin.isWeb()) {
            cancel = true;
            ShowNotice(webRefusalNotice(decision.target), kWebRefusalNoticeMs);
            return;
        }
        if (OpenProjectLink(decision.target)) {
            cancel = true;
            return;
        }
        // A project that cannot be handed to MicroWorlds EX goes on through the other rules.
        decision = decideNavigation(target, {levels_.pageList(), PageIndex(), false}, start);
    }
    cancel = decision.cancelsNavigation();
    // The actions run after the engine's navigation hook has returned: they navigate again.
    QTimer::singleShot(0, this, [this, decision, origin = start.origin] { runNavigationAction(decision, origin); });
}

void TForm1::runNavigationAction(const NavigationDecision &decision, CommandOrigin origin)
{
    switch (decision.action) {
    case NavigationAction::SelectPage:
        SetPageIndex(decision.pageIndex);
        showPageFrom(origin);
        break;
    case NavigationAction::LaunchMwex:
    case NavigationAction::OpenWebVideo:
        // A web page never hands a file of this machine to the desktop's programs, and the
        // desktop gets web addresses only as http or https.
        if ((origin.isWeb() || decision.action == NavigationAction::OpenWebVideo) && !isHttpAddress(decision.target))
            ShowNotice(webRefusalNotice(decision.target), kWebRefusalNoticeMs);
        else if (services().shell && !services().shell->openWithDefault(decision.target)
                 && decision.action == NavigationAction::LaunchMwex)
            ShowNotice(mwexCannotRunNotice(decision.target), kMwexNoticeMs);
        break;
    case NavigationAction::OpenMail:
        // Decided for a local page only: the engine itself hands no scheme to the desktop.
        if (!origin.isWeb() && services().shell)
            services().shell->openWithDefault(decision.target);
        break;
    case NavigationAction::PlayWave:
    case NavigationAction::OpenVideo:
        // Sound and video for a document shown on behalf of the web never open a file here.
        if (origin.isWeb())
            ShowNotice(webRefusalNotice(decision.target), kWebRefusalNoticeMs);
        else if (decision.action == NavigationAction::OpenVideo)
            OpenVideo(decision.target);
        else if (!isWebAddress(decision.target)) // a web address names no sound file to play
            PlayWave(decision.target);
        break;
    case NavigationAction::RunCommands:
        RunLinkCommands(decision.target, origin);
        break;
    case NavigationAction::Refuse:
        ShowNotice(webRefusalNotice(decision.target), kWebRefusalNoticeMs);
        break;
    case NavigationAction::OpenProject: // handed over in the hook itself
    case NavigationAction::Navigate:
        break;
    }
}

NavigationStart TForm1::pageShowStart(bool pageFileExists) const
{
    NavigationStart start{levels_.topOrigin()};
    if (showOrigin_)
        start.origin = leastTrusted(start.origin, *showOrigin_);
    start.pageFile = pageFileExists;
    return start;
}

void TForm1::showPageFrom(CommandOrigin origin)
{
    showOrigin_ = origin;
    ShowPage(true);
    showOrigin_.reset();
}

void TForm1::RunLinkCommands(const QString &list, CommandOrigin origin)
{
    const LinkListOutcome outcome = runner_.runLinkCommands(list, origin);
    if (outcome.end == LinkListOutcome::End::BadCounter && services().prompt)
        services().prompt->warning(this, QStringLiteral("'%1' は有効な整数ではありません。後のコマンドは実行しませんでした。")
                                       .arg(outcome.item));
}

void TForm1::RunCommand(const QString &command)
{
    // The program's own page turns and jumps; a page they show keeps its level's trust.
    runner_.runCommand(command, CommandOrigin::localBookPage());
}

void TForm1::ShowNote(const QString &word, bool find)
{
    QString w = word;
    if (w.startsWith(QLatin1Char('_'))) {
        w.remove(0, 1);
        int tenths = 3;
        if (!w.isEmpty() && w.at(0) >= QLatin1Char('1') && w.at(0) <= QLatin1Char('9')) {
            tenths = w.at(0).digitValue();
            w.remove(0, 1);
        }
        NotesHeight = tenths * kabe->height() / 10;
        kabeKR->setGeometry(0, kabeBrowser->height() - NotesHeight, kabeBrowser->width(), NotesHeight);
        Panel9->setGeometry(4, 4, kabeKR->width() - 8, kabeKR->height() - 8);
        WebBrowser2->setGeometry(-2, -2, Panel9->width() + 24, Panel9->height() + 24);
        kabeKR->raise();
    }
    if (!find) {
        WebBrowser2->ScrollIntoView(true);
        return;
    }
    // The find waits for the scroll, so a match is never scrolled away again.
    WebBrowser2->ScrollIntoView(false, [this, w] {
        WebBrowser2->FindText(w, [this](bool found) {
            if (!found)
                WebBrowser2->FindText(QStringLiteral("【その他】"), [this](bool other) {
                    if (!other)
                        WebBrowser2->ScrollIntoView(false);
                });
        });
    });
}

void TForm1::PlayWave(const QString &file)
{
    // Only a file: a FIFO, a device or a folder would block the window or play nothing.
    if (services().sound && QFileInfo(file).isFile())
        services().sound->playFile(file);
}

QString TForm1::desktopFolder() const
{
    QString desktop = services().folders ? services().folders->desktopFolder() : QDir::homePath();
    while (desktop.size() > 1 && desktop.endsWith(QLatin1Char('/')))
        desktop.chop(1);
    return desktop;
}

void TForm1::openFolderInFileManager(const QString &path)
{
    if (services().shell)
        services().shell->openFolder(path);
}

void TForm1::openInImageEditor(const QString &path)
{
    if (services().shell)
        services().shell->openInImageEditor(path);
}

void TForm1::startProgram(const QString &program, const QStringList &arguments, bool waitForEnd)
{
    if (!services().processes)
        return;
    if (waitForEnd)
        WaitForProgram(program, arguments);
    else
        services().processes->startDetached(program, arguments, levels_.topFolder());
}

bool TForm1::WaitForProgram(const QString &program, const QStringList &arguments)
{
    if (!services().processes)
        return false;
    // The window stays painted but takes no input until the program has ended.
    setEnabled(false);
    QEventLoop wait;
    bool ended = false;
    bool started = false;
    services().processes->startAndWait(program, arguments, levels_.topFolder(), [&](bool ok) {
        ended = true;
        started = ok;
        wait.quit();
    });
    if (!ended)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    // Input made meanwhile was held back by the wait: it reaches the window while it is still
    // disabled and is dropped there, so no click of that time turns a page afterwards.
    {
        const InputDrop drop(this);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    setEnabled(true);
    return started;
}

void TForm1::startDownload(const QString &url, const QString &target)
{
    if (!services().downloader)
        return;
    const QString shown = WebBrowser1->LocationURL().toString();
    services().downloader->download(
        url, target, [this](qint64 bytes) { setWindowTitle(QString::number(bytes) + QStringLiteral(" Byte 完了しました。")); },
        [this, shown, target](bool ok, const QString &error) {
            if (ok) {
                setWindowTitle(shown);
                return;
            }
            setWindowTitle(QStringLiteral("ダウンロードできませんでした: ") + target + QStringLiteral(" (") + error
                           + QStringLiteral(")。元のファイルはそのままです。"));
        });
}


} // namespace sorvek
