// Feeds arbitrary link targets to the command-item splitter, the conditions, the counter items and
// the web page's command check. Every item is a piece of the list (their lengths never add up to
// more than it), and a condition yields its then or else text, never more than the item.
#include "book/webcommandlist.h"
#include "commands/commanditems.h"

#include "fuzzcheck.h"

#include <climits>

using namespace sorvek;
using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString target = fuzzing::text(data, size);
    const QString list = commandListOfTarget(target);
    const QStringList items = splitCommandItems(list);
    qsizetype total = 0;
    for (const QString &item : items) {
        total += item.size() + 1;
        switch (commandItemKind(item)) {
        case CommandItemKind::Condition:
            for (const int counter : {INT_MIN, -1, 0, 1, INT_MAX})
                check(evalCondition(item, counter).size() <= item.size());
            break;
        case CommandItemKind::Counter:
            for (const int counter : {INT_MIN, 0, INT_MAX})
                (void)changedPageCounter(item, counter);
            break;
        default:
            break;
        }
    }
    check(total <= list.size());
    check(items.size() <= list.count(u','));
    (void)commandListAllowedFromWebPage(list);
    return 0;
}
