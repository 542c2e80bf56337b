// The one-pass text scans give what the straightforward versions (kept here, searching again
// from the start or cutting the text after every step) give, on many generated texts.
#include "authoring/lookautolink.h"
#include "authoring/pageformat.h"
#include "authoring/titlelinker.h"
#include "authoring/wordautomaton.h"
#include "book/linkpagescan.h"
#include "commands/commanditems.h"

#include "testutil.h"

#include <QRandomGenerator>
#include <QUrl>
#include <gtest/gtest.h>

#include <limits>

#include <functional>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

// ---- The straightforward versions. ----

constexpr auto CI = Qt::CaseInsensitive;

QStringList referenceSplitCommandItems(const QString &list)
{
    QStringList items;
    QString rest = list;
    for (qsizetype comma = rest.indexOf(u','); comma >= 0; comma = rest.indexOf(u',')) {
        items.append(rest.left(comma));
        rest.remove(0, comma + 1);
        rest.remove(0, rest.indexOf(u'$') + 1);
    }
    return items;
}

QString referenceUnwrap(const QString &text)
{
    const QString &start = pageformat::kLookLinkStart;
    QString t = text;
    qsizetype from = 0;
    for (;;) {
        const qsizetype p = t.indexOf(start, from, CI);
        if (p < 0)
            break;
        const qsizetype gt = t.indexOf(u'>', p);
        if (gt < 0)
            break;
        t.remove(p, gt - p + 1);
        const qsizetype close = t.indexOf(u"</A>", p, CI);
        if (close >= 0)
            t.remove(close, 4);
        from = qMax<qsizetype>(0, p - start.size() + 1);
    }
    return t;
}

// The word rule on R = text[r..], as written: every search from the start of R.
qsizetype referenceLinkWord(const QString &text, qsizetype r, const QString &word, QString &out)
{
    for (;;) {
        const qsizetype p = text.indexOf(word, r, CI);
        if (p < 0)
            return r;
        qsizetype linkEnd = -1;
        const qsizetype a = text.indexOf(u"<A HREF=", r, CI);
        const qsizetype w = a < 0 ? -1 : text.indexOf(word, a + 1, CI);
        const qsizetype e = w < 0 ? -1 : text.indexOf(u"</A", w + 1, CI);
        if (e >= 0) {
            const qsizetype nextStart = text.indexOf(u"<A", w + 1, CI);
            if (nextStart < 0 || nextStart >= e) {
                const qsizetype gt = text.indexOf(u'>', e);
                linkEnd = gt < 0 ? text.size() : gt + 1;
            }
        }
        if (linkEnd >= 0) {
            out += text.mid(r, linkEnd - r);
            r = linkEnd;
            continue;
        }
        const qsizetype after = p + word.size();
        const qsizetype q = text.indexOf(u'"', after);
        const qsizetype l = text.indexOf(u'<', after);
        const qsizetype g = text.indexOf(u'>', after);
        if ((q >= 0 && l >= 0 && q < l) || (g >= 0 && (l < 0 || g < l))) {
            out += text.mid(r, after - r);
        } else {
            out += text.mid(r, p - r);
            out += pageformat::makeLookLink(word);
        }
        r = after;
    }
}

QString referenceLinkTitleWords(const QString &text, const QStringList &words)
{
    QString out;
    qsizetype r = 0;
    for (const QString &word : words)
        r = referenceLinkWord(text, r, word, out);
    return out + text.mid(r);
}

QString referenceAddLinks(const QString &text, const LookTitleIndex &index)
{
    QString unwrapped = referenceUnwrap(text);
    qsizetype head = 0;
    const qsizetype title = unwrapped.indexOf(u"</TITLE>", 0, CI);
    if (title >= 0)
        head = title;
    const qsizetype headEnd = unwrapped.indexOf(u"</HEAD>", head, CI);
    if (headEnd >= 0)
        head = headEnd;
    QString body = unwrapped.mid(head);
    const QString self = index.currentPagePath.toUpper();
    for (qsizetype k = index.titles.size() - 1; k >= 0; --k) {
        if ((index.bookFolder + u'/' + index.relativePaths.at(k)).toUpper() == self)
            continue;
        const QStringList words = lookTitleWords(index.titles.at(k));
        if (!words.isEmpty())
            body = referenceLinkTitleWords(body, words);
    }
    return unwrapped.left(head) + body;
}

