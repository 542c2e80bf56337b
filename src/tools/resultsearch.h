#pragma once
// One search of the search window: narrows the current results to the entries that match any of
// the search terms, in result order. The body-text search reads the pages on every core from the
// start and is taken in slices; a page that cannot be read stops it and leaves the results as
// they were.
#include "tools/titlelist.h"

#include <QDeadlineTimer>
#include <QFuture>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace sorvek {

class ResultSearch {
public:
    // searchBase ends with "/"; askingPage is the upper-cased full path of the page that issued
    // LOOK, which a title search never finds ("" for none). Without terms every result stays.
    ResultSearch(SearchMode mode, const QString &searchBase, const TitleList &results, const QStringList &terms,
                 const QString &askingPage = QString());
    // Stops the reading of pages (waiting for the pages being read).
    ~ResultSearch();
    ResultSearch(const ResultSearch &) = delete;
    ResultSearch &operator=(const ResultSearch &) = delete;

    // Tests entries until all are tested, a page cannot be read, or the deadline passes; true
    // when the search has ended (done or failed).
    bool run(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));
    bool ended() const { return failed() || next_ >= results_.size(); }
    bool failed() const { return !error_.isEmpty(); }
    // Why the search stopped, naming the page; "" when it did not fail.
    const QString &error() const { return error_; }
    // The matches so far (NewPaths, NewTitles); the new results once ended without failure.
    const TitleList &matches() const { return matches_; }
    qsizetype tested() const { return next_; }

private:
    struct PageOutcome {
        bool match = false;
        QString error; // the page could not be read
    };
    struct BodyText;
    bool matchesEntry(qsizetype k);
    bool titleEntryMatches(qsizetype k) const;

    SearchMode mode_;
    QString base_;
    TitleList results_;
    QStringList terms_;
    QStringList upperTerms_;
    QString askingPage_;
    QStringList titleSegments_;         // "/TERM/" for each term of a title search
    std::optional<QString> askingRest_; // askingPage_ after the upper-cased base, when it lies below it
    std::vector<char> titleMatches_;    // per entry of a title search, once tested
    TitleList matches_;
    qsizetype next_ = 0;
    QString error_;
    QFuture<PageOutcome> pages_;
};

} // namespace sorvek
