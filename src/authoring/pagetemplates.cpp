#include "authoring/pagetemplates.h"

#include "app/bookfolder.h"
#include "authoring/pageformat.h"
#include "authoring/styleblock.h"
#include "commands/texthelpers.h"

namespace sorvek {

using pageformat::kCr;

namespace {

constexpr int kNotebookStyle = 1;
constexpr int kContentsStyle = 3;

// Windows file names never held a double quote; Linux ones may, and it would end the attribute.
QString attribute(const QString &value)
{
    return escapeAngles(value).replace(QLatin1Char('"'), QStringLiteral("&quot;"));
}

QString headerThroughHeaderRegion()
{
    return pageformat::kHeaderIn + kCr + pageformat::kHeaderOut + kCr;
}

QString footerToEnd()
{
    return pageformat::kFooterIn + kCr + pageformat::kFooterOut + kCr + pageformat::pageEnd();
}

QString sizeAttribute(const char16_t *name, const QString &value)
{
    if (value.isEmpty())
        return QString();
    return QLatin1Char(' ') + QString::fromUtf16(name) + QStringLiteral("=\"") + attribute(value) + QLatin1Char('"');
}

} // namespace

QString logoPluginPage()
{
    return webAddresses().base + QStringLiteral("/plugin");
}

QString imagePageText(const PictureTemplate &page)
{
    QString text = pageformat::buildPageHead(escapeAngles(page.title), buildStyleBlock(kContentsStyle));
    text += headerThroughHeaderRegion() + pageformat::kNoteIn;
    if (!page.heading.isEmpty())
        text += QStringLiteral("<H2>") + escapeAngles(page.heading) + QStringLiteral("</H2>");
    text += kCr;
    text += QStringLiteral("<P align=center><IMG src=\"") + attribute(page.source) + QLatin1Char('"');
    text += sizeAttribute(u"width", page.width) + sizeAttribute(u"height", page.height);
    text += QStringLiteral(" align=\"center\"></P>");
    text += QStringLiteral("<P></P>") + pageformat::kNoteOut + kCr + footerToEnd();
    return text;
}

QString logoPageText(const PictureTemplate &page, const QString &pluginPage)
{
    const QString style = page.heading.isEmpty() ? QString(kCr) : buildStyleBlock(kContentsStyle);
    const QString source = attribute(page.source);
    const QString size = QStringLiteral(" width=\"") + attribute(page.width) + QStringLiteral("\" height=\"")
        + attribute(page.height) + QLatin1Char('"');
    QString text = pageformat::buildPageHead(escapeAngles(page.title), style);
    text += headerThroughHeaderRegion();
    text += pageformat::kNoteIn + QStringLiteral("<H2>") + escapeAngles(page.heading) + QStringLiteral("</H2>")
        + pageformat::kNoteOut;
    text += kCr + QStringLiteral("<DIV ALIGN=\"center\">") + kCr;
    text += QStringLiteral("<OBJECT classid=\"CLSID:D467AA06-E4F1-454C-B08C-916996C09579\"") + size + QLatin1Char('>')
        + kCr;
    text += QStringLiteral("<PARAM name=\"URL\" value=\"") + source + QStringLiteral("\">") + kCr;
    text += QStringLiteral("<EMBED src=\"") + source
        + QStringLiteral("\" type=\"application/x-mw2-plugin\" pluginspage=\"") + attribute(pluginPage)
        + QLatin1Char('"') + size + QStringLiteral("></EMBED>") + kCr;
    text += QStringLiteral("</OBJECT>") + kCr + QStringLiteral("</DIV>") + kCr + footerToEnd();
    return text;
}

QString fileLinkPageText(const LinkTemplate &page)
{
    QString text = pageformat::buildPageHead(escapeAngles(page.title), buildStyleBlock(kNotebookStyle));
    text += headerThroughHeaderRegion();
    text += pageformat::kNoteIn + QStringLiteral("<H2>") + escapeAngles(page.heading) + QStringLiteral("</H2>") + kCr;
    text += QStringLiteral("<P><A href=\"") + attribute(page.target) + QStringLiteral("\">") + escapeAngles(page.title)
        + QStringLiteral("</A></P>");
    text += pageformat::kNoteOut + kCr + footerToEnd();
    return text;
}

QString newPageSkeleton(const QString &title)
{
    return pageformat::buildPageHead(escapeAngles(title), buildStyleBlock(kNotebookStyle), true)
        + headerThroughHeaderRegion() + footerToEnd();
}

WriteResult saveImagePage(const QString &file, const PictureTemplate &page)
{
    return writePageText(file, imagePageText(page));
}

WriteResult saveLogoPage(const QString &file, const PictureTemplate &page)
{
    return writePageText(file, logoPageText(page));
}

WriteResult saveFileLinkPage(const QString &file, const LinkTemplate &page)
{
    return writePageText(file, fileLinkPageText(page));
}

} // namespace sorvek
