#pragma once
// The dated page skeleton of the new-page menu: its file name, running number and title.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace sorvek {

// The six digits after the hyphen are day, month and second (not hour, minute, second), as books
// made so far name their new pages: "yyyyMMdd-ddMMss".
QString newPageStamp(const QDateTime &now);

struct NewPagePlan {
    QString file;     // folder + stamp + running number + ".html"
    QString title;    // "2024年03月15日" + running number
    QString skeleton; // the page text handed to the editor
    int number = 1;   // 1 + pages of the level whose entry holds today's date (yyyyMMdd)
};

// topFolder: the current level's folder (with or without a trailing "/"); pages: its page list.
NewPagePlan planNewPage(const QString &topFolder, const QStringList &pages, const QDateTime &now);

} // namespace sorvek
