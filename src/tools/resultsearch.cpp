#include "tools/resultsearch.h"

#include "commands/textfile.h"
#include "tools/searchrules.h"

#include <QFile>
#include <QHash>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <numeric>

namespace sorvek {

namespace {

// Every character whose upper case holds a given character, other than itself (a, ß and the "ſ"
// for S; the "ﬁ" ligature for F and I). Built once, from the same upper-casing the search uses.
const QHash<char32_t, QList<char32_t>> &upperSources()
{
    static const QHash<char32_t, QList<char32_t>> sources = [] {
        QHash<char32_t, QList<char32_t>> table;
        for (char32_t x = 0; x < 0x20000; ++x) {
            if (QChar::isSurrogate(x))
                continue;
            const QString upper = QString::fromUcs4(&x, 1).toUpper();
            if (upper.size() == 1 && upper.at(0).unicode() == x)
                continue;
            for (const uint y : upper.toUcs4()) {
                if (y != x)
                    table[y].append(x);
            }
        }
        return table;
    }();
    return sources;
}

// What a page's bytes must hold for the upper-cased term to be able to occur in its upper-cased
// text: for every character of the term, the UTF-8 form of one of the characters that upper-case
// to it. Tags and comments between them do not matter: a page that lacks one cannot match.
QList<QList<QByteArray>> byteNeeds(const QString &upperTerm)
{
    QList<QList<QByteArray>> needs;
    const QList<uint> chars = upperTerm.toUcs4();
    for (const uint u : chars) {
        const char32_t c = u;
        if (c == QChar::ReplacementCharacter)
            return {}; // damaged bytes read as it: no test on the bytes
        QList<QByteArray> forms{QString::fromUcs4(&c, 1).toUtf8()};
        for (const char32_t x : upperSources().value(c))
            forms.append(QString::fromUcs4(&x, 1).toUtf8());
        if (!needs.contains(forms))
            needs.append(forms);
    }
    // The rarest first: a character with one form rejects most pages at once.
    std::stable_sort(needs.begin(), needs.end(), [](const auto &a, const auto &b) { return a.size() < b.size(); });
    return needs;
}

bool bytesMayHold(QByteArrayView bytes, const QList<QList<QByteArray>> &needs)
{
    return std::all_of(needs.begin(), needs.end(), [bytes](const QList<QByteArray> &forms) {
        return std::any_of(forms.begin(), forms.end(),
                           [bytes](const QByteArray &form) { return bytes.indexOf(form) >= 0; });
    });
}

} // namespace

// What the body-text search needs on every core: the pages and the terms, shared with the workers.
struct ResultSearch::BodyText {
    QString base;
    QStringList paths;
    QStringList upperTerms;
    QList<QList<QList<QByteArray>>> needs; // per term

    PageOutcome test(qsizetype k) const
    {
        const QString path = base + paths.at(k);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {false, describeFileFailure(path, file)};
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return {false, describeFileFailure(path, file)};
        QList<qsizetype> possible;
        for (qsizetype t = 0; t < upperTerms.size(); ++t) {
            if (bytesMayHold(bytes, needs.at(t)))
                possible.append(t);
        }
        if (possible.isEmpty())
            return {};
        const QByteArrayView body = QByteArrayView(bytes).startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3)
                                                                                     : QByteArrayView(bytes);
        const QString visible = visibleText(QString::fromUtf8(body)).toUpper();
        for (const qsizetype t : possible) {
            if (visible.contains(upperTerms.at(t)))
                return {true, {}};
        }
        return {};
    }
};

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
    if (mode_ != SearchMode::BodyText) {
        // Built once, not once per entry: the LOOK command tests every title of the book.
        for (const QString &upper : std::as_const(upperTerms_))
            titleSegments_.append(u'/' + upper + u'/');
        // Upper-casing goes character by character, so the base's part is compared once.
        const QString upperBase = base_.toUpper();
        if (!askingPage_.isEmpty() && askingPage_.startsWith(upperBase))
            askingRest_ = askingPage_.sliced(upperBase.size());
    }
    if (mode_ != SearchMode::BodyText || terms_.isEmpty() || results_.isEmpty())
        return;
    // Every page is read and tested on the pool's threads, in result order; run() takes the
    // outcomes in that order as they come.
    auto body = std::make_shared<BodyText>();
    body->base = base_;
    body->paths = results_.paths;
    body->upperTerms = upperTerms_;
    for (const QString &term : std::as_const(upperTerms_))
        body->needs.append(byteNeeds(term));
    QList<qsizetype> entries(results_.size());
    std::iota(entries.begin(), entries.end(), qsizetype(0));
    pages_ = QtConcurrent::mapped(entries, [body](qsizetype k) { return body->test(k); });
}

ResultSearch::~ResultSearch()
{
    pages_.cancel();
    pages_.waitForFinished();
}

bool ResultSearch::matchesEntry(qsizetype k)
{
    if (terms_.isEmpty())
        return true;
    if (mode_ != SearchMode::BodyText) {
        if (titleMatches_.empty()) {
            // A book's index may hold tens of thousands of titles: they are tested on every core
            // at once, each worker writing only its own entries.
            titleMatches_.resize(std::size_t(results_.size()));
            constexpr qsizetype chunk = 2048;
            QList<qsizetype> starts;
            for (qsizetype start = 0; start < results_.size(); start += chunk)
                starts.append(start);
            char *out = titleMatches_.data();
            QtConcurrent::blockingMap(starts, [this, out](qsizetype start) {
                for (qsizetype e = start; e < std::min(start + chunk, results_.size()); ++e)
                    out[e] = titleEntryMatches(e);
            });
        }
        return titleMatches_[std::size_t(k)];
    }
    const PageOutcome page = pages_.resultAt(int(k));
    if (!page.error.isEmpty()) {
        error_ = page.error;
        pages_.cancel(); // the pages after it are not needed
        return false;
    }
    return page.match;
}

bool ResultSearch::titleEntryMatches(qsizetype k) const
{
    if (askingRest_ && results_.paths.at(k).toUpper() == *askingRest_)
        return false;
    // As lookTitleMatches, term by term.
    const QString segments = u'/' + lookSearchTitle(results_.titles.at(k)).toUpper() + u'/';
    return std::any_of(titleSegments_.begin(), titleSegments_.end(),
                       [&segments](const QString &segment) { return segments.contains(segment); });
}

bool ResultSearch::run(QDeadlineTimer deadline)
{
    const bool body = mode_ == SearchMode::BodyText && !terms_.isEmpty();
    while (!ended()) {
        const qsizetype k = next_;
        // The window's slices wait for a page still being read only until their deadline.
        while (body && !deadline.isForever() && !pages_.isResultReadyAt(int(k))) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(1);
        }
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
