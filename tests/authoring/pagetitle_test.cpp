#include "authoring/pagetitle.h"

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

PageTitle title(const char16_t *glyph, const char16_t *caption, const char16_t *second, const char16_t *hint)
{
    return {QString::fromUtf16(glyph), QString::fromUtf16(caption), QString::fromUtf16(second),
            QString::fromUtf16(hint)};
}

} // namespace

struct ParseCase {
    const char *name;
    QString stored;
    PageTitle parts;
};

class TitleParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(TitleParsing, SplitsIntoParts)
{
    EXPECT_EQ(parsePageTitle(GetParam().stored), GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, TitleParsing,
    ::testing::Values(
        ParseCase{"all_parts", QStringLiteral("\"a.gif\"Lesson 1#Start?First page"),
                  title(u"a.gif", u"Lesson 1", u"Start", u"First page")},
        ParseCase{"caption_only", QStringLiteral("第1課"), title(u"", u"第1課", u"", u"")},
        ParseCase{"question_before_hash_is_all_hint", QStringLiteral("A?b#c"), title(u"", u"A", u"", u"b#c")},
        ParseCase{"check_mark", QStringLiteral("\"!\"まとめ#復習"), title(u"!", u"まとめ", u"復習", u"")},
        ParseCase{"angles_unescaped", QStringLiteral("a&lt;b#c&gt;d?&lt;e&gt;"), title(u"", u"a<b", u"c>d", u"<e>")},
        ParseCase{"upper_case_entity_stays", QStringLiteral("&LT;x"), title(u"", u"&LT;x", u"", u"")},
        ParseCase{"lone_quote_stays_in_caption", QStringLiteral("\"abc"), title(u"", u"\"abc", u"", u"")},
        ParseCase{"quote_not_at_start_is_no_glyph", QStringLiteral("say \"hi\""),
                  title(u"", u"say \"hi\"", u"", u"")},
        ParseCase{"empty", QString(), title(u"", u"", u"", u"")}),
    [](const auto &row) { return std::string(row.param.name); });

struct ComposeCase {
    const char *name;
    PageTitle parts;
    QString stored;
};

class TitleComposing : public ::testing::TestWithParam<ComposeCase> {};

TEST_P(TitleComposing, WritesStoredForm)
{
    EXPECT_EQ(composePageTitle(GetParam().parts), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, TitleComposing,
    ::testing::Values(
        ComposeCase{"all_parts", title(u"a.gif", u"Lesson 1", u"Start", u"First page"),
                    QStringLiteral("\"a.gif\"Lesson 1#Start?First page")},
        ComposeCase{"all_empty", title(u"", u"", u"", u""), QString()},
        ComposeCase{"empty_parts_leave_no_separator", title(u"", u"A", u"", u"h"), QStringLiteral("A?h")},
        ComposeCase{"trailing_blanks_dropped_but_not_from_hint", title(u"", u"A  ", u"B ", u"h "),
                    QStringLiteral("A#B?h ")},
        ComposeCase{"ideographic_blank_kept", title(u"", u"A\u3000", u"", u""), QStringLiteral("A\u3000")},
        ComposeCase{"angles_escaped", title(u"", u"a<b", u"c>d", u"<e>"),
                    QStringLiteral("a&lt;b#c&gt;d?&lt;e&gt;")},
        ComposeCase{"check_mark_in_front", title(u"!", u"まとめ", u"", u""), QStringLiteral("\"!\"まとめ")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(TitleSyntax, CheckMarkIsTheGlyphPrefixOfAnExclamationMark)
{
    EXPECT_TRUE(titleHasCheckMark(u"\"!\"まとめ"));
    EXPECT_FALSE(titleHasCheckMark(u"\"!a\"まとめ"));
    EXPECT_FALSE(titleHasCheckMark(u"!まとめ"));
    EXPECT_TRUE(parsePageTitle(u"\"!\"x").hasCheckMark());
}

TEST(TitleSyntax, ParsedTitleComposesBackUnchanged)
{
    for (const QString &stored : {QStringLiteral("\"g.png\"国語#漢字&lt;1&gt;?読み方 "), QStringLiteral("A"),
                                  QStringLiteral("\"!\"X?y#z")}) {
        SCOPED_TRACE(stored.toStdString());
        EXPECT_EQ(composePageTitle(parsePageTitle(stored)), stored);
    }
}
