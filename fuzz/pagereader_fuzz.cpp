// Feeds arbitrary page texts to the page editor's reading, as a file and as a given text, with
// both sets of answer marks. Besides the sanitizers' checks: a file text without the page mark is
// refused, and a reading never makes a field longer than the page it came from allows.
#include "authoring/pagereader.h"

#include "fuzzcheck.h"

using namespace sorvek;
using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString page = fuzzing::text(data, size);
    const PageEditContext plain{QStringLiteral("/nonexistent/book/"), AnswerMarks{}};
    const PageEditContext wide{QStringLiteral("/nonexistent/book/"),
                               AnswerMarks{QStringLiteral("【"), QStringLiteral("｜"), QStringLiteral("】"),
                                           QStringLiteral("／")}};
    for (const PageEditContext *context : {&plain, &wide}) {
        const PageEditReading file = readPageForEditing(page, PageTextOrigin::File, *context);
        if (!page.contains(QStringLiteral("<!DOCTYPE HTML PUBLIC")))
            check(file.refusal == PageEditRefusal::NotAPage);
        const PageEditReading given = readPageForEditing(page, PageTextOrigin::Given, *context);
        if (given.ok()) {
            // Answer fields may grow into their notation, but not without bound.
            const qsizetype bound = 4 * page.size() + 64;
            for (const QString *field : {&given.fields.Edit1, &given.fields.Memo4, &given.fields.Memo5,
                                         &given.fields.Edit7, &given.fields.Edit2, &given.fields.Edit3})
                check(field->size() <= bound);
        }
    }
    return 0;
}
