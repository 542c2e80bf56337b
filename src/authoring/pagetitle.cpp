#include "authoring/pagetitle.h"

#include "commands/texthelpers.h"

namespace sorvek {
namespace {

constexpr char16_t kQuote = u'"';

// Drops trailing blanks and control characters, as the editor does for caption and second line.
QString withoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.first(end);
}

} // namespace

QString PageTitle::glyphPrefix() const
{
    return glyph.isEmpty() ? QString() : QChar(kQuote) + glyph + QChar(kQuote);
}

PageTitle parsePageTitle(QStringView storedTitle)
{
    PageTitle title;
    QStringView rest = storedTitle;
    if (rest.startsWith(kQuote)) {
        const qsizetype closing = rest.indexOf(kQuote, 1);
        if (closing > 0) {
            title.glyph = rest.sliced(1, closing - 1).toString();
            rest = rest.sliced(closing + 1);
        }
    }
    const qsizetype question = rest.indexOf(u'?');
    if (question >= 0) {
        title.hint = unescapeAngles(rest.sliced(question + 1).toString());
        rest = rest.first(question);
    }
    const qsizetype hash = rest.indexOf(u'#');
    if (hash >= 0) {
        title.secondLine = unescapeAngles(rest.sliced(hash + 1).toString());
        rest = rest.first(hash);
    }
    title.caption = unescapeAngles(rest.toString());
    return title;
}

QString composePageTitle(const PageTitle &title)
{
    QString stored = title.glyphPrefix();
    const QString caption = withoutTrailingBlanks(title.caption);
    const QString secondLine = withoutTrailingBlanks(title.secondLine);
    if (!caption.isEmpty())
        stored += escapeAngles(caption);
    if (!secondLine.isEmpty())
        stored += u'#' + escapeAngles(secondLine);
    if (!title.hint.isEmpty())
        stored += u'?' + escapeAngles(title.hint);
    return stored;
}

bool titleHasCheckMark(QStringView storedTitle)
{
    return storedTitle.startsWith(u"\"!\"");
}

} // namespace sorvek
