// Opening a folder level reads every page for its title. This compares that with plainly reading
// the same files, so the title work shows as a ratio over the unavoidable reading.
#include "book/levelstack.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int PageCount = 2000;
constexpr int PageBytes = 20 * 1024;

QByteArray pageBytes(int n)
{
    QByteArray head("\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
                    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n<TITLE>");
    head += QStringLiteral("第%1課　日本の地理と歴史").arg(n).toUtf8();
    head += "</TITLE>\r\n<!--STYLE_IN--><STYLE>body { font-size: 12pt; }</STYLE><!--STYLE_OUT-->\r\n</HEAD>\r\n<BODY>\r\n"
            "<!--HEDDA_IN-->\r\n";
    const QByteArray line = QStringLiteral("<P>川の流れは絶えずして、しかも元の水にあらず。淀みに浮かぶうたかたは、"
                                           "かつ消えかつ結びて、久しくとどまりたるためしなし。</P>\r\n")
                                .toUtf8();
    QByteArray page = head;
    while (page.size() < PageBytes)
        page += line;
    page += "<!--HEDDA_OUT-->\r\n</BODY>\r\n</HTML>\r\n";
    return page;
}

bool writeBook(const QString &folder)
{
    for (int i = 0; i < PageCount; ++i) {
        QFile f(folder + QStringLiteral("/%1_page.html").arg(1000 + 10 * i));
        if (!f.open(QIODevice::WriteOnly) || f.write(pageBytes(i)) < 0)
            return false;
    }
    return true;
}

// The files read one after another, nothing else done with them.
qint64 readPlainly(const QString &folder, qint64 &bytes)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < PageCount; ++i) {
        QFile f(folder + QStringLiteral("/%1_page.html").arg(1000 + 10 * i));
        if (f.open(QIODevice::ReadOnly))
            bytes += f.readAll().size();
    }
    return timer.nsecsElapsed();
}

qint64 openLevel(const QString &folder, int &pages)
{
    QElapsedTimer timer;
    timer.start();
    sorvek::LevelStack levels;
    levels.openLevel(folder, 0, true, sorvek::CommandOrigin::localBookPage());
    pages = levels.pageCount();
    return timer.nsecsElapsed();
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
    qint64 bytes = 0;
    int pages = 0;
    readPlainly(dir.path(), bytes);  // warm the file cache for both runs
    qint64 best[2] = {INT64_MAX, INT64_MAX};
    for (int round = 0; round < 5; ++round) {
        bytes = 0;
        best[0] = std::min(best[0], readPlainly(dir.path(), bytes));
        best[1] = std::min(best[1], openLevel(dir.path(), pages));
    }
    std::printf("pages: %d (%lld bytes)\n", pages, static_cast<long long>(bytes));
    std::printf("plain reading: %.2f ms\n", best[0] / 1e6);
    std::printf("openLevel with titles: %.2f ms\n", best[1] / 1e6);
    std::printf("ratio: %.2f\n", double(best[1]) / double(best[0]));
    return pages == PageCount ? 0 : 1;
}
