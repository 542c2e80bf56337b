#include "commands/commanditems.h"

#include "authoring/forwardfinder.h"

#include <cstdint>

namespace sorvek {

CommandItemKind commandItemKind(const QString &item)
{
    if (item.isEmpty())
        return CommandItemKind::Empty;
    const QChar first = item.front();
    if (first == u'<' || first == u'>')
        return CommandItemKind::Condition;
    if (first == u'+' || first == u'-' || first == u'=')
        return CommandItemKind::Counter;
    return CommandItemKind::Command;
}

QString commandListOfTarget(const QString &target)
{
    const QString list = target + u',';
    return list.mid(list.indexOf(u'$') + 1);
}

QStringList splitCommandItems(const QString &list)
{
    // One pass with cached searches: a list of many items without "$" after its commas would
    // otherwise be searched to its end once per item.
    QStringList items;
    ForwardFinder commas(list, u",");
    ForwardFinder dollars(list, u"$");
    qsizetype at = 0;
    for (qsizetype comma = commas.indexFrom(at); comma >= 0; comma = commas.indexFrom(at)) {
        items.append(list.mid(at, comma - at));
        at = comma + 1;
        const qsizetype dollar = dollars.indexFrom(at);
        if (dollar >= 0) // nothing is skipped when there is no "$"
            at = dollar + 1;
    }
    return items;
}

std::optional<int> parseCounterNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        negative = text.at(i++) == u'-';
    if (i >= text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(INT32_MAX) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return int(value);
}

QString evalCondition(const QString &item, int pageCounter)
{
    QString w = item;
    if (!w.endsWith(u']'))
        w += u']';
    w += QStringLiteral("[]");
    const qsizetype open = w.indexOf(u'['); // always found: "[]" was appended
    const int n = parseCounterNumber(w.mid(1, open - 1)).value_or(0);
    w.remove(0, open + 1);
    const qsizetype close = w.indexOf(u']');
    const QString thenItem = close >= 0 ? w.left(close) : w;
    w.remove(0, close >= 0 ? close + 1 : w.size());
    QString elseItem;
    const qsizetype elseOpen = w.indexOf(u'[');
    if (elseOpen >= 0) {
        const qsizetype elseClose = w.indexOf(u']', elseOpen + 1);
        if (elseClose >= 0)
            elseItem = w.mid(elseOpen + 1, elseClose - elseOpen - 1);
    }
    const bool holds = item.startsWith(u'<') ? pageCounter < n : n < pageCounter;
    return holds ? thenItem : elseItem;
}

std::optional<int> changedPageCounter(const QString &item, int pageCounter)
{
    if (item.isEmpty())
        return std::nullopt;
    const QChar sign = item.front();
    if (sign == u'=') {
        qsizetype start = 0;
        while (start < item.size() && item.at(start) == u'=')
            ++start;
        return parseCounterNumber(item.mid(start));
    }
    const std::optional<int> n = parseCounterNumber(item.mid(1));
    if (!n || (sign != u'+' && sign != u'-'))
        return std::nullopt;
    // The counter is a 32-bit register that wraps, as it always did.
    const auto counter = static_cast<std::uint32_t>(pageCounter);
    const auto step = static_cast<std::uint32_t>(*n);
    return static_cast<int>(sign == u'+' ? counter + step : counter - step);
}

} // namespace sorvek
