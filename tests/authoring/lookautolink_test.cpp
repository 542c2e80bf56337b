// LOOK auto-links: title words linked outside links, tags, attribute values and the head;
// existing links unwrapped first; damaged pages end without harm.
#include "authoring/lookautolink.h"

#include "testutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

QString link(const QString &word)
{
    return u"<A href=\"/$LOOK "_s + word + u"\">"_s + word + u"</A>"_s;
}

struct LinkCase {
    const char *name;
    QStringList words;
    QString text;
    QString linked;
};

class WordRule : public ::testing::TestWithParam<LinkCase> {};

TEST_P(WordRule, LinksPlainTextOnly)
{
    EXPECT_EQ(linkTitleWords(GetParam().text, GetParam().words), GetParam().linked);
}

INSTANTIATE_TEST_SUITE_P(
    Look, WordRule,
    ::testing::Values(
        LinkCase{"PlainText", {u"葉"_s}, u"<P>緑の葉です</P>"_s, u"<P>緑の"_s + link(u"葉"_s) + u"です</P>"_s},
        LinkCase{"EveryOccurrence", {u"葉"_s}, u"葉と葉"_s, link(u"葉"_s) + u"と"_s + link(u"葉"_s)},
        LinkCase{"OtherCaseTakesTitleLetters", {u"Leaf"_s}, u"<P>a LEAF</P>"_s, u"<P>a "_s + link(u"Leaf"_s) + u"</P>"_s},
        LinkCase{"AltTextIsAnAttribute", {u"葉"_s}, u"<IMG alt=\"葉\" src=\"a.png\">"_s,
                 u"<IMG alt=\"葉\" src=\"a.png\">"_s},
        LinkCase{"InsideATag", {u"FONT"_s}, u"<FONT size=3>x</FONT>"_s, u"<FONT size=3>x</FONT>"_s},
        LinkCase{"InsideAnotherLink", {u"葉"_s}, u"<A HREF=\"x.html\">葉</A>"_s, u"<A HREF=\"x.html\">葉</A>"_s},
        LinkCase{"AfterALink", {u"葉"_s}, u"<A HREF=\"x.html\">木</A>葉<B>"_s,
                 u"<A HREF=\"x.html\">木</A>"_s + link(u"葉"_s) + u"<B>"_s},
        LinkCase{"PlainBeforeALinkHoldingItStays", {u"葉"_s}, u"葉<A HREF=\"x\">葉</A>葉."_s,
                 u"葉<A HREF=\"x\">葉</A>"_s + link(u"葉"_s) + u"."_s},
        LinkCase{"HeadingKeepsItsTags", {u"葉"_s}, u"<H1>葉</H1>"_s, u"<H1>"_s + link(u"葉"_s) + u"</H1>"_s},
        LinkCase{"QuoteInPlainTextAtTheEnd", {u"葉"_s}, u"葉 \"x"_s, link(u"葉"_s) + u" \"x"_s},
        LinkCase{"TagCutOffAtTheEnd", {u"葉"_s}, u"<IMG alt=葉"_s, link(u"葉"_s).prepend(u"<IMG alt="_s)},
        LinkCase{"LinkWithoutEnd", {u"葉"_s}, u"<A HREF=\"x\">葉</A"_s, u"<A HREF=\"x\">葉</A"_s},
        LinkCase{"LaterWordLooksAfterTheEarlier", {u"りんご"_s, u"ringo"_s}, u"ringo りんご ringo"_s,
                 u"ringo "_s + link(u"りんご"_s) + u" "_s + link(u"ringo"_s)},
        LinkCase{"NoOccurrenceKeepsText", {u"茎"_s}, u"<P>葉</P>"_s, u"<P>葉</P>"_s}),
    [](const auto &row) { return std::string(row.param.name); });

struct WordsCase {
    const char *name;
    QString title;
    QStringList words;
};

class TitleWords : public ::testing::TestWithParam<WordsCase> {};

