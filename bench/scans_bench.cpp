// The text scans at book scale, each against its goal or its reference in the same run: LOOK
// auto-links and their removal, command items, the visible text of the body-text search, the
// link-page scan, the references a page makes, a large web link page, the title sort, the
// body-text search against ripgrep and the title-index walk against plainly reading the files.
// Then, for every scan, the time at input x1, x4 and x16: a scan that is worse than linear shows
// as a growing time per unit.
#include "authoring/lookautolink.h"
#include "book/linkpagescan.h"
#include "book/pagetitles.h"
#include "commands/commanditems.h"
#include "pagefiles/pagereferences.h"
#include "tools/pagetitleread.h"
#include "tools/resultsearch.h"
#include "tools/searchrules.h"
#include "tools/titleindexwalk.h"
#include "tools/titlesort.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace sorvek;

namespace {

// Best of a few runs, in milliseconds.
double best(const std::function<void()> &run, int runs = 3)
{
    qint64 fastest = INT64_MAX;
    for (int k = 0; k < runs; ++k) {
        QElapsedTimer timer;
        timer.start();
        run();
        fastest = qMin(fastest, timer.nsecsElapsed());
    }
    return double(fastest) / 1e6;
}

void row(const char *what, double ms, const char *against, double reference)
{
    std::printf("  %-52s %9.1f ms  %6.2f x %s (%.1f ms)\n", what, ms, ms / reference, against, reference);
}

// ---- Inputs ----

const QString kSentence = QStringLiteral("川の流れは絶えずして、しかも元の水にあらず。淀みに浮かぶうたかたは、");

// A page of about kilobytes * 1024 characters: paragraphs, bold words, a picture and a link.
QString bookPage(int kilobytes)
{
    QString body = QStringLiteral("<HTML><HEAD><TITLE>川</TITLE></HEAD><BODY>\r\n");
    for (int n = 0; body.size() < kilobytes * 1024; ++n)
        body += QStringLiteral("<P>%1<B>水%2</B>と<A HREF=\"p%2.html\">流れ</A><IMG alt=\"水\" src=\"a.png\">%1</P>\r\n")
                    .arg(kSentence)
                    .arg(n);
    return body + QStringLiteral("</BODY></HTML>\r\n");
}

// Titles of the book: "課N#..." with words that mostly do not occur in the page, and a few that do.
LookTitleIndex titleIndex(int count, bool dense)
{
    LookTitleIndex index{QStringLiteral("/book"), QStringLiteral("/book/self.html"), {}, {}};
    const QString letters = kSentence;
    for (int k = 0; k < count; ++k) {
        index.relativePaths.append(QStringLiteral("p%1.html").arg(k));
        if (dense) // one or two characters of the page's own text: 59 distinct titles, repeated
            index.titles.append(QString(letters.at(k % letters.size())) + (k % 3 ? QString() : QString(letters.at((k / 3) % letters.size()))));
        else
            index.titles.append(QStringLiteral("第%1課#地理%2").arg(k).arg(k % 50 == 0 ? QStringLiteral("水") : QString::number(k)));
    }
    return index;
}

// A page of kana text and short kana titles drawn from the same few syllables, so that most
// titles occur in the page and the linked page is many times the input.
const QString kKana = QStringLiteral("あいうかきくさしす");

QString kanaPage(int kilobytes)
{
    QString body = QStringLiteral("<HTML><HEAD><TITLE>かな</TITLE></HEAD><BODY>\r\n<P>");
    quint32 seed = 7;
    while (body.size() < kilobytes * 1024) {
        seed = seed * 1103515245u + 12345u;
        body += kKana.at((seed >> 16) % kKana.size());
        if ((seed >> 8) % 97 == 0)
            body += QStringLiteral("</P>\r\n<P>");
    }
    return body + QStringLiteral("</P></BODY></HTML>\r\n");
}

LookTitleIndex kanaTitles(int count)
{
    LookTitleIndex index{QStringLiteral("/book"), QStringLiteral("/book/self.html"), {}, {}};
    QSet<QString> seen;
    quint32 seed = 11;
    while (index.titles.size() < count) {
        seed = seed * 1103515245u + 12345u;
        const int length = 2 + int((seed >> 16) % 4);
        QString title;
        for (int k = 0; k < length; ++k) {
            seed = seed * 1103515245u + 12345u;
            title += kKana.at((seed >> 16) % kKana.size());
        }
        if (seen.contains(title))
            continue;
        seen.insert(title);
        index.relativePaths.append(QStringLiteral("p%1.html").arg(index.titles.size()));
        index.titles.append(title);
    }
    return index;
}

QString lookLinks(int links, bool closed)
{
    QString t;
    t.reserve(links * 40);
    for (int k = 0; k < links; ++k)
        t += QStringLiteral("語<A href=\"/$LOOK 水\">水</A>").left(closed ? -1 : 20);
    return t;
}

QString commandTarget(int items)
{
    QString t = QStringLiteral("/");
    t.reserve(items * 7);
    for (int k = 0; k < items; ++k)
        t += k % 2 ? QStringLiteral("$NEXT,") : QStringLiteral(",");
    return t;
}

QString linkPage(int links, const QString &link)
{
    return QStringLiteral("<html><body>【リンク】") + link.repeated(links) + QStringLiteral("</body></html>");
}

// ---- A book of pages for the search and the walk ----

constexpr int kPages = 2000;

QByteArray pageBytes(int n)
{
    QByteArray page("\xEF\xBB\xBF<HTML><HEAD><TITLE>");
    page += QStringLiteral("第%1課").arg(n).toUtf8() + "</TITLE></HEAD><BODY>\r\n";
    const QByteArray line = QStringLiteral("<P>%1<B>元の水</B>にあらず。</P>\r\n").arg(kSentence).toUtf8();
    while (page.size() < 20 * 1024)
        page += line;
    return page + "</BODY></HTML>\r\n";
}

bool writeBook(const QString &root)
{
    for (int i = 0; i < kPages; ++i) {
        const QString folder = root + QStringLiteral("/%1_章").arg(1000 + 10 * (i % 20));
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/%1_page.html").arg(1000 + 10 * i));
        if (!file.open(QIODevice::WriteOnly) || file.write(pageBytes(i)) < 0)
            return false;
    }
    return true;
}

// ---- Scaling ----

void scaling(const char *what, const std::function<void(int)> &run)
{
    double times[3];
    const int scales[3] = {1, 4, 16};
    for (int k = 0; k < 3; ++k)
        times[k] = best([&] { run(scales[k]); });
    std::printf("  %-40s %9.2f %9.2f %9.2f ms   per unit x16/x1: %5.2f\n", what, times[0], times[1], times[2],
                times[2] / 16 / qMax(times[0], 0.001));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);

