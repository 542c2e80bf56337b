// Feeds arbitrary pages to the side-menu reading: the split into head, region and tail, the
// dialog's folder list and the page written back from it. Besides the sanitizers' checks: an
// existing page is split without losing text, and writing back keeps its head and tail.
#include "pagefiles/sidemenu.h"

#include "fuzzcheck.h"

#include <algorithm>

using namespace sorvek;
using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString page = fuzzing::text(data, size);
    const SideMenuParts parts = splitSideMenu(page);
    const QString dialog = sideMenuDialogText(parts.region);
    const QString written = composeSideMenu(parts, dialog);
    if (!parts.isNew) {
        check(written.startsWith(parts.head));
        check(written.endsWith(parts.tail));
    }
    // One link per line of the dialog that holds more than blanks and control characters.
    qsizetype names = 0;
    for (const QString &line : splitLines(dialog))
        names += std::any_of(line.begin(), line.end(), [](QChar c) { return c.unicode() > 0x20; });
    check(sideMenuEntries(dialog).count(QStringLiteral("<P><A href=\"/$DIR ")) >= names);
    return 0;
}