struct ReferenceLinks {
    int count = 0;
    QString lastValue;
    QString label;
    QStringList pages;
    QStringList titles;
};

QString textUpTo(const QString &text, qsizetype from, QChar end)
{
    const qsizetype at = text.indexOf(end, from);
    return at >= 0 ? text.mid(from, at - from) : QString();
}

ReferenceLinks referenceLinks(const QString &text)
{
    const QString key = u"href="_s;
    const QString marker = u"【リンク】"_s;
    const auto valueStart = [&](qsizetype at) {
        const qsizetype quote = text.indexOf(u'"', at + key.size());
        return quote >= 0 ? quote + 1 : at + key.size();
    };
    ReferenceLinks r;
    bool markerAhead = true;
    for (qsizetype at = text.indexOf(key); at >= 0; at = text.indexOf(key, at)) {
        at = valueStart(at);
        r.lastValue = textUpTo(text, at, u'"');
        ++r.count;
        const qsizetype m = markerAhead ? text.indexOf(marker, at) : -1;
        markerAhead = m >= 0;
        if (markerAhead) {
            at = m + marker.size();
            r.label = textUpTo(text, at, u'<');
        } else {
            r.label.clear();
        }
    }
    // The level's entries; a piece never reaches past the next link's "href=".
    for (qsizetype at = text.indexOf(key); at >= 0; at = text.indexOf(key, at)) {
        at = valueStart(at);
        const qsizetype next = text.indexOf(key, at);
        QString target = textUpTo(text, at, u'"');
        if (next >= 0 && at + target.size() > next)
            target = text.mid(at, next - at);
        const qsizetype valueEnd = target.isEmpty() ? at : at + target.size();
        const qsizetype tagEnd = text.indexOf(u'>', valueEnd);
        QString title = tagEnd >= 0 ? textUpTo(text, tagEnd + 1, u'<') : QString();
        if (next >= 0 && tagEnd >= 0 && tagEnd + 1 + title.size() > next)
            title = tagEnd + 1 <= next ? text.mid(tagEnd + 1, next - tagEnd - 1) : QString();
        r.pages.append(target);
        r.titles.append(title);
    }
    return r;
}

// ---- Generated inputs: short pieces that make and break the marks these scans look for. ----

QString generate(QRandomGenerator &random, const QStringList &pieces, int maxPieces)
{
    QString t;
    const int n = random.bounded(0, maxPieces + 1);
    for (int k = 0; k < n; ++k)
        t += pieces.at(random.bounded(int(pieces.size())));
    return t;
}

const QStringList lookPieces = {
    u"<A HREF=\"/$LOOK "_s, u"<a href=\"/$look"_s, u"<A href=\"/$LOO"_s, u"K"_s, u"\u212A"_s, u"<A"_s, u"<"_s, u">"_s,
    u"</A>"_s, u"</a"_s, u"</"_s, u"A>"_s, u"\""_s, u" "_s, u"葉"_s, u"りんご"_s, u"ringo"_s, u"RINGO"_s, u"x"_s,
    u"<A HREF=\"p.html\">"_s, u"<IMG alt=\""_s, u"<P>"_s, u"</P>"_s, u"</TITLE>"_s, u"</HEAD>"_s, u"a"_s, u"ſ"_s,
    u"\U0001F600"_s, // a page with surrogates takes the titles one by one
};
const QStringList titlePieces = {u"葉"_s, u"りんご"_s, u"ringo"_s, u"x"_s, u"a"_s, u"#"_s, u"/"_s, u"?"_s, u"\""_s,
                                 u"LOOK"_s, u"K"_s, u"<"_s, u"P"_s, u"A"_s, u"href"_s, u" "_s};

