#pragma once
// LOOK auto-links of many titles in one page, in time that grows with the page and the words
// found rather than with their product: the links are kept beside the page's text instead of
// being written into it title after title, and every search is answered from indexes of the
// page's words and marks.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace sorvek {

// head and then the body after linkTitleWords(body, words) for each entry of titles in turn.
// Nothing for a page this linker does not take (a text with surrogates, or one where a link would
// be written inside another, which only damaged pages bring about): the caller applies the titles
// one by one then.
std::optional<QString> linkTitlesInOnePass(QStringView body, const std::vector<QStringList> &titles, QStringView head = {});

} // namespace sorvek
