#include "authoring/newpage.h"

#include "authoring/pagetemplates.h"

namespace sorvek {

QString newPageStamp(const QDateTime &now)
{
    return now.toString(QStringLiteral("yyyyMMdd'-'ddMMss"));
}

NewPagePlan planNewPage(const QString &topFolder, const QStringList &pages, const QDateTime &now)
{
    const QString today = now.toString(QStringLiteral("yyyyMMdd"));
    NewPagePlan plan;
    plan.number = 1 + int(pages.filter(today, Qt::CaseSensitive).size());
    const QString prefix = (topFolder.endsWith(u'/') ? topFolder : topFolder + u'/') + newPageStamp(now);
    plan.file = prefix + QString::number(plan.number) + QStringLiteral(".html");
    plan.title = now.toString(QStringLiteral("yyyy'年'MM'月'dd'日'")) + QString::number(plan.number);
    plan.skeleton = newPageSkeleton(plan.title);
    return plan;
}

} // namespace sorvek
