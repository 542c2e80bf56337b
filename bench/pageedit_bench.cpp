// Times the page editor's reading and writing of a 5 MB page, and of damaged pages whose openers
// have no partners (cells, paragraphs, headings, comments, tags without ">"), the cases that would
// turn quadratic. Prints one line per case; exits with 1 when a case takes a second or more.
#include "authoring/pageformat.h"
#include "authoring/pagereader.h"
#include "authoring/pagewriter.h"
#include "authoring/styleblock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

using namespace sorvek;

namespace {

constexpr int kRepeats = 100'000;

QString page(const QString &note, const QString &body = QString())
{
    using namespace pageformat;
    return buildPageHead(QStringLiteral("速さ#測る?ヒント"), buildStyleBlock(3)) + body + kHeaderIn + kHeaderOut
        + kNoteIn + note + kNoteOut + kFooterIn + kFooterOut + pageEnd();
}

bool timeCase(QTextStream &out, const char *name, const QString &text)
{
    QElapsedTimer timer;
    timer.start();
    const PageEditReading reading = readPageForEditing(text, PageTextOrigin::File, {});
    const QString written = writeEditedPage(reading.fields);
    const qint64 ms = timer.elapsed();
    out << QString::fromUtf8(name).leftJustified(40) << ms << " ms (" << text.size() << " in, " << written.size()
        << " out)\n";
    out.flush();
    return ms < 1000;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString longText = QStringLiteral("長い本文の行です。<BR>\r\n").repeated(kRepeats);
    const QString cells = QStringLiteral("<TD>セル<BR>の文</TD>").repeated(kRepeats);
    bool fast = true;
    fast &= timeCase(out, "long paragraphs and headings",
                     page(QStringLiteral("<H1>") + longText + QStringLiteral("</H1><P><IMG src=\"a.jpg\"></P><P>")
                          + longText + QStringLiteral("</P>")));
    fast &= timeCase(out, "table with many cells", page(QStringLiteral("<TABLE>") + cells + QStringLiteral("</TABLE>")));
    fast &= timeCase(out, "cells without closers", page(QStringLiteral("<TABLE>") + QStringLiteral("<TD>x").repeated(kRepeats)));
    fast &= timeCase(out, "cells without '>'", page(QStringLiteral("<TABLE><TD>x</TD>") + QStringLiteral("<TD x").repeated(kRepeats)));
    fast &= timeCase(out, "paragraphs without closers", page(QStringLiteral("<P>x<p>y").repeated(kRepeats)));
    fast &= timeCase(out, "headings without closers", page(QStringLiteral("<H1>a<H2>b").repeated(kRepeats)));
    fast &= timeCase(out, "comments without paragraphs",
                     page(QString(), QStringLiteral("<!-- c --><HR>").repeated(kRepeats)));
    fast &= timeCase(out, "comments without ends", page(QString(), QStringLiteral("<!-- c ").repeated(kRepeats)));
    fast &= timeCase(out, "markers without ends",
                     page(QString(), QStringLiteral("<!--NOTE_IN--><!--HEDDA_IN-->").repeated(kRepeats)));
    return fast ? 0 : 1;
}
