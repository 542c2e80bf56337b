#include "tools/searchrules.h"

#include "authoring/forwardfinder.h"

namespace sorvek {

QStringList splitSearchTerms(const QString &text)
{
    QStringList terms;
    const QString q = text + u'/';
    qsizetype from = 0;
    for (;;) {
        const qsizetype slash = q.indexOf(u'/', from);
        if (slash <= from)
            break;
        terms.append(q.mid(from, slash - from));
        from = slash + 1;
    }
    return terms;
}

namespace {

// One pass that equals cutting the first comment again and again: a cut can join a "<" or "<!"
// left before it with a "-" or "!-" after it into a new opener, so those joins are looked at too.
QString withoutComments(const QString &html)
{
    static const QString opener = QStringLiteral("<!-");
    static const QString closer = QStringLiteral("->");
    const QStringView rest(html);
    QString out;
    out.reserve(html.size());
    // Many openers without a closer would each search the rest of the page: the search is cached.
    ForwardFinder closers(html, closer);
    qsizetype i = 0;
    for (;;) {
        // Bring the next opener whole into out, with i just after it.
        if (out.endsWith(u"<!") && rest.sliced(i).startsWith(u'-')) {
            out += u'-';
            i += 1;
        } else if (out.endsWith(u'<') && rest.sliced(i).startsWith(u"!-")) {
            out += u"!-";
            i += 2;
        } else {
            const qsizetype p = html.indexOf(opener, i);
            if (p < 0)
                break;
            out += rest.sliced(i, p - i + opener.size());
            i = p + opener.size();
        }
        const qsizetype close = closers.indexFrom(i);
        if (close >= 0) {
            out.truncate(out.size() - opener.size());
            i = close + closer.size();
            continue;
        }
        // Never closed: only its "<" goes, and so for an opener that this leaves behind.
        while (out.endsWith(opener))
            out.remove(out.size() - opener.size(), 1);
    }
    out += rest.sliced(i);
    return out;
}

// Cutting the first tag leaves no "<" before the cut, so one pass equals cutting again and again.
QString withoutTags(const QString &text)
{
    QString out;
    out.reserve(text.size());
    ForwardFinder tagEnds(text, u">");
    qsizetype i = 0;
    for (;;) {
        const qsizetype lt = text.indexOf(u'<', i);
        if (lt < 0)
            break;
        out += QStringView(text).sliced(i, lt - i);
        const qsizetype gt = tagEnds.indexFrom(lt + 1);
        i = gt >= 0 ? gt + 1 : lt + 1;
    }
    out += QStringView(text).sliced(i);
    return out;
}

} // namespace

QString visibleText(const QString &html)
{
    return withoutTags(withoutComments(html));
}

QString lookSearchTitle(const QString &title)
{
    QString t = title;
    const qsizetype q1 = t.indexOf(u'"');
    if (q1 >= 0) {
        t.remove(0, q1 + 1);
        t.remove(0, t.indexOf(u'"') + 1); // no second quote: nothing more goes
    }
    const qsizetype hint = t.indexOf(u'?');
    if (hint >= 0)
        t.truncate(hint);
    const qsizetype hash = t.indexOf(u'#');
    if (hash >= 0)
        t[hash] = u'/';
    return t;
}

bool lookTitleMatches(const QString &title, const QString &term)
{
    const QString segments = u'/' + lookSearchTitle(title).toUpper() + u'/';
    return segments.contains(u'/' + term.toUpper() + u'/');
}

} // namespace sorvek
