// Feeds arbitrary pages and titles to LOOK auto-links. The input is split at NUL bytes: the page,
// then the titles. Besides the sanitizers' checks: the one-pass linker gives what applying the
// word rule title after title gives, and removing the links again leaves no LOOK link.
#include "authoring/lookautolink.h"
#include "authoring/titlelinker.h"

#include "fuzzcheck.h"

using namespace sorvek;
using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList parts = fuzzing::text(data, size).split(QChar(u'\0'));
    const QString page = parts.takeFirst();
    std::vector<QStringList> titles;
    for (const QString &title : parts) {
        const QStringList words = lookTitleWords(title);
        if (!words.isEmpty())
            titles.push_back(words);
    }
    const std::optional<QString> linked = linkTitlesInOnePass(page, titles);
    if (linked) {
        QString expected = page;
        for (const QStringList &words : titles)
            expected = linkTitleWords(expected, words);
        check(*linked == expected);
    }
    const QString removed = unwrapLookLinks(linked ? *linked : page);
    check(!removed.contains(QStringLiteral("<A HREF=\"/$LOOK"), Qt::CaseInsensitive)
          || !removed.sliced(removed.indexOf(QStringLiteral("<A HREF=\"/$LOOK"), 0, Qt::CaseInsensitive)).contains(u'>'));
    return 0;
}
