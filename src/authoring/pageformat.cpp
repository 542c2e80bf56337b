#include "authoring/pageformat.h"

namespace sorvek::pageformat {

QString pageEnd()
{
    return QStringLiteral("</BODY>\r</HTML>");
}

bool isPageText(QStringView text)
{
    return text.contains(kDoctypeMark, Qt::CaseSensitive);
}

QString buildPageHead(const QString &title, const QString &styleSection, bool breakBeforeTitle)
{
    QString head = kDoctypeLine + kCr + QStringLiteral("<HTML>") + kCr + QStringLiteral("<HEAD>") + kCr
        + QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">") + kCr
        + QStringLiteral("<META http-equiv=\"Content-Style-Type\" content=\"text/css\">");
    if (breakBeforeTitle)
        head += kCr;
    head += QStringLiteral("<TITLE>") + title + QStringLiteral("</TITLE>") + styleSection
        + QStringLiteral("</HEAD>") + kCr + QStringLiteral("<BODY>") + kCr;
    return head;
}

std::optional<Region> findRegion(QStringView text, QStringView startMarker, QStringView endMarker,
                                 qsizetype from)
{
    const qsizetype start = text.indexOf(startMarker, from, Qt::CaseSensitive);
    if (start < 0)
        return std::nullopt;
    const qsizetype contentStart = start + startMarker.size();
    const qsizetype contentEnd = text.indexOf(endMarker, contentStart, Qt::CaseSensitive);
    if (contentEnd < 0)
        return std::nullopt;
    return Region{start, contentStart, contentEnd, contentEnd + endMarker.size()};
}

std::optional<QString> regionContent(QStringView text, QStringView startMarker, QStringView endMarker)
{
    const auto region = findRegion(text, startMarker, endMarker);
    if (!region)
        return std::nullopt;
    return text.sliced(region->contentStart, region->contentEnd - region->contentStart).toString();
}

std::optional<Span> findGeneratedBlock(QStringView text, qsizetype from)
{
    // Only the marker texts the quiz writer writes pair up. A stray or damaged marker is text, and
    // of two begins before one end only the later one opens the block, so a marker left behind in
    // a page never takes the text after it along.
    const qsizetype first = text.indexOf(kGeneratedBegin, from, Qt::CaseSensitive);
    if (first < 0)
        return std::nullopt;
    const qsizetype end = text.indexOf(kGeneratedEnd, first + kGeneratedBegin.size(), Qt::CaseSensitive);
    if (end < 0)
        return std::nullopt;
    const qsizetype start = text.first(end).lastIndexOf(QStringView(kGeneratedBegin), Qt::CaseSensitive);
    return Span{start, end + kGeneratedEnd.size()};
}

bool hasGeneratedBlock(QStringView text)
{
    return text.contains(kGeneratedBegin, Qt::CaseSensitive);
}

QString removeGeneratedBlocks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    qsizetype pos = 0;
    while (const auto block = findGeneratedBlock(text, pos)) {
        out += text.sliced(pos, block->start - pos);
        pos = block->end;
    }
    out += text.sliced(pos);
    return out;
}

QString makeLookLink(const QString &word)
{
    return kLookLinkOpen + word + QStringLiteral("\">") + word + QStringLiteral("</A>");
}

bool isLookLinkAt(QStringView text, qsizetype pos)
{
    if (pos < 0 || pos > text.size())
        return false;
    return text.sliced(pos).startsWith(kLookLinkStart, Qt::CaseInsensitive);
}

} // namespace sorvek::pageformat
