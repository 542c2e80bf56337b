#include "tools/titlesort.h"

#include <QList>

#include <functional>
#include <utility>

namespace sorvek {

namespace {

char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

// The quicksort of the index: pivot at lo, i from the left over keys <= pivot, j from the right
// over keys >= pivot. Ranges wait on a list instead of the call stack, so a long run of equal
// keys cannot overflow it; the ranges never overlap, so the result is the recursive one.
void quickSort(qsizetype count, const std::function<int(qsizetype, qsizetype)> &compare,
               const std::function<void(qsizetype, qsizetype)> &swap)
{
    QList<std::pair<qsizetype, qsizetype>> ranges{{0, count - 1}};
    while (!ranges.isEmpty()) {
        const auto [lo, hi] = ranges.takeLast();
        if (lo >= hi)
            continue;
        qsizetype i = lo + 1;
        qsizetype j = hi;
        while (i <= j) {
            while (i <= j && compare(i, lo) <= 0)
                ++i;
            while (j >= i && compare(j, lo) >= 0)
                --j;
            if (i >= j)
                break;
            swap(i, j);
            ++i;
            --j;
        }
        swap(lo, j);
        ranges.append({j + 1, hi});
        ranges.append({lo, j - 1});
    }
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
    const qsizetype n = list.size();
    if (n < 2)
        return;
    const auto swapEntries = [&list](qsizetype x, qsizetype y) {
        list.paths.swapItemsAt(x, y);
        list.titles.swapItemsAt(x, y);
    };
    if (mode != SearchMode::TitleLength) {
        quickSort(n, [&list](qsizetype x, qsizetype y) { return compareText(list.titles.at(x), list.titles.at(y)); },
                  swapEntries);
        return;
    }
    QList<qsizetype> keys(n);
    for (qsizetype k = 0; k < n; ++k)
        keys[k] = titleLengthKey(list.titles.at(k));
    quickSort(
        n, [&keys](qsizetype x, qsizetype y) { return keys.at(x) < keys.at(y) ? -1 : keys.at(x) > keys.at(y) ? 1 : 0; },
        [&](qsizetype x, qsizetype y) {
            swapEntries(x, y);
            keys.swapItemsAt(x, y);
        });
}

} // namespace sorvek
