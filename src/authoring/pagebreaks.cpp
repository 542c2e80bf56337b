#include "authoring/pagebreaks.h"

namespace sorvek {

QString cellTextFromPage(QStringView html)
{
    return html.toString().replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"));
}

QString flowTextFromPage(QStringView html)
{
    // The source's line breaks go, so the text runs on as written; inside a tag a line break
    // separates two attributes and becomes a blank instead.
    QString text;
    text.reserve(html.size());
    bool inTag = false;
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (c == u'\r' && i + 1 < html.size() && html.at(i + 1) == u'\n') {
            if (inTag)
                text += u' ';
            ++i;
            continue;
        }
        if (c == u'<')
            inTag = true;
        else if (c == u'>')
            inTag = false;
        text += c;
    }
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