    std::printf("text scans against their goals and references\n");
    const QString page = bookPage(100);
    const LookTitleIndex titles = titleIndex(20000, false);
    const LookTitleIndex dense = titleIndex(20000, true);
    // Each LOOK row says how much the page grew, so that an input that links nothing shows.
    const auto lookRow = [](const char *what, const QString &text, const LookTitleIndex &index, double goal) {
        QString linked;
        row(what, best([&] { linked = lookAutoLink(LookLinkMode::Add, text, index); }), "goal", goal);
        std::printf("  %-52s %9.2f x the input\n", "  its linked page", double(linked.size()) / double(text.size()));
    };
    const QString kana = kanaPage(100);
    const LookTitleIndex kanaIndex = kanaTitles(20000);
    lookRow("LOOK auto-links, 100 KB page, 20,000 titles that link", kana, kanaIndex, 30);
    lookRow("LOOK auto-links, 100 KB page, 20,000 titles not in the page", page, titles, 30);
    lookRow("LOOK auto-links, 100 KB page, 59 distinct short titles", page, dense, 30);
    const QString links = lookLinks(100000, true);
    const QString unclosed = lookLinks(25000, false);
    row("removing 100,000 LOOK links", best([&] { unwrapLookLinks(links); }), "goal", 50);
    row("removing 25,000 LOOK links without </A>", best([&] { unwrapLookLinks(unclosed); }), "goal", 50);
    const QString command = commandTarget(400000);
    row("a command link of 400,000 items", best([&] { splitCommandItems(commandListOfTarget(command)); }), "goal", 50);
    const QString comments = QStringLiteral("<!--x").repeated(40000);
    row("visible text, 40,000 unclosed <!--", best([&] { visibleText(comments); }), "goal", 50);
    const QString hrefs = linkPage(100000, QStringLiteral("href="));
    row("link-page scan, 100,000 unclosed href=", best([&] { decideLinkPage(hrefs, QString(), QStringLiteral("/b/"), CommandOrigin::localBookPage()); }),
        "goal", 50);
    const QString web = linkPage(100000, QStringLiteral("href=")); // 500 KB
    qsizetype held = 0;
    const double webMs = best([&] {
        const LinkScanResult r = scanLoadedPage(web, QStringLiteral("http://example.org/a/"), QStringLiteral("/b/"), CommandOrigin::localBookPage());
        // Strings that share their data are held once.
        QSet<const QChar *> seen;
        held = 0;
        for (const QString &s : r.linkPage.pages + r.linkPage.titles) {
            if (!s.isEmpty() && !seen.contains(s.constData())) {
                seen.insert(s.constData());
                held += s.size() * 2;
            }
        }
        held += (r.linkPage.pages.size() + r.linkPage.titles.size()) * qsizetype(sizeof(QString));
    });
    row("web link page of 500 KB, 100,000 links", webMs, "goal", 100);
    std::printf("  %-52s %9.2f bytes held per byte of the page\n", "  its level's targets and titles",
                double(held) / double(web.size() * 2));

