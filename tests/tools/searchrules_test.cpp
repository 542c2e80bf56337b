// The search window's rules: search terms, the visible text of a page, LOOK title words, and one
// search over the results in each mode.
#include "tools/resultsearch.h"
#include "tools/searchrules.h"

#include "testutil.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

struct TermsCase {
    const char *name;
    QString text;
    QStringList terms;
};

class SearchTerms : public ::testing::TestWithParam<TermsCase> {};

TEST_P(SearchTerms, SplitAtSlashesUntilAnEmptyTerm)
{
    EXPECT_EQ(splitSearchTerms(GetParam().text), GetParam().terms);
}

INSTANTIATE_TEST_SUITE_P(
    Search, SearchTerms,
    ::testing::Values(TermsCase{"One", u"光合成"_s, {u"光合成"_s}},
                      TermsCase{"Two", u"葉/根"_s, {u"葉"_s, u"根"_s}},
                      TermsCase{"TrailingSlash", u"葉/"_s, {u"葉"_s}},
                      TermsCase{"Empty", QString(), {}},
                      TermsCase{"LeadingSlashEndsAtOnce", u"/葉"_s, {}},
                      TermsCase{"DoubleSlashEndsTheList", u"葉//根"_s, {u"葉"_s}},
                      TermsCase{"BlanksBelongToTheTerm", u" a b /c"_s, {u" a b "_s, u"c"_s}}),
    [](const auto &row) { return std::string(row.param.name); });

struct VisibleCase {
    const char *name;
    QString html;
    QString visible;
};

class VisibleText : public ::testing::TestWithParam<VisibleCase> {};

TEST_P(VisibleText, CommentsThenTagsAreCut)
{
    EXPECT_EQ(visibleText(GetParam().html), GetParam().visible);
}

INSTANTIATE_TEST_SUITE_P(
    Search, VisibleText,
    ::testing::Values(
        VisibleCase{"TagsGo", u"<P>a<FONT color=red>b</FONT></P>"_s, u"ab"_s},
        VisibleCase{"CommentWithTagInside", u"a<!-- <b> -->c"_s, u"ac"_s},
        VisibleCase{"ShortComment", u"a<!->c"_s, u"a!->c"_s}, // the opener's "-" is no closer's
        VisibleCase{"UnclosedCommentLosesOnlyItsLessThan", u"a<!-- b"_s, u"a!-- b"_s},
        VisibleCase{"LoneLessThanIsDropped", u"a < b"_s, u"a  b"_s},
        VisibleCase{"GreaterThanStays", u"a > b"_s, u"a > b"_s},
        VisibleCase{"CutJoinsANewComment", u"x<<!--y-->!--z-->w"_s, u"xw"_s},
        VisibleCase{"UnclosedAfterLessThan", u"x<<!-y"_s, u"x!-y"_s}),
    [](const auto &row) { return std::string(row.param.name); });

// The rule as written: cut the first comment, again and again, then the first tag.
QString visibleTextByRepeatedCuts(QString t)
{
    for (;;) {
        const qsizetype p = t.indexOf(u"<!-");
        if (p < 0)
            break;
        const qsizetype c = t.indexOf(u"->", p + 3);
        if (c >= 0)
            t.remove(p, c + 2 - p);
        else
            t.remove(p, 1);
    }
    for (;;) {
        const qsizetype p = t.indexOf(u'<');
        if (p < 0)
            break;
        const qsizetype g = t.indexOf(u'>', p + 1);
        t.remove(p, g >= 0 ? g + 1 - p : 1);
    }
    return t;
}

TEST(VisibleText, OnePassEqualsRepeatedCutsOnDamagedText)
{
    QRandomGenerator random(4711);
    const QString alphabet = u"<!->a"_s;
    for (int round = 0; round < 20000; ++round) {
        QString t;
        const int n = random.bounded(1, 16);
        for (int k = 0; k < n; ++k)
            t += alphabet.at(random.bounded(alphabet.size()));
        ASSERT_EQ(visibleText(t), visibleTextByRepeatedCuts(t)) << t.toStdString();
    }
}

struct LookCase {
    const char *name;
    QString title;
    bool matches;
};

class LookTitles : public ::testing::TestWithParam<LookCase> {};

