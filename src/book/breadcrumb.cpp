#include "book/breadcrumb.h"

#include "book/levelstack.h"
#include "commands/texthelpers.h"

#include <algorithm>

namespace sorvek {

QString breadcrumbLabel(const QString &storedTitle)
{
    QString label = unescapeAngles(storedTitle);
    for (const QChar cut : {QChar(u'#'), QChar(u'?')}) {
        const qsizetype at = label.indexOf(cut);
        if (at >= 0)
            label.truncate(at);
    }
    // Cutting through the first double quote while one is left keeps what follows the last one.
    return label.sliced(label.lastIndexOf(u'"') + 1);
}

Breadcrumb breadcrumbFor(const LevelStack &levels)
{
    Breadcrumb crumb;
    const int depth = levels.depth();
    if (depth < 2)
        return crumb;
    const QStringList titles = levels.titleListAt(depth - 2);
    const int b = levels.pageIndexAt(depth - 2);
    QString label;
    if (!titles.isEmpty())
        label = breadcrumbLabel(titles.at(b >= 0 && b < titles.size() ? b : 0));
    crumb.hint = QLatin1Char('[') + label + QStringLiteral("]のページに戻る");
    if (label.isEmpty())
        return crumb;
    crumb.visible = true;
    crumb.picture = std::min(depth, 4);
    crumb.folderLabel = folderName(levels.topFolder());
    return crumb;
}

} // namespace sorvek
