#include "book/webcommandlist.h"

#include "commands/commanditems.h"
#include "commands/commandtext.h"

#include <QStringList>

#include <climits>

namespace sorvek {

namespace {

bool itemAllowed(const QString &item)
{
    const CommandItemKind kind = commandItemKind(item);
    if (kind == CommandItemKind::Empty || kind == CommandItemKind::Counter)
        return true;
    const QStringList tokens = tokenizeCommand(item);
    const QString word = tokens.isEmpty() ? item : tokens.first();
    static const QStringList writers = {
        QStringLiteral("WAV"), QStringLiteral("PAINT"), QStringLiteral("dir"),
        QStringLiteral("SAVE"), QStringLiteral("COPY"), QStringLiteral("JS"),
        QStringLiteral("HISJS"), QStringLiteral("HIS"),
    };
    return !writers.contains(word) && !word.contains(u'.') && !word.contains(QLatin1String("DESKTOP"));
}

} // namespace

bool commandListAllowedFromWebPage(const QString &list)
{
    for (const QString &item : splitCommandItems(list)) {
        if (commandItemKind(item) != CommandItemKind::Condition) {
            if (!itemAllowed(item))
                return false;
            continue;
        }
        // The counter decides the branch only when the list runs: both must be harmless. The
        // extreme counters reach the "then" and the "else" branch of "<N" and ">N" alike.
        for (const int counter : {INT_MIN, INT_MAX}) {
            const QString branch = evalCondition(item, counter);
            if (!branch.isEmpty() && !itemAllowed(branch))
                return false;
        }
    }
    return true;
}

} // namespace sorvek