    TitleList inOrder;
    for (int k = 0; k < 50000; ++k)
        inOrder.append(QStringLiteral("p%1.html").arg(k), QStringLiteral("%1").arg(k, 6, 10, QLatin1Char('0')));
    row("sorting 50,000 titles already in order", best([&] {
            TitleList l = inOrder;
            sortTitleList(l, SearchMode::BodyText);
        }),
        "goal", 100);

    TitleList looked;
    for (int k = 0; k < 50000; ++k)
        looked.append(QStringLiteral("%1_章/%2_p.html").arg(k / 100).arg(k), QStringLiteral("第%1課#地理?ヒント").arg(k));
    row("LOOK title search, 50,000 titles", best([&] {
            ResultSearch s(SearchMode::LookTitle, QStringLiteral("/book/"), looked, {QStringLiteral("地理")},
                           QStringLiteral("/BOOK/7_章/700_P.HTML"));
            s.run();
        }),
        "goal", 100);

    QTemporaryDir dir;
    if (!dir.isValid() || !writeBook(dir.path())) {
        std::fprintf(stderr, "cannot write the test book\n");
        return 1;
    }
    const QString base = dir.path() + u'/';
    TitleList index = walkTitleIndex(base);
    const double plain = best([&] {
        for (int i = 0; i < index.size(); ++i) {
            QFile f(base + index.paths.at(i));
            if (f.open(QIODevice::ReadOnly))
                f.readAll();
        }
    });
    row("title-index walk, 2,000 pages of 20 KB", best([&] { walkTitleIndex(base); }), "plain reading", plain);
    for (const QString &term : {QStringLiteral("見つからない"), QStringLiteral("元の水")}) {
        const double search = best([&] {
            ResultSearch s(SearchMode::BodyText, base, index, {term});
            s.run();
        });
        const QString rg = QStandardPaths::findExecutable(QStringLiteral("rg"));
        double reference = plain;
        const char *against = "plain reading (no rg)";
        if (!rg.isEmpty()) {
            reference = best([&] {
                QProcess p;
                p.start(rg, {QStringLiteral("-F"), QStringLiteral("-i"), QStringLiteral("-l"), term, dir.path()});
                p.waitForFinished(-1);
            });
            against = "rg -F -i";
        }
        const QByteArray what = (QStringLiteral("body-text search, 2,000 pages, term ") + term).toUtf8();
        row(what.constData(), search, against, reference);
    }

