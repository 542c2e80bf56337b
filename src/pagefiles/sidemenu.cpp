#include "pagefiles/sidemenu.h"

#include "commands/texthelpers.h"

#include <QDir>
#include <QFileInfo>

namespace sorvek {

namespace {

const QString startMarker = QStringLiteral("<!--MENU_IN-->");
const QString endMarker = QStringLiteral("<!--MENU_OUT-->");
const QChar cr = QLatin1Char('\r');

const QString templateHead = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
    "<HTML>\r\n"
    "<HEAD>\r\n"
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
    "<META http-equiv=\"Content-Style-Type\" content=\"text/css\">\r\n"
    "<TITLE></TITLE>\r\n"
    "</HEAD>\r\n"
    "<BODY bgcolor=\"#ece9d7\" style=\"font-size : 8pt;\">\r\n"
    "<!--MENU_IN-->\r\n");
const QString templateTail = QStringLiteral("<!--MENU_OUT-->\r\n</BODY>\r\n</HTML>\r\n");

// A page without markers: they go in right after the BODY start tag and before its end tag.
SideMenuParts wrapBody(const QString &text)
{
    SideMenuParts parts;
    const qsizetype body = text.indexOf(QLatin1String("<BODY"), 0, Qt::CaseInsensitive);
    if (body < 0)
        return parts;  // new, region ""
    parts.isNew = false;
    const qsizetype close = text.indexOf(QLatin1Char('>'), body);
    const qsizetype contentAt = close < 0 ? text.size() : close + 1;
    parts.head = text.left(contentAt) + cr + startMarker + cr;
    qsizetype end = text.indexOf(QLatin1String("</BODY"), contentAt, Qt::CaseInsensitive);
    // A body without its end tag keeps its text in the region rather than losing it.
    if (end < 0)
        end = text.indexOf(QLatin1String("</HTML"), contentAt, Qt::CaseInsensitive);
    if (end < 0)
        end = text.size();
    parts.region = text.mid(contentAt, end - contentAt);
    parts.tail = endMarker + cr + text.mid(end);
    return parts;
}

bool isTrimmed(QChar c)
{
    return c.unicode() <= 0x20;
}

QString trimBlanksAndControls(const QString &line)
{
    qsizetype from = 0;
    qsizetype to = line.size();
    while (from < to && isTrimmed(line.at(from)))
        ++from;
    while (to > from && isTrimmed(line.at(to - 1)))
        --to;
    return line.mid(from, to - from);
}

} // namespace

QString sideMenuPath(const QString &bookFolder)
{
    return QDir::cleanPath(bookFolder) + QStringLiteral("/_index.html");
}

SideMenuParts splitSideMenu(const QString &text)
{
    QString rest = text;
    SideMenuParts parts;
    parts.isNew = false;
    const qsizetype start = rest.indexOf(startMarker);
    if (start >= 0) {
        parts.head = rest.left(start + startMarker.size());
        rest = rest.mid(start + startMarker.size());
    }
    const qsizetype end = rest.indexOf(endMarker);
    if (end >= 0) {
        parts.region = rest.left(end);
        parts.tail = rest.mid(end);
        rest = parts.tail;
    }
    if (start < 0)
        return wrapBody(rest);
    if (end < 0) {
        parts.region.clear();
        parts.tail = rest;
    }
    return parts;
}

SideMenuRead readSideMenu(const QString &path)
{
    SideMenuRead read;
    if (!QFileInfo::exists(path))
        return read;
    const ReadResult text = readPageToRewrite(path);
    if (!text.ok)
        return {false, text.error, {}};
    read.parts = splitSideMenu(text.text);
    return read;
}

QString sideMenuDialogText(const QString &region)
{
    const QString key = QStringLiteral("$DIR");
    if (!region.contains(key))
        return region;
    QString out;
    for (qsizetype at = region.indexOf(key); at >= 0;) {
        const qsizetype from = at + key.size();
        const qsizetype quote = region.indexOf(QLatin1Char('"'), from);
        out += region.mid(from, quote < 0 ? -1 : quote - from) + QLatin1Char('\n');
        if (quote < 0)
            break;
        at = region.indexOf(key, quote + 1);
    }
    return out;
}

QString sideMenuEntries(const QString &dialogText)
{
    QString entries;
    for (const QString &line : splitLines(dialogText)) {
        const QString name = trimBlanksAndControls(line);
        if (!name.isEmpty())
            entries += QStringLiteral("<P><A href=\"/$DIR ") + name + QStringLiteral("\">") + name
                       + QStringLiteral("</A></P>") + cr;
    }
    return entries;
}

QString composeSideMenu(const SideMenuParts &parts, const QString &dialogText)
{
    if (parts.isNew)
        return templateHead + sideMenuEntries(dialogText) + templateTail;
    return parts.head + sideMenuEntries(dialogText) + parts.tail;
}

WriteResult saveSideMenu(const QString &path, const SideMenuParts &parts, const QString &dialogText)
{
    return writePageText(path, composeSideMenu(parts, dialogText));
}

} // namespace sorvek
