// What web content may make the main window do, through the real engine offscreen and a small
// HTTP server: chains of redirects, link pages, frames, levels and history that start on the web
// never write a file, start a program or hand a local file to the desktop, and pages still turn.
#include "platform/qt/qtplatform.h"
#include "platform/qt/webenginebrowser.h"
#include "pagefiles/renamejournal.h"

#include "fakes/demobookwindow_ui.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

#include <sys/stat.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

// Answers each request with the fixed response of its path ("" when there is none: 404); paths
// ending in ".png" are pictures.
class FixedHttpServer : public QTcpServer {
public:
    FixedHttpServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }
    QString base() const { return u"http://127.0.0.1:%1"_s.arg(serverPort()); }
    void page(const QString &path, const QString &html) { responses[path] = {200, {}, html.toUtf8()}; }
    void redirect(const QString &path, const QString &location) { responses[path] = {302, location, {}}; }
    void picture(const QString &path, const QByteArray &png) { responses[path] = {200, {}, png}; }

private:
    struct Response {
        int status = 404;
        QString location;
        QByteArray body;
    };
    void answer(QTcpSocket *socket)
    {
        const QByteArray request = socket->readAll();
        const QByteArray path = request.mid(4, request.indexOf(' ', 4) - 4);
        const Response r = responses.value(QString::fromUtf8(path));
        const QByteArray &body = r.body;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(r.status) + (r.status == 302 ? " Found" : r.status == 200 ? " OK" : " Not Found");
        head += path.endsWith(".png") ? "\r\nContent-Type: image/png" : "\r\nContent-Type: text/html; charset=utf-8";
        head += "\r\nConnection: close\r\nContent-Length: "
                + QByteArray::number(body.size()) + "\r\n";
        if (!r.location.isEmpty())
            head += "Location: " + r.location.toUtf8() + "\r\n";
        socket->write(head + "\r\n" + body);
        socket->disconnectFromHost();
    }
    QHash<QString, Response> responses;
};

QString html(const QString &body)
{
    return u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML><HEAD><TITLE>t</TITLE></HEAD>"
           u"<BODY><A id=\"next\" href=\"/$NEXT\">next</A> "_s + body + u"</BODY></HTML>"_s;
}

// A link page of one link: no next link beside it.
QString oneLink(const QString &body)
{
    return u"<HTML><BODY>"_s + body + u"</BODY></HTML>"_s;
}

// A frame's page that follows its only link as soon as it has loaded.
QString autoClick(const QString &href)
{
    return u"<HTML><BODY onload=\"document.getElementById('a').click()\"><A id=\"a\" href=\"%1\">a</A></BODY></HTML>"_s.arg(href);
}