// Titles made of pieces (titleCount.first up to titleCount.second - 1 of them, up to perTitle
// pieces each) linked in body by the one-pass linker and by the reference: equal, or declined (a
// link would come inside a link), which may happen on fewer than maxDeclined pages of a row.
bool onePassMatchesReference(QRandomGenerator &random, const QString &body, const QStringList &pieces,
                             std::pair<int, int> titleCount, int perTitle, int &declined, int maxDeclined,
                             std::string &message)
{
    std::vector<QStringList> titles;
    for (int k = random.bounded(titleCount.first, titleCount.second); k > 0; --k) {
        const QStringList words = lookTitleWords(generate(random, pieces, perTitle));
        if (!words.isEmpty())
            titles.push_back(words);
    }
    QString expected = body;
    for (const QStringList &words : titles)
        expected = referenceLinkTitleWords(expected, words);
    const std::optional<QString> linked = linkTitlesInOnePass(body, titles);
    declined += !linked;
    message = body.toStdString() + " (declined so far: " + std::to_string(declined) + ")";
    return (!linked || *linked == expected) && declined < maxDeclined;
}

struct ScanRow {
    const char *name;
    int rounds;
    // One generated case: false with a message when the scan and its reference differ.
    std::function<bool(QRandomGenerator &, std::string &)> same;
};

void PrintTo(const ScanRow &row, std::ostream *os)
{
    *os << row.name;
}

class OnePassScans : public ::testing::TestWithParam<ScanRow> {};

