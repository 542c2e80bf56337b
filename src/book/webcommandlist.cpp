#include "book/webcommandlist.h"

#include "commands/commanditems.h"
#include "commands/commandtext.h"
#include "commands/texthelpers.h"

#include <QStringList>
#include <QUrl>

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

LinkPageDecision keepWebAddressesOfWebPage(const LinkPageDecision &decision)
{
    if (decision.origin != CommandOrigin::WebPage)
        return decision;
    LinkPageDecision kept = decision;
    if (decision.action == LinkPageDecision::Action::Follow && !isHttpAddress(decision.followUrl)) {
        kept.action = LinkPageDecision::Action::RefusedFromWebPage;
        kept.target = decision.followUrl;
    } else if (decision.action == LinkPageDecision::Action::NewLevel) {
        kept.pages.clear();
        kept.titles.clear();
        for (qsizetype i = 0; i < decision.pages.size(); ++i) {
            if (!isHttpAddress(decision.pages.at(i)))
                continue;
            kept.pages.append(decision.pages.at(i));
            kept.titles.append(decision.titles.value(i));
        }
        if (kept.pages.isEmpty())
            kept.action = LinkPageDecision::Action::None;
    }
    return kept;
}

} // namespace sorvek
