#include "authoring/pagebreaks.h"

namespace sorvek {

QString cellTextFromPage(QStringView html)
{
    return html.toString().replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"));
}

QString flowTextFromPage(QStringView html)
{
    QString text = html.toString();
    text.remove(QStringLiteral("\r\n"));
    return text.replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"));
}

QString memoTextToPage(QStringView memo)
{
    QString page;
    page.reserve(memo.size());
    for (qsizetype i = 0; i < memo.size(); ++i) {
        const QChar c = memo.at(i);
        if (c == u'\r' || c == u'\n') {
            page += QStringLiteral("<BR>");
            if (c == u'\r' && i + 1 < memo.size() && memo.at(i + 1) == u'\n')
                ++i;
        } else {
            page += c;
        }
    }
    return page;
}

} // namespace sorvek