TEST_P(LookTitles, TermIsOneWholeSegment)
{
    EXPECT_EQ(lookTitleMatches(GetParam().title, u"abc"_s), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Search, LookTitles,
    ::testing::Values(LookCase{"HintBehindGlyph", u"\"g.png\"ABC?hint"_s, true},
                      LookCase{"SecondLine", u"x#abc"_s, true},
                      LookCase{"FirstSegment", u"abc/def"_s, true},
                      LookCase{"Longer", u"abcd"_s, false},
                      LookCase{"BlankIsNoSeparator", u"x abc"_s, false},
                      LookCase{"OnlyFirstHashSplits", u"x#y#abc"_s, false},
                      LookCase{"WordInHintOnly", u"x?abc"_s, false},
                      LookCase{"WordInGlyphOnly", u"\"abc\"x"_s, false},
                      LookCase{"OneQuoteCutsThroughIt", u"q\"abc"_s, true}),
    [](const auto &row) { return std::string(row.param.name); });

class ResultSearchTest : public ::testing::Test {
protected:
    QString base() const { return dir.path() + u'/'; }
    void add(const QString &path, const QString &title, const QString &body)
    {
        testutil::writePage(dir.path(), path, u"<HTML><HEAD><TITLE>"_s + title + u"</TITLE></HEAD><BODY>"_s + body
                                                  + u"</BODY></HTML>"_s);
        results.append(path, title);
    }
    TitleList search(SearchMode mode, const QStringList &terms, const QString &asking = QString())
    {
        ResultSearch s(mode, base(), results, terms, asking);
        EXPECT_TRUE(s.run());
        EXPECT_FALSE(s.failed());
        return s.matches();
    }

    QTemporaryDir dir;
    TitleList results;
};

TEST_F(ResultSearchTest, BodyTextIgnoresTagsCommentsAndCase)
{
    add(u"a.html"_s, u"A"_s, u"<FONT>x</FONT>"_s);
    add(u"b.html"_s, u"B"_s, u"<!-- font -->y"_s);
    add(u"c.html"_s, u"C"_s, u"the Font of it"_s);
    add(u"d.html"_s, u"D"_s, u"ＦＯＮＴ"_s);
    EXPECT_EQ(search(SearchMode::BodyText, {u"font"_s}).paths, QStringList{u"c.html"_s});
    EXPECT_EQ(search(SearchMode::BodyText, {u"ｆｏｎｔ"_s}).paths, QStringList{u"d.html"_s});
}

TEST_F(ResultSearchTest, TermsCombineAsOrInResultOrder)
{
    add(u"a.html"_s, u"A"_s, u"葉"_s);
    add(u"b.html"_s, u"B"_s, u"根"_s);
    add(u"c.html"_s, u"C"_s, u"葉と根"_s);
    add(u"d.html"_s, u"D"_s, u"茎"_s);
    EXPECT_EQ(search(SearchMode::BodyText, {u"根"_s, u"葉"_s}).paths,
              (QStringList{u"a.html"_s, u"b.html"_s, u"c.html"_s}));
    EXPECT_EQ(search(SearchMode::BodyText, {}), results); // no term narrows nothing
}

TEST_F(ResultSearchTest, LookNeverFindsTheAskingPage)
{
    add(u"sub/a.html"_s, u"abc"_s, QString());
    add(u"b.html"_s, u"x#ABC"_s, QString());
    add(u"c.html"_s, u"abcd"_s, QString());
    const QString asking = (base() + u"sub/a.html"_s).toUpper();
    EXPECT_EQ(search(SearchMode::LookTitle, {u"abc"_s}, asking).paths, QStringList{u"b.html"_s});
    EXPECT_EQ(search(SearchMode::LookTitle, {u"abc"_s}).paths, (QStringList{u"sub/a.html"_s, u"b.html"_s}));
}

// Thousands of generated titles, several terms and an asking page whose path changes length when
// upper-cased: the search keeps exactly the titles that lookTitleMatches keeps, in order.
TEST(LookTitleSearch, ManyTitlesMatchAsEachTitleAlone)
{
    const QStringList words{u"abc"_s, u"ABC"_s, u"straße"_s, u"STRASSE"_s, u"葉"_s, u"ﬁx"_s, u""_s};
    const QStringList shapes{u"%1"_s, u"x#%1"_s, u"%1#x"_s, u"x?%1"_s, u"\"%1\"y"_s, u"a/%1/b"_s, u"%1#%1"_s};
    const QString base = u"/Bücher/straße/"_s;
    TitleList index;
    QRandomGenerator random(14);
    for (int k = 0; k < 5000; ++k)
        index.append(QStringLiteral("ß%1/%2.html").arg(k % 7).arg(k),
                     shapes.at(random.bounded(int(shapes.size()))).arg(words.at(random.bounded(int(words.size())))));
    index.titles[4321] = u"abc#ﬁx"_s; // the asking page has words that are searched for
    const QString asking = (base + index.paths.at(4321)).toUpper();
    for (const QStringList &terms : {QStringList{u"abc"_s}, QStringList{u"strasse"_s, u"葉"_s}, QStringList{u"FIX"_s}}) {
        TitleList expected;
        for (qsizetype k = 0; k < index.size(); ++k) {
            if (k != 4321
                && std::any_of(terms.begin(), terms.end(),
                               [&](const QString &t) { return lookTitleMatches(index.titles.at(k), t); }))
                expected.append(index.paths.at(k), index.titles.at(k));
        }
        ResultSearch s(SearchMode::LookTitle, base, index, terms, asking);
        EXPECT_TRUE(s.run());
        EXPECT_EQ(s.matches(), expected) << terms.join(u'/').toStdString();
        EXPECT_GT(expected.size(), 100);
    }
}

TEST_F(ResultSearchTest, LookReadsNoPage)
{
    results.append(u"missing.html"_s, u"abc"_s);
    EXPECT_EQ(search(SearchMode::LookTitle, {u"abc"_s}).size(), 1);
}

TEST_F(ResultSearchTest, UnreadablePageStopsTheSearch)
{
    add(u"a.html"_s, u"A"_s, u"葉"_s);
    results.append(u"gone.html"_s, u"G"_s);
    add(u"c.html"_s, u"C"_s, u"葉"_s);
    ResultSearch s(SearchMode::BodyText, base(), results, {u"葉"_s});
    EXPECT_TRUE(s.run());
    EXPECT_TRUE(s.failed());
    EXPECT_TRUE(s.error().contains(u"gone.html"_s));
    EXPECT_EQ(s.tested(), 1);
}

TEST_F(ResultSearchTest, RunsInSlices)
{
    for (int i = 0; i < 12; ++i)
        add(QStringLiteral("%1.html").arg(i), QStringLiteral("T%1").arg(i), i % 3 ? u"x"_s : u"葉"_s);
    ResultSearch s(SearchMode::BodyText, base(), results, {u"葉"_s});
    // A slice past its deadline takes at most one page, and never waits for one being read.
    for (qsizetype before = 0; !s.run(QDeadlineTimer(0)); before = s.tested())
        ASSERT_LE(s.tested(), before + 1);
    EXPECT_EQ(s.matches().paths, (QStringList{u"0.html"_s, u"3.html"_s, u"6.html"_s, u"9.html"_s}));
}

} // namespace

