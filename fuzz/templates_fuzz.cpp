// Feeds arbitrary values to the page templates (image, LOGO and file-link pages, the new-page
// skeleton). The input is split at NUL bytes into the values. Besides the sanitizers' checks: no
// value adds markup, so a page holds as many "<" and ">" as the same page with plain values.
#include "authoring/pagetemplates.h"

#include "fuzzcheck.h"

using namespace sorvek;
using fuzzing::check;

namespace {

void sameMarkup(const QString &page, const QString &empty)
{
    check(page.count(u'<') == empty.count(u'<'));
    check(page.count(u'>') == empty.count(u'>'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList values = fuzzing::text(data, size).split(QChar(u'\0'));
    while (values.size() < 5)
        values.append(QString());
    const PictureTemplate picture{values[0], values[1], values[2], values[3], values[4]};
    // The same page with every value that is given made a plain "x" (an empty value may leave out
    // its element or attribute).
    const auto plain = [](const QString &value) { return value.isEmpty() ? QString() : QStringLiteral("x"); };
    const PictureTemplate emptyPicture{plain(values[0]), plain(values[1]), plain(values[2]), plain(values[3]),
                                       plain(values[4])};
    sameMarkup(imagePageText(picture), imagePageText(emptyPicture));
    sameMarkup(logoPageText(picture, QStringLiteral("http://example.org/plugin")),
               logoPageText(emptyPicture, QStringLiteral("http://example.org/plugin")));
    const LinkTemplate link{values[0], values[1], values[2]};
    sameMarkup(fileLinkPageText(link), fileLinkPageText(LinkTemplate{plain(values[0]), plain(values[1]), plain(values[2])}));
    sameMarkup(newPageSkeleton(values[0]), newPageSkeleton(plain(values[0])));
    return 0;
}