TEST_P(TitleWords, AreTheWordsTheLookCommandFinds)
{
    EXPECT_EQ(lookTitleWords(GetParam().title), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Look, TitleWords,
    ::testing::Values(WordsCase{"CaptionAndLine", u"caption#line"_s, {u"caption"_s, u"line"_s}},
                      WordsCase{"Slashes", u"a/b//c"_s, {u"a"_s, u"b"_s, u"c"_s}},
                      WordsCase{"SecondHashStays", u"a#b#c"_s, {u"a"_s, u"b#c"_s}},
                      WordsCase{"Angles", u"x<y>"_s, {u"x&lt;y&gt;"_s}},
                      WordsCase{"Empty", QString(), {}},
                      WordsCase{"OnlySeparators", u"#/"_s, {}},
                      // The words are those the LOOK command finds the page by: a marked or
                      // glyph-bearing caption and a line followed by a hint are still linked.
                      WordsCase{"HintIsNoPartOfTheLastWord", u"きせつ#春夏秋冬?四つのきせつ"_s, {u"きせつ"_s, u"春夏秋冬"_s}},
                      WordsCase{"MarkIsNoPartOfTheCaption", u"\"!\"きせつ#春夏秋冬"_s, {u"きせつ"_s, u"春夏秋冬"_s}},
                      WordsCase{"GlyphIsNoPartOfTheCaption", u"\"neko.png\"どうぶつ"_s, {u"どうぶつ"_s}},
                      WordsCase{"OnlyAHint", u"?ヒント"_s, {}},
                      WordsCase{"LoneQuoteTakesWhatStandsBeforeIt", u"ab\"cd#e"_s, {u"cd"_s, u"e"_s}},
                      WordsCase{"HashInTheHintGoesWithIt", u"a?b#c"_s, {u"a"_s}}),
    [](const auto &row) { return std::string(row.param.name); });

struct UnwrapCase {
    const char *name;
    QString text;
    QString unwrapped;
};

class Unwrap : public ::testing::TestWithParam<UnwrapCase> {};

TEST_P(Unwrap, LookLinksOnly)
{
    EXPECT_EQ(unwrapLookLinks(GetParam().text), GetParam().unwrapped);
}

INSTANTIATE_TEST_SUITE_P(
    Look, Unwrap,
    ::testing::Values(UnwrapCase{"Written", u"a"_s + link(u"葉"_s) + u"b"_s, u"a葉b"_s},
                      UnwrapCase{"AnyCase", u"<a href=\"/$look x\">X</a>!"_s, u"X!"_s},
                      UnwrapCase{"OtherLinksStay", u"<A HREF=\"p.html\">p</A>"_s, u"<A HREF=\"p.html\">p</A>"_s},
                      UnwrapCase{"CommandLinkStays", u"<A HREF=\"/$NEXT\">n</A>"_s, u"<A HREF=\"/$NEXT\">n</A>"_s},
                      UnwrapCase{"NoEndTag", u"<A HREF=\"/$LOOK x\">x"_s, u"x"_s},
                      UnwrapCase{"StartTagCutOff", u"a<A HREF=\"/$LOOK x"_s, u"a<A HREF=\"/$LOOK x"_s},
                      UnwrapCase{"NestedStartTags", u"<A HREF=\"/$LOOK a\"><A HREF=\"/$LOOK b\">b</A></A>"_s, u"b"_s}),
    [](const auto &row) { return std::string(row.param.name); });

class AutoLink : public ::testing::Test {
protected:
    QString page(const QString &body) const
    {
        return u"<HTML><HEAD><TITLE>葉っぱ</TITLE><META name=\"葉\"></HEAD><BODY>"_s + body + u"</BODY></HTML>"_s;
    }
    void add(const QString &path, const QString &title)
    {
        index.relativePaths.append(path);
        index.titles.append(title);
    }

    LookTitleIndex index{u"/book"_s, u"/book/sub/1010_self.html"_s, {}, {}};
};

TEST_F(AutoLink, HeadAndOwnTitleStayUnlinked)
{
    add(u"a.html"_s, u"葉"_s);
    add(u"sub/1010_self.html"_s, u"本文"_s);
    const QString linked = lookAutoLink(LookLinkMode::Add, page(u"本文の葉"_s), index);
    EXPECT_EQ(linked, page(u"本文の"_s + link(u"葉"_s)));
}

TEST_F(AutoLink, OwnPageIsKnownByItsPathInAnyCase)
{
    add(u"sub/1010_self.htm"_s, u"葉"_s);
    add(u"SUB/1010_Self.HTML"_s, u"本文"_s);
    const QString linked = lookAutoLink(LookLinkMode::Add, page(u"本文の葉"_s), index);
    EXPECT_EQ(linked, page(u"本文の"_s + link(u"葉"_s)));
}

TEST_F(AutoLink, AddingTwiceEqualsAddingOnce)
{
    add(u"a.html"_s, u"葉"_s);
    add(u"b.html"_s, u"緑の葉"_s);
    const QString once = lookAutoLink(LookLinkMode::Add, page(u"緑の葉と葉"_s), index);
    EXPECT_EQ(lookAutoLink(LookLinkMode::Add, once, index), once);
}

TEST_F(AutoLink, LastEntryFirstAndEarlierLinksArePassedOver)
{
    add(u"a.html"_s, u"葉"_s);     // linked second: its word inside the first link stays there
    add(u"b.html"_s, u"緑の葉"_s); // the index is read from the end
    EXPECT_EQ(lookAutoLink(LookLinkMode::Add, page(u"緑の葉"_s), index), page(link(u"緑の葉"_s)));
}

TEST_F(AutoLink, RemovingKeepsEveryWordAndOtherLinks)
{
    const QString body = u"<H1>"_s + link(u"葉"_s) + u"</H1><A HREF=\"x.html\">x</A> "_s + link(u"Leaf"_s);
    const QString removed = lookAutoLink(LookLinkMode::Remove, page(body), index);
    EXPECT_EQ(removed, page(u"<H1>葉</H1><A HREF=\"x.html\">x</A> Leaf"_s));
    EXPECT_FALSE(removed.contains(u"/$LOOK"_s));
}

TEST_F(AutoLink, WithoutHeadTheWholeTextIsLinked)
{
    add(u"a.html"_s, u"葉"_s);
    EXPECT_EQ(lookAutoLink(LookLinkMode::Add, u"葉"_s, index), link(u"葉"_s));
}

TEST(LookFile, RewritesThePageSafely)
{
    QTemporaryDir dir;
    const QString path = testutil::writePage(dir.path(), u"1010_a.html"_s, u"<BODY>x "_s + link(u"y"_s) + u"</BODY>"_s);
    const LookFileRewrite r = rewriteLookLinks(path, LookLinkMode::Remove);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(testutil::readBytes(path), QByteArray("\xEF\xBB\xBF<BODY>x y</BODY>\r\n"));
}

TEST(LookFile, MissingPageIsNotWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gone.html"_s);
    const LookFileRewrite r = rewriteLookLinks(path, LookLinkMode::Remove);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.message().isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