// Stands in for the desktop's opener of every scheme a page may try to hand over.
class DesktopSpy : public QObject {
    Q_OBJECT
public:
    DesktopSpy() { for (const QString &scheme : schemes) QDesktopServices::setUrlHandler(scheme, this, "open"); }
    ~DesktopSpy() override { for (const QString &scheme : schemes) QDesktopServices::unsetUrlHandler(scheme); }
    Q_INVOKABLE void open(const QUrl &url) { opened << url.toString(); }
    QStringList opened;
    const QStringList schemes = {u"smb"_s, u"ftp"_s, u"sftp"_s, u"ssh"_s, u"foo"_s, u"mailto"_s};
};
class WebTrustTest : public fakes::DemoBookWindowTest {
protected:
    // The book is a few small pages of its own (not the demo book); the server answers the rest.
    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        folder = dir.filePath(u"Book"_s);
        const QString s = server.base();
        const QString pwn = u"/$JS pwn.txt x=1"_s;
        const QString touch = u"/$..%2F..%2F..%2F..%2F..%2F..%2F..%2Fusr%2Fbin%2Ftouch%20pwn"_s;
        testutil::writePage(folder, u"1000_start.html"_s, html(QString(
            u"<A id=\"redirJs\" href=\"%1/redir-js\">r</A><A id=\"redirFile\" href=\"%1/redir-file\">r</A>"
            u"<A id=\"redirSlash\" href=\"%1/redir-slash\">r</A><A id=\"redirBack\" href=\"%1/redir-back\">r</A>"
            u"<A id=\"touch\" href=\"%1/touch.html\">w</A><A id=\"links\" href=\"%1/links.html\">w</A>"
            u"<A id=\"one\" href=\"%1/one.html\">w</A><A id=\"oneMwex\" href=\"%1/one-mwex.html\">w</A>"
            u"<A id=\"framed\" href=\"%1/framed.html\">w</A><A id=\"localFrame\" href=\"_frame-local.html\">f</A>"
            u"<A id=\"webFrame\" href=\"_frame-web.html\">f</A><A id=\"dir\" href=\"%1/dir.html\">w</A>"
            u"<A id=\"refresh\" href=\"_refresh.html\">f</A><A id=\"script\" href=\"%1/script.html\">w</A>"
            u"<A id=\"open\" href=\"%1/open.html\">w</A><A id=\"form\" href=\"%1/form.html\">w</A>"
            u"<A id=\"webRefresh\" href=\"%1/refresh.html\">w</A><A id=\"chainJs\" href=\"%1/chain-js\">r</A>"
            u"<A id=\"links24\" href=\"%1/links24.html\">w</A><A id=\"picture\" href=\"_picture.html\">f</A>"
            u"<A id=\"webFrameToFile\" href=\"_frame-web-file.html\">f</A><A id=\"fifo\" href=\"fifo.wav\">f</A>"
            u"<A id=\"menuFrame\" href=\"_frame-menu.html\">f</A><A id=\"sound\" href=\"%1/sound.html\">w</A>"_s.arg(s))
            .replace(QRegularExpression(u">.</A>"_s), u">a link to click</A><BR>"_s)));
        testutil::writePage(folder, u"1010_b.html"_s, html(u"b"_s));
        testutil::writePage(folder, u"1020_c.html"_s, html(u"c"_s));
        testutil::writePage(folder, u"1030_$NEXT.html"_s, html(u"<A id=\"touch\" href=\"%1/touch.html\">w</A>"_s.arg(s)));
        ASSERT_EQ(mkfifo(QFile::encodeName(folder + u"/fifo.wav"_s).constData(), 0600), 0);
        testutil::writePage(folder, u"_links.html"_s, oneLink(u"【リンク】<A href=\"page.html%1\">x</A>"_s.arg(pwn)));
        testutil::writePage(folder, u"MWEX/mwex.exe"_s, u"x"_s);
        testutil::writePage(folder, u"_frame-local.html"_s, html(u"<IFRAME src=\"_inner-next.html\"></IFRAME>"_s));
        testutil::writePage(folder, u"_inner-next.html"_s, autoClick(u"/$NEXT"_s));
        testutil::writePage(folder, u"_refresh.html"_s, u"<HTML><HEAD><META http-equiv=\"refresh\" content=\"0;url=/$NEXT\"></HEAD></HTML>"_s);
        testutil::writePage(folder, u"_index.html"_s, oneLink(u"<A id=\"web\" href=\"%1/touch.html\">w</A>"_s.arg(s)));
        testutil::writePage(folder, u"_frame-web-file.html"_s, html(u"<IFRAME src=\"%1/inner-file.html\"></IFRAME>"_s.arg(s)));
        testutil::writePage(folder, u"_picture.html"_s, html(u"<IMG id=\"web\" src=\"%1/a.png\">"_s.arg(s)));
        testutil::writePage(folder, u"_frame-web.html"_s, html(u"<IFRAME src=\"%1/inner-js.html\"></IFRAME>"_s.arg(s)));
        testutil::writePage(folder, u"_frame-menu.html"_s, html(u"<IFRAME id=\"frame\" src=\"%1/inner-link.html\"></IFRAME>"_s.arg(s)));
        evil = dir.filePath(u"Downloads"_s);
        // Its title tells whether it could read a file of this machine.
        const QString read = u"<SCRIPT>var x=new XMLHttpRequest();try{x.open('GET','file:///etc/hostname',false);x.send()}catch(e){}document.title=x.responseText?'read':'refused'</SCRIPT>"_s;
        testutil::writePage(evil, u"1000_evil.html"_s,
                            html(u"<A id=\"js\" href=\"%1\">js</A><BR><A id=\"mwx\" href=\"p.mwx\">project</A>"_s.arg(pwn) + read));
        testutil::writePage(evil, u"p.mwx"_s, u"x"_s);
        // A batch of renames left half done, whose recovery would name a file "pwn.html".
        testutil::writePage(evil, u".sorvek-rename-0-0"_s, u"x"_s);
        RenameJournal journal{RenameJournal::Phase::Placing, {{u"a.html"_s, u".sorvek-rename-0-0"_s, u"pwn.html"_s}}, {}, {}, {}};
        ASSERT_TRUE(writeRenameJournal(evil, journal));
        testutil::writePage(dir.filePath(u"NoPages"_s), u"_help.html"_s, html(u"<A id=\"js\" href=\"%1\">js</A>"_s.arg(pwn)));

