// The title index of a 2,000-page book: the walk that reads every page, the sorts of the three
// modes, a body-text search over all pages, and LOOK auto-links of one page against all titles.
// The walk is set against plainly reading the same files, so its own work shows as a ratio.
#include "authoring/lookautolink.h"
#include "tools/resultsearch.h"
#include "tools/titleindexwalk.h"
#include "tools/titlesort.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int PageCount = 2000;
constexpr int FolderCount = 20;
constexpr int PageBytes = 20 * 1024;

QString pagePath(const QString &root, int n)
{
    return root + QStringLiteral("/%1_章/%2_page.html").arg(1000 + 10 * (n % FolderCount)).arg(1000 + 10 * n);
}

QString pageTitle(int n)
{
    return QStringLiteral("第%1課#地理%2").arg(n).arg(QString(n % 7 + 1, u'語'));
}

QByteArray pageBytes(int n)
{
    QByteArray page("\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n<TITLE>");
    page += pageTitle(n).toUtf8() + "</TITLE>\r\n</HEAD>\r\n<BODY>\r\n<!--HEDDA_IN-->\r\n";
    const QByteArray line = QStringLiteral("<P>川の流れは絶えずして、しかも<B>元の水</B>にあらず。地理語の課。</P>\r\n").toUtf8();
    while (page.size() < PageBytes)
        page += line;
    return page + "<!--HEDDA_OUT-->\r\n</BODY>\r\n</HTML>\r\n";
}

bool writeBook(const QString &root)
{
    for (int f = 0; f < FolderCount; ++f)
        QDir(root).mkpath(QStringLiteral("%1_章").arg(1000 + 10 * f));
    for (int i = 0; i < PageCount; ++i) {
        QFile file(pagePath(root, i));
        if (!file.open(QIODevice::WriteOnly) || file.write(pageBytes(i)) < 0)
            return false;
    }
    return true;
}

// Best of five runs, in milliseconds.
double best(const std::function<void()> &run)
{
    qint64 fastest = INT64_MAX;
    for (int k = 0; k < 5; ++k) {
        QElapsedTimer timer;
        timer.start();
        run();
        fastest = qMin(fastest, timer.nsecsElapsed());
    }
    return double(fastest) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !writeBook(dir.path())) {
        std::fprintf(stderr, "cannot write the test book\n");
        return 1;
    }
    const QString base = dir.path() + u'/';
    const double plain = best([&] {
        for (int i = 0; i < PageCount; ++i) {
            QFile f(pagePath(dir.path(), i));
            if (f.open(QIODevice::ReadOnly))
                f.readAll();
        }
    });
    sorvek::TitleList index;
    const double walk = best([&] { index = sorvek::walkTitleIndex(base); });
    sorvek::TitleList sorted;
    const double byTitle = best([&] {
        sorted = index;
        sorvek::sortTitleList(sorted, sorvek::SearchMode::BodyText);
    });
    const double byLength = best([&] {
        sorted = index;
        sorvek::sortTitleList(sorted, sorvek::SearchMode::TitleLength);
    });
    qsizetype found = 0;
    const double body = best([&] {
        sorvek::ResultSearch search(sorvek::SearchMode::BodyText, base, index, {QStringLiteral("見つからない")});
        search.run();
        found = search.matches().size();
    });
    const QString page = QString::fromUtf8(pageBytes(7));
    const sorvek::LookTitleIndex links{dir.path(), pagePath(dir.path(), 7), sorted.paths, sorted.titles};
    QString linked;
    const double look = best([&] { linked = sorvek::lookAutoLink(sorvek::LookLinkMode::Add, page, links); });

    std::printf("title index of %d pages (%lld found, %d KiB each)\n", PageCount, static_cast<long long>(index.size()),
                PageBytes / 1024);
    std::printf("  plain reading      %8.1f ms\n", plain);
    std::printf("  walk with titles   %8.1f ms  (%.2f x plain reading)\n", walk, walk / plain);
    std::printf("  sort by title      %8.1f ms\n", byTitle);
    std::printf("  sort by length     %8.1f ms\n", byLength);
    std::printf("  body-text search   %8.1f ms  (%lld matches)\n", body, static_cast<long long>(found));
    std::printf("  LOOK auto-links    %8.1f ms  (one page against %lld titles, %lld -> %lld chars)\n", look,
                static_cast<long long>(sorted.size()), static_cast<long long>(page.size()),
                static_cast<long long>(linked.size()));
    return index.size() == PageCount ? 0 : 1;
}
