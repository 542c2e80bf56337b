#include "tools/titlesort.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace sorvek {

namespace {

char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

// Sorts an order of entries by a comparison of two entries, equal ones keeping their order, and
// puts paths and titles in that order.
template<typename Less>
void sortInStep(TitleList &list, Less less)
{
    std::vector<qsizetype> order(static_cast<size_t>(list.size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    if (std::is_sorted(order.begin(), order.end(), less))
        return; // an index already in order costs one look
    std::stable_sort(order.begin(), order.end(), less);
    TitleList sorted;
    sorted.paths.reserve(list.size());
    sorted.titles.reserve(list.size());
    for (const qsizetype k : order)
        sorted.append(list.paths.at(k), list.titles.at(k));
    list = std::move(sorted);
}

} // namespace

int compareText(const QString &a, const QString &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype k = 0; k < n; ++k) {
        const int d = int(asciiUpper(a.at(k).unicode())) - int(asciiUpper(b.at(k).unicode()));
        if (d != 0)
            return d;
    }
    return int(a.size() - b.size());
}

qsizetype titleLengthKey(const QString &title)
{
    const qsizetype hash = title.indexOf(u'#');
    if (hash < 0)
        return title.size();
    const qsizetype hint = title.indexOf(u'?', hash + 1);
    return (hint < 0 ? title.size() : hint) - hash - 1;
}

void sortTitleList(TitleList &list, SearchMode mode)
{
    if (list.size() < 2)
        return;
    if (mode != SearchMode::TitleLength) {
        sortInStep(list, [&list](qsizetype x, qsizetype y) {
            return compareText(list.titles.at(x), list.titles.at(y)) < 0;
        });
        return;
    }
    std::vector<qsizetype> keys;
    keys.reserve(static_cast<size_t>(list.size()));
    for (const QString &title : std::as_const(list.titles))
        keys.push_back(titleLengthKey(title));
    sortInStep(list, [&keys](qsizetype x, qsizetype y) { return keys[size_t(x)] < keys[size_t(y)]; });
}

} // namespace sorvek
