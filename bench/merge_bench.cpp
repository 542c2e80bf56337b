// Times the merge of a level of 2,000 pages into the print documents, the longest slice of the
// walk as the window would run it, and merges of damaged pages whose openers have no partners
// (STYLE, generated blocks, SRC quotes, BODY). Prints one line per case; exits with 1 when the
// level takes 5 s or more, a slice 100 ms or more, or a damaged page a second or more.
#include "print/mergejob.h"

#include "commands/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

using namespace sorvek;

namespace {

const QString kDoctype = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");

QString page(int i, const QString &body)
{
    return kDoctype + QStringLiteral("\r<HTML><HEAD><TITLE>\"!\"ページ%1#二行目?ヒント</TITLE>"
                                     "<STYLE>P{color:black}</STYLE></HEAD>\r<BODY>")
                          .arg(i)
        + body + QStringLiteral("</BODY>\r</HTML>");
}

QString ordinaryBody(int i)
{
    return QStringLiteral("<H1>見出し%1</H1><P>[] の答えを書きましょう。<IMG src=\"p%2.png\"></P>").arg(i).arg(i % 50)
        + QStringLiteral("<!--beginSorvek//--><SCRIPT>var a=1;</SCRIPT><!--endSorvek//-->")
        + QStringLiteral("<P>本文の行です。</P>\r").repeated(40);
}

struct Level {
    QStringList names;
    QString folder;
};

Level writeLevel(const QString &folder, const QStringList &texts)
{
    Level level{{}, folder + QLatin1Char('/')};
    QDir().mkpath(folder);
    for (int i = 0; i < texts.size(); ++i) {
        level.names.append(QStringLiteral("%1_p.html").arg(1010 + 10 * i));
        writePageText(level.folder + level.names.last(), texts.at(i));
    }
    return level;
}

bool timeMerge(QTextStream &out, const char *name, const Level &level, const QString &documents, qint64 limitMs)
{
    const MergeRequest request{level.names, level.folder, level.folder, documents, MergeMode::Marked};
    QElapsedTimer whole;
    whole.start();
    const MergeOutcome outcome = mergePages(request);
    const qint64 ms = whole.elapsed();
    PageMerge sliced(request);
    qint64 longest = 0;
    for (bool over = false; !over;) {
        QElapsedTimer slice;
        slice.start();
        over = sliced.step(15);
        longest = std::max(longest, slice.elapsed());
    }
    out << QString::fromUtf8(name).leftJustified(36) << ms << " ms, longest slice " << longest << " ms ("
        << outcome.merged << " pages merged)\n";
    out.flush();
    return ms < limitMs && longest < 100 && outcome.status == MergeOutcome::Status::Written;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString documents = dir.filePath(QStringLiteral("docs"));
    constexpr int kRepeats = 100'000;

    QStringList ordinary;
    for (int i = 0; i < 2000; ++i)
        ordinary.append(page(i, ordinaryBody(i)));
    bool fast = timeMerge(out, "level of 2,000 pages", writeLevel(dir.filePath(QStringLiteral("level")), ordinary),
                          documents, 5000);

    const QStringList damaged{
        page(1, QStringLiteral("<STYLE>x").repeated(kRepeats)),
        page(2, QStringLiteral("<!--beginSorvek//-->x").repeated(kRepeats)),
        page(3, QStringLiteral("<IMG SRC=\"a").repeated(kRepeats)),
        page(4, QStringLiteral("[]").repeated(kRepeats)),
        page(5, QStringLiteral("<BODY>").repeated(kRepeats)),
    };
    const char *names[] = {"styles without ends", "generated blocks without ends", "SRC quotes without ends",
                           "many blanks", "BODY tags without ends"};
    for (int i = 0; i < damaged.size(); ++i)
        fast &= timeMerge(out, names[i], writeLevel(dir.filePath(QStringLiteral("damaged%1").arg(i)), {damaged.at(i)}),
                          documents, 1000);
    return fast ? 0 : 1;
}
