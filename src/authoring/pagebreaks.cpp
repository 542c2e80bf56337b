#include "authoring/pagebreaks.h"

namespace sorvek {
namespace {

// Follows the tags of a text one character at a time: where a tag is open, and where a quoted
// attribute value of it is. A "<" starts a tag only before a letter, "/" or "!".
class TagState {
public:
    void step(QStringView text, qsizetype i)
    {
        const QChar c = text.at(i);
        if (quote_ != QChar()) {
            if (c == quote_)
                quote_ = QChar();
        } else if (inTag_) {
            if (c == u'>')
                inTag_ = false;
            else if (c == u'"' || c == u'\'')
                quote_ = c;
        } else if (c == u'<' && i + 1 < text.size()) {
            const QChar next = text.at(i + 1);
            inTag_ = (next >= u'A' && next <= u'Z') || (next >= u'a' && next <= u'z') || next == u'/' || next == u'!';
        }
    }
    bool inTag() const { return inTag_; }
    bool inQuotes() const { return quote_ != QChar(); }

private:
    bool inTag_ = false;
    QChar quote_;
};

} // namespace

QString cellTextFromPage(QStringView html)
{
    return html.toString().replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"));
}

QString flowTextFromPage(QStringView html)
{
    // The source's line breaks go, so the text runs on as written; inside a tag a line break
    // separates two attributes and becomes a blank instead. Inside a quoted attribute value it is
    // part of the value and stays.
    QString text;
    text.reserve(html.size());
    TagState state;
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (c == u'\r' && i + 1 < html.size() && html.at(i + 1) == u'\n' && !state.inQuotes()) {
            if (state.inTag())
                text += u' ';
            ++i;
            continue;
        }
        state.step(html, i);
        text += c;
    }
    return text.replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"));
}

QString memoTextToPage(QStringView memo)
{
    QString page;
    page.reserve(memo.size());
    TagState state;
    for (qsizetype i = 0; i < memo.size(); ++i) {
        const QChar c = memo.at(i);
        if ((c == u'\r' || c == u'\n') && !state.inQuotes()) {
            page += QStringLiteral("<BR>");
            if (c == u'\r' && i + 1 < memo.size() && memo.at(i + 1) == u'\n')
                ++i;
        } else {
            state.step(memo, i);
            page += c;
        }
    }
    return page;
}

} // namespace sorvek