TEST_P(OnePassScans, GiveWhatTheStraightforwardScanGives)
{
    QRandomGenerator random(20261208);
    for (int round = 0; round < GetParam().rounds; ++round) {
        std::string message;
        ASSERT_TRUE(GetParam().same(random, message)) << "round " << round << ": " << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scans, OnePassScans,
    ::testing::Values(
        ScanRow{"CommandItems", 5000,
                [](QRandomGenerator &random, std::string &message) {
                    const QString list = generate(random, {u","_s, u"$"_s, u"NEXT"_s, u",$"_s, u"a"_s}, 20);
                    message = list.toStdString();
                    return splitCommandItems(list) == referenceSplitCommandItems(list);
                }},
        ScanRow{"LookLinksUnwrapped", 5000,
                [](QRandomGenerator &random, std::string &message) {
                    const QString text = generate(random, lookPieces, 24);
                    message = text.toStdString();
                    return unwrapLookLinks(text) == referenceUnwrap(text);
                }},
        ScanRow{"LookLinksAdded", 4000,
                [](QRandomGenerator &random, std::string &message) {
                    const QString text = generate(random, lookPieces, 30);
                    LookTitleIndex index{u"/book"_s, u"/book/self.html"_s, {}, {}};
                    const int titles = random.bounded(0, 14);
                    for (int k = 0; k < titles; ++k) {
                        index.relativePaths.append(random.bounded(6) == 0 ? u"self.html"_s : QString::number(k));
                        // Books repeat short titles: some come again.
                        index.titles.append(k > 0 && random.bounded(3) == 0 ? index.titles.at(random.bounded(k))
                                                                            : generate(random, titlePieces, 5));
                    }
                    message = text.toStdString() + " | " + index.titles.join(u" | "_s).toStdString();
                    return lookAutoLink(LookLinkMode::Add, text, index) == referenceAddLinks(text, index);
                }},
        ScanRow{"LookLinksInOnePassOrDeclined", 4000,
                [](QRandomGenerator &random, std::string &message) {
                    static int declined = 0;
                    const QString body = generate(random, lookPieces, 30).remove(u"\U0001F600"_s);
                    // Only pages that would get a link inside a link are declined, and they are few.
                    return onePassMatchesReference(random, body, titlePieces, {0, 10}, 5, declined, 40, message);
                }},
        ScanRow{"LookLinksOfWordsWithoutLinkLetters", 3000,
                [](QRandomGenerator &random, std::string &message) {
                    // Words that overlap and hold one another, none holding a letter a link adds.
                    static int declined = 0;
                    const QStringList kana = {u"り"_s, u"ん"_s, u"ご"_s, u"葉"_s, u"りん"_s};
                    const QString body = generate(random, lookPieces + kana + kana, 40).remove(u"\U0001F600"_s);
                    return onePassMatchesReference(random, body, {u"葉"_s, u"り"_s, u"ん"_s, u"りんご"_s, u"/"_s}, {1, 12}, 4,
                                                   declined, 30, message);
                }},
        ScanRow{"LookLinksInLongPages", 30,
                [](QRandomGenerator &random, std::string &message) {
                    // Links far apart and close together, thousands of characters long.
                    QString body;
                    while (body.size() < 20000)
                        body += random.bounded(4) ? QString(random.bounded(1, 400), u'x') : generate(random, lookPieces, 6);
                    int declined = 0;  // declining is allowed here as often as it comes
                    return onePassMatchesReference(random, body, titlePieces, {1, 6}, 3, declined,
                                                   std::numeric_limits<int>::max(), message);
                }},
        ScanRow{"LinkPageLinks", 5000,
                [](QRandomGenerator &random, std::string &message) {
                    const QString body = generate(
                        random, {u"href="_s, u"HREF="_s, u"\""_s, u"<"_s, u">"_s, u"【リンク】"_s, u"a"_s, u"/$NEXT"_s}, 16);
                    const QString source = u"<html><body>【リンク】"_s + body + u"</body></html>"_s;
                    message = source.toStdString();
                    const bool web = random.bounded(2);
                    const QString location = web ? u"http://example.org/a/l.html"_s : u"file:///book/l.html"_s;
                    const LinkPageDecision d = decideLinkPage(source, location, u"/book/"_s, CommandOrigin::localBookPage());
                    QString lowered = source;
                    ReferenceLinks r = referenceLinks(lowered.replace(u"HREF="_s, u"href="_s));
                    for (QString &page : r.pages) {
                        if (web && QUrl(page).isRelative())
                            page = QUrl(location).resolved(QUrl(page)).toString();
                    }
                    if (d.linkCount != r.count)
                        return false;
                    if (r.count == 1)
                        return d.target == r.lastValue
                               && (d.action != LinkPageDecision::Action::Follow || d.caption == r.label);
                    return r.count == 0 || (d.pages == r.pages && d.titles == r.titles);
                }}),
    [](const auto &row) { return std::string(row.param.name); });

// The edge table keeps its edges in 64 bits each until a node or a child needs more room; every
// edge must still be found after the table changes its layout, as well as after it grows.
TEST(AutomatonEdges, FindsEveryEdgeAcrossGrowthAndWideNodes)
{
    for (const quint64 wideNode : {quint64(0), quint64(1) << 24, quint64(1) << 31}) {
        AutomatonEdges edges;
        std::vector<std::pair<quint64, int>> inserted;
        for (int k = 0; k < 3000; ++k) {
            const quint64 node = k == 2000 && wideNode ? wideNode : quint64(k / 7);
            const quint64 key = node << 16 | quint64(0x3041 + k % 7);
            const int child = k == 2500 && wideNode ? int((quint64(1) << 24) + 3) : k + 1;
            edges.insert(key, child);
            inserted.emplace_back(key, child);
        }
        for (const auto &[key, child] : inserted)
            EXPECT_EQ(edges.find(key), child) << key;
        EXPECT_EQ(edges.find(quint64(5) << 16 | 0x3050), -1);
        EXPECT_EQ(edges.find((wideNode + 100000) << 16 | 0x3041), -1);
    }
}

} // namespace
