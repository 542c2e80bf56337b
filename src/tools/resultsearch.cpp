#include "tools/resultsearch.h"

#include "commands/textfile.h"
#include "tools/searchrules.h"

namespace sorvek {

ResultSearch::ResultSearch(SearchMode mode, const QString &searchBase, const TitleList &results,
                           const QStringList &terms, const QString &askingPage)
    : mode_(mode)
    , base_(searchBase)
    , results_(results)
    , terms_(terms)
    , askingPage_(askingPage)
{
    for (const QString &term : terms_)
        upperTerms_.append(term.toUpper());
}

bool ResultSearch::matchesEntry(qsizetype k)
{
    if (terms_.isEmpty())
        return true;
    if (mode_ != SearchMode::BodyText) {
        if (!askingPage_.isEmpty() && (base_ + results_.paths.at(k)).toUpper() == askingPage_)
            return false;
        for (const QString &term : terms_) {
            if (lookTitleMatches(results_.titles.at(k), term))
                return true;
        }
        return false;
    }
    const QString path = base_ + results_.paths.at(k);
    const ReadResult page = readPageText(path);
    if (!page) {
        error_ = page.error.isEmpty() ? path : page.error;
        return false;
    }
    const QString visible = visibleText(page.text).toUpper();
    for (const QString &term : upperTerms_) {
        if (visible.contains(term))
            return true;
    }
    return false;
}

bool ResultSearch::run(QDeadlineTimer deadline)
{
    while (!ended()) {
        const qsizetype k = next_;
        const bool match = matchesEntry(k);
        if (failed())
            break;
        ++next_;
        if (match)
            matches_.append(results_.paths.at(k), results_.titles.at(k));
        if (deadline.hasExpired())
            break;
    }
    return ended();
}

} // namespace sorvek
