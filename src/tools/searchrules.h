#pragma once
// The search window's matching rules: the search terms, the visible text of a page, and the
// LOOK command's title words.
#include <QString>
#include <QStringList>

namespace sorvek {

// The terms of a search text, separated by "/". An empty term (a leading "/" or "//") ends them.
QStringList splitSearchTerms(const QString &text);

// A page's text without its comments ("<!-" through the next "->"; an opener without one loses
// only its "<") and then without its tags ("<" through the next ">"; a lone "<" is dropped).
QString visibleText(const QString &html);

// A title as the LOOK command reads it: without its glyph prefix and its hint, with its first
// "#" made a "/" (so the two lines of a button caption are two words).
QString lookSearchTitle(const QString &title);
// The term equals one whole "/"-separated segment of the title, ignoring case.
bool lookTitleMatches(const QString &title, const QString &term);

} // namespace sorvek
