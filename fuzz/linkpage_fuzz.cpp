// Feeds arbitrary page texts to the link scan of a loaded page, from a book and from the web.
// Besides the sanitizers' checks: a new level has one title per target, at least as many entries
// as links counted, and titles that together are no longer than the page (no title holds the
// rest of the page).
#include "book/linkpagescan.h"

#include "fuzzcheck.h"

using namespace sorvek;
using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString source = QStringLiteral("【リンク】") + fuzzing::text(data, size);
    for (const QString &location : {QStringLiteral("file:///book/unit/links.html"),
                                    QStringLiteral("http://example.org/lesson/index.html"), QString()}) {
        const LinkScanResult scan = scanLoadedPage(source, location, QStringLiteral("/book/unit/"), CommandOrigin::localBookPage());
        const LinkPageDecision &d = scan.linkPage;
        if (d.action != LinkPageDecision::Action::NewLevel)
            continue;
        check(d.pages.size() == d.titles.size());
        check(d.pages.size() >= d.linkCount);
        qsizetype held = 0;
        for (const QString &title : d.titles)
            held += title.size();
        check(held <= source.size());
    }
    return 0;
}
