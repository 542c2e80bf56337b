#pragma once
// The title index's shape: page paths and their titles as two parallel lists, and the three
// modes in which the search window is driven.
#include <QString>
#include <QStringList>

namespace sorvek {

// Form4.Tag.
enum class SearchMode {
    BodyText = 0,    // the Find menu and the window's buttons
    LookTitle = 1,   // the LOOK command: title words, run when the window opens
    TitleLength = 2, // LOOK auto-links: the whole index by title length
};

// Page paths relative to the searched folder ("/" separated) and their titles, in step.
struct TitleList {
    QStringList paths;
    QStringList titles;

    qsizetype size() const { return paths.size(); }
    bool isEmpty() const { return paths.isEmpty(); }
    void append(const QString &path, const QString &title)
    {
        paths.append(path);
        titles.append(title);
    }
    void clear()
    {
        paths.clear();
        titles.clear();
    }
    bool operator==(const TitleList &) const = default;
};

} // namespace sorvek
