#include "commands/headcharset.h"

#include "commands/textfile.h"

#include <QString>

#include <type_traits>

namespace sorvek {

namespace {

char16_t unitAt(QStringView text, qsizetype i)
{
    return text.at(i).unicode();
}

char16_t unitAt(QByteArrayView text, qsizetype i)
{
    return static_cast<unsigned char>(text.at(i));
}

char16_t lowerAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

bool isNameUnit(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

template <typename View>
bool matchesAt(View text, qsizetype at, QLatin1StringView lowerNeedle)
{
    if (at < 0 || at + lowerNeedle.size() > text.size())
        return false;
    for (qsizetype k = 0; k < lowerNeedle.size(); ++k) {
        if (lowerAscii(unitAt(text, at + k)) != char16_t(lowerNeedle.at(k).unicode()))
            return false;
    }
    return true;
}

// First position from `from` of a lower-case ASCII needle that begins with a non-letter, in any
// case; -1 when none. Candidates are found by the first unit, so the cost stays one pass.
template <typename View>
qsizetype findNoCase(View text, QLatin1StringView lowerNeedle, qsizetype from)
{
    const auto first = lowerNeedle.front();
    for (qsizetype at = from; at + lowerNeedle.size() <= text.size(); ++at) {
        if constexpr (std::is_same_v<View, QStringView>)
            at = text.indexOf(QChar(first), at);
        else
            at = text.indexOf(first.toLatin1(), at);
        if (at < 0)
            return -1;
        if (matchesAt(text, at, lowerNeedle))
            return at;
    }
    return -1;
}

// The charset named inside one tag [from, to): "charset", "=", an optional quote, the name.
template <typename View>
CharsetDeclaration charsetInTag(View text, qsizetype from, qsizetype to)
{
    const QLatin1StringView word("charset");
    for (qsizetype at = from; at + word.size() <= to; ++at) {
        if (!matchesAt(text, at, word) || (at > 0 && isNameUnit(unitAt(text, at - 1))))
            continue;
        qsizetype i = at + word.size();
        while (i < to && isSpace(unitAt(text, i)))
            ++i;
        if (i >= to || unitAt(text, i) != u'=')
            continue;
        ++i;
        while (i < to && isSpace(unitAt(text, i)))
            ++i;
        if (i < to && (unitAt(text, i) == u'"' || unitAt(text, i) == u'\''))
            ++i;
        while (i < to && isSpace(unitAt(text, i)))
            ++i;
        const qsizetype start = i;
        while (i < to && (isNameUnit(unitAt(text, i)) || unitAt(text, i) == u'_' || unitAt(text, i) == u'.'
                          || unitAt(text, i) == u':' || unitAt(text, i) == u'-'))
            ++i;
        if (i == start)
            continue;
        QString name(i - start, Qt::Uninitialized);
        for (qsizetype k = start; k < i; ++k)
            name[k - start] = QChar(unitAt(text, k));
        return {start, name};
    }
    return {};
}

// Every step moves past what it looked at, and no search goes back: the scan is linear.
template <typename View>
CharsetDeclaration scanHead(View text)
{
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (pos < n) {
        const qsizetype lt = findNoCase(text, QLatin1StringView("<"), pos);
        if (lt < 0)
            break;
        if (matchesAt(text, lt, QLatin1StringView("<!--"))) {
            const qsizetype end = findNoCase(text, QLatin1StringView("-->"), lt + 4);
            if (end < 0)
                break;
            pos = end + 3;
            continue;
        }
        const bool closing = lt + 1 < n && unitAt(text, lt + 1) == u'/';
        qsizetype nameEnd = lt + (closing ? 2 : 1);
        while (nameEnd < n && isNameUnit(unitAt(text, nameEnd)))
            ++nameEnd;
        const qsizetype nameStart = lt + (closing ? 2 : 1);
        const auto named = [&](const char *tag) {
            const QLatin1StringView t(tag);
            return nameEnd - nameStart == t.size() && matchesAt(text, nameStart, t);
        };
        if ((closing && named("head")) || (!closing && named("body")))
            break;
        if (!closing && (named("script") || named("style") || named("xmp") || named("textarea") || named("title")
                         || named("noscript"))) {
            QString lowerClose = QStringLiteral("</");
            for (qsizetype k = nameStart; k < nameEnd; ++k)
                lowerClose += QChar(lowerAscii(unitAt(text, k)));
            const QByteArray needle = lowerClose.toLatin1();
            const qsizetype end = findNoCase(text, QLatin1StringView(needle), nameEnd);
            if (end < 0)
                break;
            pos = end + needle.size();
            continue;
        }
        if (!closing && named("meta")) {
            qsizetype end = findNoCase(text, QLatin1StringView(">"), nameEnd);
            end = end < 0 ? n : end;
            if (CharsetDeclaration found = charsetInTag(text, nameEnd, end); found.at >= 0)
                return found;
            pos = end;
            continue;
        }
        pos = lt + 1;
    }
    return {};
}

} // namespace

CharsetDeclaration findHeadCharsetDeclaration(QStringView text)
{
    return scanHead(text);
}

CharsetDeclaration findHeadCharsetDeclaration(QByteArrayView bytes)
{
    return scanHead(bytes);
}

} // namespace sorvek
