#include "commands/texthelpers.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

struct TextCase {
    const char *name;
    QString (*op)(const QString &);
    const char *input;
    const char *expected;
};

class TextHelperTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextHelperTest, GivesTheExpectedText)
{
    const TextCase &c = GetParam();
    EXPECT_EQ(c.op(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected));
}

QString urlToLocal(const QString &s) { return urlToLocalPath(s); }

INSTANTIATE_TEST_SUITE_P(
    Helpers, TextHelperTest,
    ::testing::Values(
        TextCase{"SafeFileNameKeepsColonAndBackslash", &safeFileName, "a/b:c\\d", "a_b:c\\d"},
        TextCase{"SafeFileNameReplacesEveryUnsafeCharacter", &safeFileName, "'*?\"|/<>x", "________x"},
        TextCase{"DecodeSpacesOnlyDecodesBlank", &decodeSpaces, "a%20%20b", "a  b"},
        TextCase{"DecodeSpacesLeavesOtherEscapes", &decodeSpaces, "%2520", "%2520"},
        TextCase{"UrlFileNameAfterLastSlash", &urlFileName, "a/b/c.html", "c.html"},
        TextCase{"UrlFileNameOfFolderIsEmpty", &urlFileName, "a/b/", ""},
        TextCase{"UrlFileNameWithoutSlash", &urlFileName, "c.html", "c.html"},
        TextCase{"FolderPartKeepsSlash", &folderPart, "/a/b/c.html", "/a/b/"},
        TextCase{"FolderPartOfBareName", &folderPart, "name.html", ""},
        TextCase{"FolderNameOfFile", &folderName, "/a/b/c.html", "b"},
        TextCase{"FolderNameOfFolder", &folderName, "/a/b/", "b"},
        TextCase{"FolderNameWithoutSlash", &folderName, "c.html", ""},
        TextCase{"EscapeAngles", &escapeAngles, "<a>&", "&lt;a&gt;&"},
        TextCase{"UnescapeAnglesExactCase", &unescapeAngles, "&lt;b&gt; &LT;", "<b> &LT;"},
        TextCase{"ToSlashes", &toSlashes, "a\\b\\c", "a/b/c"},
        TextCase{"LocalFileUrl", &urlToLocal, "file:///home/ann/my%20page.html", "/home/ann/my page.html"},
        TextCase{"JapaneseFileUrl", &urlToLocal, "file:///home/ann/%E6%9C%AC/a.html", "/home/ann/本/a.html"},
        TextCase{"HttpIsNoLocalPath", &urlToLocal, "http://example.test/a.html", ""},
        TextCase{"HttpsIsNoLocalPath", &urlToLocal, "https://example.test/a.html", ""},
        TextCase{"PlainPathUnchanged", &urlToLocal, "/home/ann/x.html", "/home/ann/x.html"},
        TextCase{"DriveLetterPathUnchanged", &urlToLocal, "C:\\x.html", "C:\\x.html"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(TextHelpers, RepeatText)
{
    EXPECT_EQ(repeatText(QStringLiteral("ab"), 3), QStringLiteral("ababab"));
    EXPECT_EQ(repeatText(QStringLiteral("ab"), 0), QString());
    EXPECT_EQ(repeatText(QStringLiteral("ab"), -2), QString());
}

TEST(TextHelpers, WebAddressIsAnySchemeButFile)
{
    EXPECT_TRUE(isWebAddress(QStringLiteral("http://a.test/")));
    EXPECT_TRUE(isWebAddress(QStringLiteral("https://a.test/")));
    EXPECT_TRUE(isWebAddress(QStringLiteral("HTTPS://a.test/")));
    EXPECT_FALSE(isWebAddress(QStringLiteral("file:///a.html")));
    EXPECT_FALSE(isWebAddress(QStringLiteral("/home/a.html")));
    EXPECT_FALSE(isWebAddress(QStringLiteral("C:\\a.html")));
    EXPECT_FALSE(isWebAddress(QStringLiteral("a.html")));
}

TEST(TextHelpers, AbsoluteOrUrl)
{
    EXPECT_TRUE(isAbsoluteOrUrl(QStringLiteral("/home/a.html")));
    EXPECT_TRUE(isAbsoluteOrUrl(QStringLiteral("https://a.test")));
    EXPECT_TRUE(isAbsoluteOrUrl(QStringLiteral("C:\\old.html")));
    EXPECT_FALSE(isAbsoluteOrUrl(QStringLiteral("/$NEXT")));
    EXPECT_FALSE(isAbsoluteOrUrl(QStringLiteral("a.html")));
}

TEST(TextHelpers, ResolveLinkPath)
{
    const QString book = QStringLiteral("/home/ann/Book");
    EXPECT_EQ(resolveLinkPath(QStringLiteral("file:///home/ann/Book/a.png"), book), QStringLiteral("/home/ann/Book/a.png"));
    EXPECT_EQ(resolveLinkPath(QStringLiteral("file:///tmp/x.png"), book), QStringLiteral("/tmp/x.png"));
    EXPECT_EQ(resolveLinkPath(QStringLiteral("file:///tmp/a/../my%20x.png"), book), QStringLiteral("/tmp/my x.png"));
    EXPECT_EQ(resolveLinkPath(QStringLiteral("/img.png"), book), QStringLiteral("/home/ann/Book/img.png"));
    EXPECT_EQ(resolveLinkPath(QStringLiteral("./x.png"), book), QStringLiteral("/home/ann/Book/x.png"));
    EXPECT_EQ(resolveLinkPath(QStringLiteral("../x.png"), book), QStringLiteral("/home/ann/x.png"));
    EXPECT_EQ(resolveLinkPath(QStringLiteral("pics\\x.png"), book), QStringLiteral("pics/x.png"));
}

struct PadCase {
    const char *name;
    QString text;
    int n;
    QString expected;
};

class PadCaptionTest : public ::testing::TestWithParam<PadCase> {};

TEST_P(PadCaptionTest, PadsAndCuts)
{
    const PadCase &c = GetParam();
    EXPECT_EQ(padCaption(c.text, c.n), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, PadCaptionTest,
    ::testing::Values(
        PadCase{"ShortTextPadded", QStringLiteral("ABC"), 16, QStringLiteral("ABC") + QString(10, QLatin1Char(' '))},
        PadCase{"LongTextNoPad", QStringLiteral("ABCDEFGHIJ"), 16, QStringLiteral("ABCDEFGHIJ")},
        PadCase{"CutAtTwentyWhenNotLead", QStringLiteral("0123456789012345678A01234"), 16,
                QStringLiteral("0123456789012345678A")},
        // U+3081 has the low byte 0x81, a code page 932 lead byte: one more unit is kept.
        PadCase{"LeadByteKeepsOneMore", QStringLiteral("0123456789012345678") + QChar(0x3081) + QStringLiteral("B1234"), 16,
                QStringLiteral("0123456789012345678") + QChar(0x3081) + QStringLiteral("B")},
        PadCase{"LowByteE0IsLead", QString(19, QLatin1Char('x')) + QChar(0x30E0) + QStringLiteral("yz"), 0,
                QString(19, QLatin1Char('x')) + QChar(0x30E0) + QStringLiteral("y")},
        PadCase{"LowByteA0IsNotLead", QString(19, QLatin1Char('x')) + QChar(0x30A0) + QStringLiteral("yz"), 0,
                QString(19, QLatin1Char('x')) + QChar(0x30A0)}),
    [](const auto &row) { return std::string(row.param.name); });

// Page bytes as the editor reads them: the encoding from the bytes and the declaration.
struct DecodeCase {
    const char *name;
    QByteArray bytes;
    QString text;
    bool declaresShiftJis;
};

QByteArray sjis(const char *head, const char16_t *body)
{
    QStringEncoder encoder("windows-31j");
    return QByteArray(head) + QByteArray(encoder.encode(QString::fromUtf16(body)));
}

class DecodePageBytes : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodePageBytes, ReadsTheTextAndTheDeclaration)
{
    const DecodedPage page = decodePageBytes(GetParam().bytes);
    EXPECT_EQ(page.text, GetParam().text);
    EXPECT_EQ(page.declaresShiftJis, GetParam().declaresShiftJis);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, DecodePageBytes,
    ::testing::Values(
        DecodeCase{"x_sjis", sjis("<META charset=x-sjis>", u"日本"), QString::fromUtf16(u"<META charset=x-sjis>日本"), true},
        DecodeCase{"quoted_windows_31j", sjis("<META charset=\"Windows-31J\">", u"語"), QString::fromUtf16(u"<META charset=\"Windows-31J\">語"), true},
        DecodeCase{"undeclared_shift_jis_bytes", sjis("<P>", u"かな"), QString::fromUtf16(u"<P>かな"), false},
        DecodeCase{"utf8_declared_shift_jis", QByteArray("<META charset=Shift_JIS>\xE6\x97\xA5"), QString::fromUtf16(u"<META charset=Shift_JIS>日"), true},
        DecodeCase{"bom_is_utf8", QByteArray("\xEF\xBB\xBF" "<META charset=UTF-8>\xE6\x97\xA5"), QString::fromUtf16(u"<META charset=UTF-8>日"), false},
        DecodeCase{"other_charset_stays_utf8", QByteArray("<META charset=EUC-JP>a"), QStringLiteral("<META charset=EUC-JP>a"), false}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(DeclareUtf8, ReplacesTheCharsetValueOnly)
{
    EXPECT_EQ(declareUtf8(QStringLiteral("<META content=\"text/html; charset=MS932\">")), QStringLiteral("<META content=\"text/html; charset=UTF-8\">"));
    EXPECT_EQ(declareUtf8(QStringLiteral("<P>")), QStringLiteral("<P>"));
}

} // namespace