    std::printf("\nscaling (x1, x4, x16 of the input)\n");
    scaling("LOOK auto-links, page 25 KB x", [&](int s) { lookAutoLink(LookLinkMode::Add, bookPage(25 * s), titles); });
    scaling("LOOK auto-links, kana page 25 KB x", [&](int s) { lookAutoLink(LookLinkMode::Add, kanaPage(25 * s), kanaIndex); });
    scaling("LOOK auto-links, titles 1,250 x", [&](int s) { lookAutoLink(LookLinkMode::Add, page, titleIndex(1250 * s, false)); });
    scaling("removing LOOK links 6,250 x", [&](int s) { unwrapLookLinks(lookLinks(6250 * s, true)); });
    scaling("removing unclosed LOOK links 1,560 x", [&](int s) { unwrapLookLinks(lookLinks(1560 * s, false)); });
    scaling("command items 25,000 x", [&](int s) { splitCommandItems(commandListOfTarget(commandTarget(25000 * s))); });
    scaling("visible text, unclosed <!-- 2,500 x", [&](int s) { visibleText(QStringLiteral("<!--x").repeated(2500 * s)); });
    scaling("visible text, lone < 2,500 x", [&](int s) { visibleText(QStringLiteral("<x").repeated(2500 * s)); });
    scaling("link-page scan, unclosed href= 6,250 x", [&](int s) {
        decideLinkPage(linkPage(6250 * s, QStringLiteral("href=")), QString(), QStringLiteral("/b/"), CommandOrigin::localBookPage());
    });
    scaling("link-page scan, links 6,250 x", [&](int s) {
        decideLinkPage(linkPage(6250 * s, QStringLiteral("<a href=\"p.html\">頁</a>")), QString(), QStringLiteral("/b/"), CommandOrigin::localBookPage());
    });
    scaling("link-page scan, unclosed href=\" 6,250 x", [&](int s) {
        decideLinkPage(linkPage(6250 * s, QStringLiteral("href=\"x>")), QString(), QStringLiteral("/b/"), CommandOrigin::localBookPage());
    });
    scaling("visible text, page 25 KB x", [&](int s) { visibleText(bookPage(25 * s)); });
    scaling("page references, page 25 KB x", [&](int s) { scanPageReferences(bookPage(25 * s)); });
    scaling("page references, unclosed src=' url( 6,250 x", [&](int s) {
        scanPageReferences(QStringLiteral("src='a url(b ").repeated(6250 * s));
    });
    scaling("page title from bytes, page 25 KB x", [&](int s) {
        pageTitleFromBytes(QStringLiteral("/b/1_x.html"), bookPage(25 * s).toUtf8());
    });
    // A page of nothing but unclosed META tags, read as a folder listing reads every page's title.
    const auto metaFlood = [&](int s) { return dir.filePath(QStringLiteral("flood%1.html").arg(s)); };
    for (const int s : {1, 4, 16}) {
        QFile file(metaFlood(s));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray("<meta ").repeated(2500 * s));
    }
    scaling("page title of a META flood, 2,500 x", [&](int s) { readLevelTitle(metaFlood(s)); });
    scaling("title sort, 3,125 x", [&](int s) {
        TitleList l = inOrder;
        l.paths = l.paths.mid(0, 3125 * s);
        l.titles = l.titles.mid(0, 3125 * s);
        std::reverse(l.titles.begin(), l.titles.end());
        sortTitleList(l, SearchMode::BodyText);
    });
    return 0;
}