        // A picture one pixel wide.
        server.picture(u"/a.png"_s, QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg=="));
        server.redirect(u"/redir-js"_s, u"/$JS%20pwn.txt%20x=1"_s);
        server.redirect(u"/redir-file"_s, QUrl::fromLocalFile(folder + u"/1010_b.html"_s).toString());
        server.redirect(u"/redir-slash"_s, touch);
        server.redirect(u"/redir-back"_s, u"/$..%5C..%5C..%5C..%5C..%5C..%5Cusr%5Cbin%5Ctouch%20pwn"_s);
        server.page(u"/touch.html"_s, html(u"<A id=\"go\" href=\"%1\">t</A><A id=\"smb\" href=\"smb://h/s/x.avi\">a</A><BR><A id=\"ftp\" "
                                           u"href=\"ftp://h/a.wmv\">a</A><BR><A id=\"sftp\" href=\"sftp://h/x\">a</A><BR><A id=\"ssh\" href=\"ssh://h\">a</A>"
                                           u"<BR><A id=\"foo\" href=\"foo:/usr/bin/xterm\">a</A><BR><A id=\"mail\" href=\"mailto:a@h\">a</A>"_s.arg(touch)));
        server.page(u"/script.html"_s, html(u"<SCRIPT>setTimeout(function(){location.href='%1'},0)</SCRIPT>"_s.arg(pwn)));
        server.page(u"/open.html"_s, html(u"<A id=\"go\" href=\"#\" onclick=\"window.open('%1');return false\">o</A>"_s.arg(pwn)));
        server.page(u"/form.html"_s, html(u"<FORM method=\"post\" action=\"%1\"><INPUT id=\"go\" type=\"submit\"></FORM>"_s.arg(pwn)));
        server.page(u"/refresh.html"_s, html(u"<META http-equiv=\"refresh\" content=\"0;url=%1\">"_s.arg(pwn)));
        server.redirect(u"/chain-js"_s, u"/redir-js"_s);
        server.page(u"/links24.html"_s, html(u"【リンク】<A href=\"FILE:///etc/hostname\">a</A><A href=\"file://127.0.0.1/etc/hostname\">b</A>"
                                             u"<A href=\"/plain.html\">c</A><A href=\"/%24JS%20pwn.txt%20x=1\">d</A>"_s));
        server.page(u"/plain.html"_s, html(u"plain"_s));
        server.page(u"/sound.html"_s, html(u"<A id=\"go\" href=\"/a.wav#/../../../../../../tmp/x.wav\">s</A>"_s));
        server.page(u"/links.html"_s, html(u"【リンク】<A href=\"%1\">local</A><A href=\"/plain.html\">plain</A>"
                                           u"<A href=\"%2\">js</A>"_s.arg(QUrl::fromLocalFile(u"/etc/hostname"_s).toString(), pwn)));
        server.page(u"/one.html"_s, oneLink(u"【リンク】<A href=\"%1\">x</A>"_s.arg(QUrl::fromLocalFile(folder + u"/_links.html"_s).toString())));
        server.page(u"/one-mwex.html"_s, oneLink(u"【リンク】<A href=\"%1\">x</A>"_s.arg(QUrl::fromLocalFile(folder + u"/MWEX/mwex.exe"_s).toString())));
        server.page(u"/framed.html"_s, html(u"<IFRAME src=\"/inner-js.html\"></IFRAME>"_s));
        server.page(u"/inner-js.html"_s, autoClick(pwn));
        // Tries a local command link every way a frame can (the engine refuses them all), then a web one.
        const QString fileJs = u"file:///$JS%20pwn.txt%20x=1"_s;
        server.page(u"/inner-file.html"_s, u"<HTML><BODY onload=\"window.open('%1');for(var a of document.links)a.click()\">"
                                           u"<A target=\"_top\" href=\"%1\">a</A><A href=\"%1\">a</A><A href=\"%2\">a</A></BODY></HTML>"_s
                                               .arg(fileJs, pwn));
        // Left click opens a blob and a data document; the engine's menu opens the link in a new window.
        server.page(u"/inner-link.html"_s, u"<A href=\"%1\" onclick=\"window.open(URL.createObjectURL(new Blob(['b'],{type:'text/html'})));"
                                           u"window.open('data:text/html,d');return false\" style=\"display:block;height:150px\">a</A>"_s.arg(fileJs));
        server.page(u"/dir.html"_s, html(u"<A id=\"go\" href=\"/$DIR %1/\">d</A><A id=\"make\" href=\"/$DIR %2/\">d</A>"
                                         u"<A id=\"help\" href=\"/$DIR %3/\">d</A>"_s.arg(evil, dir.filePath(u"Made"_s), dir.filePath(u"NoPages"_s))));
    }

