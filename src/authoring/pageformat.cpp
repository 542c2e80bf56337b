#include "authoring/pageformat.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace sorvek::pageformat {
namespace {

constexpr QStringView kRegionMarkerStarts[] = {u"<!--HEDDA_", u"<!--NOTE_", u"<!--FOOTER_", u"<!--STYLE_"};

} // namespace

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

QStringView tagNameAt(QStringView text, qsizetype pos)
{
    const auto letter = [](QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
    qsizetype end = pos;
    if (end < text.size() && letter(text.at(end))) {
        while (end < text.size() && (letter(text.at(end)) || (text.at(end) >= u'0' && text.at(end) <= u'9')))
            ++end;
    }
    return text.sliced(pos, end - pos);
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
    // Only the marker texts the quiz writer writes pair up, as brackets do: an end closes the
    // latest open begin, and the outermost pair is the block. The writer neither nests blocks nor
    // puts them inside a region, so a begin never closed or an end never opened is a stray marker
    // left behind: it stays as text and never takes the text after it along, and a region marker
    // closes every begin before it. What is left when the blocks are taken out never pairs anew.
    std::vector<qsizetype> open;
    std::optional<Span> first;
    qsizetype pos = from;
    while ((pos = text.indexOf(u"<!--", pos)) >= 0) {
        const QStringView rest = text.sliced(pos);
        if (rest.startsWith(kGeneratedBegin)) {
            open.push_back(pos);
            pos += kGeneratedBegin.size();
        } else if (rest.startsWith(kGeneratedEnd)) {
            pos += kGeneratedEnd.size();
            if (!open.empty()) {
                const qsizetype start = open.back();
                open.pop_back();
                if (!first || start < first->start)
                    first = Span{start, pos};
            }
        } else {
            if (std::any_of(std::begin(kRegionMarkerStarts), std::end(kRegionMarkerStarts),
                            [&](QStringView marker) { return rest.startsWith(marker); }))
                open.clear();
            pos += 4;
        }
        if (first && open.empty())
            return first;
    }
    return first;
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