namespace {

// The pages a body-text search finds are those whose visible text, upper-cased, holds an
// upper-cased term: the test on the pages' bytes before reading them rejects no other page.
TEST_F(ResultSearchTest, FindsWhatThePlainRuleFindsOnGeneratedPages)
{
    const QStringList pieces = {u"ss"_s, u"SS"_s, u"ß"_s, u"ſ"_s, u"ﬁ"_s, u"fi"_s, u"ı"_s, u"i"_s, u"I"_s, u"\u212A"_s,
                                u"k"_s, u"ｋ"_s, u"Ｋ"_s, u"葉"_s, u"<"_s, u">"_s, u"<!--"_s, u"-->"_s, u"<b>"_s, u" "_s};
    QRandomGenerator random(31);
    const auto text = [&](int most) {
        QString t;
        for (int n = random.bounded(1, most); n > 0; --n)
            t += pieces.at(random.bounded(int(pieces.size())));
        return t;
    };
    QStringList visible;
    for (int i = 0; i < 200; ++i) {
        const QString body = text(12);
        const QString path = QStringLiteral("%1.html").arg(i);
        if (i % 50 == 7) // damaged bytes read as the replacement character
            testutil::writeBytes(dir.path(), path, body.toUtf8() + "\xFF\xFE" + u"葉"_s.toUtf8());
        else
            add(path, u"T"_s, body);
        if (i % 50 == 7)
            results.append(path, u"T"_s);
        visible.append(visibleText(QString::fromUtf8(testutil::readBytes(dir.path() + u'/' + path)).remove(u'\uFEFF')).toUpper());
    }
    for (int round = 0; round < 40; ++round) {
        QStringList terms{text(4)};
        if (round % 3 == 0)
            terms.append(round % 2 ? u"\uFFFD葉"_s : text(3));
        QStringList expected;
        for (qsizetype i = 0; i < results.size(); ++i) {
            if (std::any_of(terms.begin(), terms.end(), [&](const QString &t) { return visible.at(i).contains(t.toUpper()); }))
                expected.append(results.paths.at(i));
        }
        ASSERT_EQ(search(SearchMode::BodyText, terms).paths, expected) << terms.join(u'/').toStdString();
    }
}

} // namespace