    void open()
    {
        makeForm({}, QtPlatform::browsers()).show();
        ASSERT_TRUE(waitLoaded(u"1000_start.html"_s));
    }
    WebEngineBrowser *browser() const { return static_cast<WebEngineBrowser *>(form->WebBrowser1); }
    bool waitLoaded(const QString &name)
    {
        return QTest::qWaitFor([&] { return browser()->LocationURL().toString().endsWith(name); }, 20000);
    }
    // A real mouse click on the link: the engine treats it as the user's.
    void click(const QString &id, BrowserControl *in = nullptr, Qt::MouseButton button = Qt::LeftButton)
    {
        auto *target = static_cast<WebEngineBrowser *>(in ? in : form->WebBrowser1);
        QPoint at(-1, -1);
        target->view()->page()->runJavaScript(
            u"(function(){var r=document.getElementById('%1').getBoundingClientRect();return [r.left+r.width/2,r.top+r.height/2];})()"_s.arg(id),
            [&at](const QVariant &v) { at = QPoint(v.toList().value(0).toInt(), v.toList().value(1).toInt()); });
        ASSERT_TRUE(QTest::qWaitFor([&at] { return at.x() >= 0; }, 10000));
        QWidget *surface = target->view()->focusProxy();
        QTest::mouseClick(surface, button, {}, at);
    }
    // The picture with this id on the shown page has loaded and has a size.
    bool pictureShown(const QString &id)
    {
        int width = -1;
        browser()->view()->page()->runJavaScript(u"document.getElementById('%1').naturalWidth"_s.arg(id),
                                                 [&width](const QVariant &v) { width = v.toInt(); });
        return QTest::qWaitFor([&width] { return width >= 0; }, 10000) && width > 0;
    }
    bool noticed() const { return form->PmathuCaption->text().startsWith(u"Webページからは実行できません"_s); }
    QStringList written() const
    {
        QStringList found;
        for (QDirIterator it(dir.path(), {u"pwn*"_s, u"Made"_s}, QDir::AllEntries, QDirIterator::Subdirectories); it.hasNext();)
            found << it.next();
        return found;
    }

    FixedHttpServer server;
    DesktopSpy desktop;
    QString folder;
    QString evil;
};

// One step of a chain: what is done, then what it waits for.
struct Step {
    const char16_t *act;   // an element id to click ("menu:<id>" in the side menu, "window:<id>" in a new window), or "arrow" (the NEXT arrow), "home", "back", "drop"
    const char16_t *until; // "notice", "loaded:<name>", "menu:<name>" (in the side menu), "picture:<id>" (shown), "title:<t>", "nothing", "quiet" or "turned" (the page index or depth changed)
};

struct Chain {
    const char *name;
    std::vector<Step> steps;
    bool turnByArrow = false; // the page left on the screen has no next link of its own
};

class WebChains : public WebTrustTest, public testing::WithParamInterface<Chain> {};

