#include "authoring/styleblock.h"

#include "authoring/pageformat.h"

#include <array>

namespace sorvek {
namespace {

// One row of the style table; an empty value means the line is not written.
struct StyleValues {
    const char16_t *name;
    const char16_t *bodyColor;
    const char16_t *h1Color;
    const char16_t *h1Back;
    const char16_t *h1Size;
    const char16_t *h1Border;
    const char16_t *h1BorderColor;
    const char16_t *h2Size;
    const char16_t *h2Rule;
    const char16_t *h2Color;
    const char16_t *textColor;
    const char16_t *textSize;
};

constexpr std::array<StyleValues, 5> kStyles{{
    {u"設定無し", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u""},
    {u"ノート", u"", u"white;", u"#1faf9a;", u"6mm", u"none none none none;", u"", u"4mm", u"#1faf9a;",
     u"#1faf9a;", u"black;", u"4mm"},
    {u"スクリーン", u"#ffffff", u"white;", u"#1faf9a;", u"7mm", u"none none none none;", u"", u"6mm",
     u"#1faf9a;", u"#1faf9a;", u"black;", u"6mm"},
    {u"目次", u"#ccfdfc", u"black;", u"#4ef8f3;", u"8mm", u"double double double double;",
     u"border-color :navy navy navy navy;", u"7mm", u"white;", u"black;", u"black;", u"7mm"},
    {u"表紙", u"#bacdfa", u"white;", u"#8c8cff;", u"9mm", u"outset outset outset outset;",
     u"border-color : white white white white;", u"7mm", u"white;", u"black;", u"black;", u"7mm"},
}};

QString text(const char16_t *s)
{
    return QString::fromUtf16(s);
}

void appendRule(QStringList &lines, const QString &selector, const StyleValues &v)
{
    lines << selector + u'{' << QStringLiteral("color :  ") + text(v.textColor)
          << QStringLiteral("font-size :") + text(v.textSize) + u';' << QStringLiteral("line-height : 1.3em;")
          << QStringLiteral("}");
}

} // namespace

QStringList styleBlockLines(int style)
{
    if (style <= kMinPageStyle || style > kMaxPageStyle)
        return {};
    const StyleValues &v = kStyles[static_cast<size_t>(style)];
    QStringList lines{pageformat::kStyleIn, QStringLiteral("<STYLE type=\"text/css\">")};
    if (*v.bodyColor)
        lines << QStringLiteral("BODY{background : ") + text(v.bodyColor)
                + QStringLiteral("} a:link{color : #990099} b:vlink{color : #990000}");
    lines << QStringLiteral("<!--") << QStringLiteral("H1{") << QStringLiteral("color : ") + text(v.h1Color)
          << QStringLiteral("background-color : ") + text(v.h1Back)
          << QStringLiteral("font-size :") + text(v.h1Size) + u';'
          << QStringLiteral("border-style : ") + text(v.h1Border);
    if (*v.h1BorderColor)
        lines << text(v.h1BorderColor);
    lines << QStringLiteral("padding-top : 10px;") << QStringLiteral("padding-left : 10px;")
          << QStringLiteral("padding-right : 10px;") << QStringLiteral("padding-bottom : 10px;")
          << QStringLiteral("}") << QStringLiteral("H2{")
          << QStringLiteral("font-size :") + text(v.h2Size)
                + QStringLiteral(";border-style : none none inset none;")
          << QStringLiteral("border-bottom-color :  ") + text(v.h2Rule)
          << QStringLiteral("color :  ") + text(v.h2Color) << QStringLiteral("}");
    appendRule(lines, QStringLiteral("P"), v);
    appendRule(lines, QStringLiteral("TABLE"), v);
    lines << QStringLiteral("-->") << QStringLiteral("</STYLE>") << pageformat::kStyleOut;
    return lines;
}

QString buildStyleBlock(int style)
{
    return styleBlockLines(style).join(QChar(pageformat::kCr));
}

QString pageStyleName(int style)
{
    if (style < kMinPageStyle || style > kMaxPageStyle)
        return {};
    return text(kStyles[static_cast<size_t>(style)].name);
}

int pageStyleFromStyleText(QStringView styleText)
{
    const qsizetype cut = styleText.indexOf(u"mm;");
    if (cut < 0)
        return 0;
    const QStringView head = styleText.first(cut + 3);
    int style = 0;
    if (head.contains(u"9mm"))
        style = 4;
    if (head.contains(u"8mm"))
        style = 3;
    if (head.contains(u"7mm"))
        style = 2;
    if (head.contains(u"6mm"))
        style = 1;
    return style;
}

int pageStyleOfPage(QStringView page)
{
    const auto content = pageformat::regionContent(page, pageformat::kStyleIn, pageformat::kStyleOut);
    return content ? pageStyleFromStyleText(*content) : 0;
}

} // namespace sorvek