TEST_P(WebChains, NeverActLocallyAndPagesStillTurn)
{
    open();
    int ended = 0;
    QStringList shown;
    QObject::connect(browser()->view()->page(), &QWebEnginePage::loadingChanged, form.get(),
                     [&ended, &shown](const QWebEngineLoadingInfo &info) {
                         ended += info.status() != QWebEngineLoadingInfo::LoadStartedStatus;
                         if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && info.url().isLocalFile())
                             shown << info.url().toLocalFile();
                     });
    for (const Step &step : GetParam().steps) {
        const QString act = QString::fromUtf16(step.act);
        const QString until = QString::fromUtf16(step.until);
        const auto before = std::make_pair(form->levels_.depth(), form->PageIndex());
        form->PmathuCaption->clear();
        const int endedBefore = ended;
        if (act == u"arrow")
            form->Image7MouseUp(Qt::LeftButton);
        else if (act == u"home")
            form->GoHome();
        else if (act == u"back")
            form->WebBrowser1->GoBack();
        else if (act.startsWith(u"menu:"))
            click(act.mid(5), form->WebBrowser4);
        else if (act.startsWith(u"window:")) { // the engine's "open link in new window" of a right click, which shows no menu
            click(act.mid(7), nullptr, Qt::RightButton);
            ASSERT_TRUE(QTest::qWaitFor([this] { return browser()->view()->lastContextMenuRequest(); }, 10000));
            EXPECT_EQ(browser()->view()->findChild<QMenu *>(), nullptr);
            browser()->view()->page()->triggerAction(QWebEnginePage::OpenLinkInNewWindow);
        } else if (act == u"drop") { // a command link dropped on the page, as the window system delivers it
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(folder + u"/$JS pwn.txt x=1"_s)});
            QDragEnterEvent enter({20, 20}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent dropped({20, 20}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(browser()->view()->focusProxy(), &enter);
            QCoreApplication::sendEvent(browser()->view()->focusProxy(), &dropped);
        }
        else
            click(act);
        if (until == u"nothing")
            continue;
        if (until == u"notice")
            EXPECT_TRUE(QTest::qWaitFor([this] { return noticed(); }, 20000)) << act.toStdString();
        else if (until == u"ended")
            EXPECT_TRUE(QTest::qWaitFor([&] { return ended > endedBefore; }, 20000)) << act.toStdString();
        else if (until.startsWith(u"menu:"))
            EXPECT_TRUE(QTest::qWaitFor([&] { return form->WebBrowser4->LocationURL().toString().endsWith(until.mid(5)); }, 20000))
                << act.toStdString();
        else if (until.startsWith(u"picture:"))
            EXPECT_TRUE(QTest::qWaitFor([&] { return pictureShown(until.mid(8)); }, 20000)) << act.toStdString();
        else if (until.startsWith(u"title:"))
            EXPECT_TRUE(QTest::qWaitFor([&] { return browser()->view()->page()->title() == until.mid(6); }, 20000));
        else if (until == u"quiet")
            QTest::qWait(2000);
        else if (until.startsWith(u"loaded:"))
            EXPECT_TRUE(waitLoaded(until.mid(7))) << act.toStdString();
        else
            EXPECT_TRUE(QTest::qWaitFor([&] { return std::make_pair(form->levels_.depth(), form->PageIndex()) != before; }, 20000))
                << act.toStdString();
    }
    EXPECT_EQ(written(), QStringList());
    EXPECT_EQ(platform.processes.started + platform.processes.waited, QStringList());
    EXPECT_EQ(platform.shell.calls, QStringList());
    EXPECT_EQ(shown.filter(u"/etc/"_s), QStringList());
    EXPECT_EQ(desktop.opened, QStringList());
    // Whatever the chain left on the screen, its own next link still turns the page.
    const auto before = std::make_pair(form->levels_.depth(), form->PageIndex());
    if (GetParam().turnByArrow)
        form->Image7MouseUp(Qt::LeftButton);
    else
        click(u"next"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::make_pair(form->levels_.depth(), form->PageIndex()) != before; }, 20000));
    EXPECT_EQ(platform.sound.played, QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Chains, WebChains,
    testing::Values(
        Chain{"RedirectToCommandLink", {{u"redirJs", u"notice"}}},
        Chain{"RedirectToLocalFile", {{u"redirFile", u"ended"}}, true},
        Chain{"RedirectWithEncodedSlashes", {{u"redirSlash", u"notice"}}},
        Chain{"RedirectWithEncodedBackslashes", {{u"redirBack", u"notice"}}},
        Chain{"WebLinkWithEncodedSlashes", {{u"touch", u"loaded:touch.html"}, {u"go", u"notice"}}},
        Chain{"WebLinkPageThenNextArrow", {{u"links", u"loaded:plain.html"}, {u"arrow", u"notice"}}},
        Chain{"WebOneLinkPageToLocalLinkPage", {{u"one", u"notice"}}, true},
        Chain{"WebOneLinkPageToMwex", {{u"oneMwex", u"notice"}}, true},
        Chain{"FrameOfWebPage", {{u"framed", u"notice"}}},
        Chain{"WebFrameOfLocalPage", {{u"webFrame", u"notice"}}},
        Chain{"LocalFrameOfLocalPageRunsItsCommands", {{u"localFrame", u"turned"}}},
        Chain{"LocalPageRefreshRunsItsCommands", {{u"refresh", u"turned"}}, true},
        Chain{"DirFromWebThenCommandLinkOnTheLevel",
              {{u"dir", u"loaded:dir.html"}, {u"go", u"loaded:1000_evil.html"}, {u"js", u"notice"}}},
        Chain{"ProjectOnAWebBuiltLevel",
              {{u"dir", u"loaded:dir.html"}, {u"go", u"loaded:1000_evil.html"}, {u"mwx", u"notice"}}},
        Chain{"DirFromWebCreatesNoFolder", {{u"dir", u"loaded:dir.html"}, {u"make", u"turned"}}},
        Chain{"WebScriptSetsLocation", {{u"script", u"notice"}}},
        Chain{"WebWindowOpen", {{u"open", u"loaded:open.html"}, {u"go", u"notice"}}},
        Chain{"WebFormPost", {{u"form", u"loaded:form.html"}, {u"go", u"notice"}}},
        Chain{"WebMetaRefresh", {{u"webRefresh", u"notice"}}},
        Chain{"RedirectChainToCommandLink", {{u"chainJs", u"notice"}}},
        Chain{"WebLinkPageOfOtherFileSpellingsAndEncodedDollar", {{u"links24", u"loaded:plain.html"}, {u"arrow", u"notice"}}},
        Chain{"SideMenuWebPage", {{u"menu:web", u"menu:touch.html"}, {u"menu:go", u"notice"}}},
        Chain{"BackFromLocalPageIntoWebPage",
              {{u"touch", u"loaded:touch.html"}, {u"next", u"turned"}, {u"back", u"loaded:touch.html"}, {u"go", u"notice"}}},
        Chain{"WebFrameOfLocalPageToLocalCommandLinks", {{u"webFrameToFile", u"notice"}}},
        Chain{"WebPictureOnLocalPage", {{u"picture", u"picture:web"}}},
        Chain{"BackIntoWebBuiltLevel",
              {{u"dir", u"loaded:dir.html"}, {u"go", u"loaded:1000_evil.html"}, {u"home", u"loaded:1000_start.html"},
               {u"back", u"loaded:1000_evil.html"}, {u"js", u"notice"}}},
        Chain{"HelpPageOfAWebBuiltLevelWithoutPages", {{u"dir", u"loaded:dir.html"}, {u"help", u"loaded:_help.html"}, {u"js", u"notice"}}},
        Chain{"WebBuiltLevelRecoversNoJournal", {{u"dir", u"loaded:dir.html"}, {u"go", u"loaded:1000_evil.html"}}},
        Chain{"SoundFromWebAndFifo", {{u"fifo", u"nothing"}, {u"sound", u"loaded:sound.html"}, {u"go", u"notice"}}},
        Chain{"BackIntoPageFileNamedLikeACommand", {{u"next", u"loaded:1010_b.html"}, {u"next", u"loaded:1020_c.html"},
                                                    {u"next", u"loaded:1030_$NEXT.html"}, {u"touch", u"loaded:touch.html"},
                                                    {u"back", u"loaded:1030_$NEXT.html"}}},
        Chain{"DropOnThePage", {{u"drop", u"quiet"}}},
        Chain{"NewWindowFromTheMenuOfAWebFrame", {{u"menuFrame", u"loaded:_frame-menu.html"}, {u"window:frame", u"notice"}}},
        Chain{"WebFrameOpensBlobAndData", {{u"menuFrame", u"loaded:_frame-menu.html"}, {u"frame", u"quiet"}}},
        Chain{"FileReadOnALevelOpenedFromTheWeb", {{u"dir", u"loaded:dir.html"}, {u"go", u"title:refused"}}},
        Chain{"SmbVideo", {{u"touch", u"loaded:touch.html"}, {u"smb", u"notice"}}},
        Chain{"FtpVideo", {{u"touch", u"loaded:touch.html"}, {u"ftp", u"notice"}}},
        Chain{"Sftp", {{u"touch", u"loaded:touch.html"}, {u"sftp", u"notice"}}},
        Chain{"Ssh", {{u"touch", u"loaded:touch.html"}, {u"ssh", u"notice"}}},
        Chain{"UnknownScheme", {{u"touch", u"loaded:touch.html"}, {u"foo", u"notice"}}},
        Chain{"MailtoFromTheWeb", {{u"touch", u"loaded:touch.html"}, {u"mail", u"notice"}}}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace

#include "webtrust_uitest.moc"
