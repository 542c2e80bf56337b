#include "editor/editortext.h"

#include "commands/texthelpers.h"

namespace sorvek::editortext {

namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kClose = QLatin1Char('>');

QString trimmedRight(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// The attribute name where it stands as an attribute: after a blank and before "=". A bare text
// search would also hit a picture named "width.png" and tear the tag apart.
qsizetype findAttribute(const QString &tag, const QString &name)
{
    const QString withEquals = name + QLatin1Char('=');
    for (qsizetype at = tag.indexOf(withEquals); at >= 0; at = tag.indexOf(withEquals, at + 1)) {
        if (at > 0 && isBlank(tag.at(at - 1)))
            return at;
    }
    return -1;
}

// Where the text after an attribute's value begins: after its closing quote, or for an unquoted
// value at the next blank or ">".
qsizetype endOfValue(const QString &tag, qsizetype valueStart)
{
    if (valueStart < tag.size() && tag.at(valueStart) == kQuote) {
        const qsizetype closing = tag.indexOf(kQuote, valueStart + 1);
        if (closing >= 0)
            return closing + 1;
        const qsizetype gt = tag.indexOf(kClose, valueStart);
        return gt >= 0 ? gt : tag.size();
    }
    qsizetype end = valueStart;
    while (end < tag.size() && !isBlank(tag.at(end)) && tag.at(end) != kClose)
        ++end;
    return end;
}

QString alignWord(PicturePlace place)
{
    switch (place) {
    case PicturePlace::Left:
        return QStringLiteral("left");
    case PicturePlace::Right:
        return QStringLiteral("right");
    default:
        return QStringLiteral("center");
    }
}

QString quoted(const QString &name, const QString &value)
{
    return name + QStringLiteral("=\"") + value + kQuote;
}

ImageTags placeImage(const ImageTags &tags, const QString &paragraphAlign, PicturePlace place,
                     const QString &width, const QString &height)
{
    ImageTags result;
    result.paragraphTag = setTagAttribute(tags.paragraphTag, paragraphAlign);
    QString content = setTagAttribute(tags.content, quoted(QStringLiteral("align"), alignWord(place)));
    content = setTagAttribute(content, quoted(QStringLiteral("width"), width));
    result.content = setTagAttribute(content, quoted(QStringLiteral("height"), height));
    return result;
}

} // namespace

QString setTagAttribute(const QString &tag, const QString &attr)
{
    const qsizetype gt = tag.indexOf(kClose);
    if (gt < 0)
        return QString();
    if (attr.isEmpty()) {
        QString head = tag.left(gt);
        const qsizetype align = head.indexOf(QStringLiteral("align="), 0, Qt::CaseInsensitive);
        if (align >= 0)
            head.truncate(align);
        return trimmedRight(head) + tag.mid(gt);
    }
    // An attr without "=" (or without a name) names no attribute: the tag stays.
    const qsizetype eq = attr.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return tag;
    const QString name = attr.left(eq);
    const QString value = attr.mid(eq + 1);
    QString head;
    QString tail;
    const qsizetype at = findAttribute(tag, name);
    if (at >= 0) {
        head = tag.left(at);
        tail = tag.mid(endOfValue(tag, at + name.size() + 1));
    } else {
        head = trimmedRight(tag.left(gt)) + QLatin1Char(' ');
        tail = tag.mid(gt);
    }
    if (value == QStringLiteral("\"\""))
        return head + tail;
    return head + name + QLatin1Char('=') + value + tail;
}

QString tagSrc(const QString &tag)
{
    const qsizetype at = tag.indexOf(QStringLiteral("src="), 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    const qsizetype valueStart = at + 4;
    if (valueStart < tag.size() && tag.at(valueStart) != kQuote) {
        // An unquoted value (pages from elsewhere) ends at a blank or ">".
        return tag.mid(valueStart, endOfValue(tag, valueStart) - valueStart);
    }
    const qsizetype closing = tag.indexOf(kQuote, valueStart + 1);
    if (closing < 0)
        return QString();
    return tag.mid(valueStart + 1, closing - valueStart - 1);
}

QString defaultImageName(const QString &pagePath)
{
    const QString fileName = urlFileName(pagePath);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot >= 0 ? fileName.left(dot) : fileName;
    QString name = base;
    const qsizetype underscore = base.indexOf(QLatin1Char('_'));
    if (underscore >= 0)
        name = base.mid(underscore + 1);
    if (name.isEmpty())
        name = base;
    return name + QStringLiteral(".bmp");
}

TagAlignment tagAlignment(const QString &tag)
{
    const QString lower = tag.toLower();
    return {lower.contains(QStringLiteral("left")), lower.contains(QStringLiteral("center")),
            lower.contains(QStringLiteral("right"))};
}

PicturePlace picturePlaceForMode(int panelMode)
{
    if (panelMode < 2)
        return PicturePlace::Centre;
    return panelMode == 2 ? PicturePlace::Left : PicturePlace::Right;
}

QString pictureTag(const QString &name, const QString &width, const QString &height, PicturePlace place,
                   bool spacing)
{
    const QString spacingText = spacing ? QStringLiteral(" vspace=\"4\" hspace=\"4\"") : QString();
    return QStringLiteral("<IMG src=\"") + name + QStringLiteral("\" width=\"") + width + QStringLiteral("\" height=\"")
           + height + kQuote + spacingText + QStringLiteral(" align=\"") + alignWord(place) + QStringLiteral("\">");
}

QString defaultPictureTag(const QString &name)
{
    return pictureTag(name, QStringLiteral("740"), QStringLiteral("600"), PicturePlace::Centre, true);
}

ImageTags tagsForLayout(LayoutMode mode, const ImageTags &tags)
{
    switch (mode) {
    case LayoutMode::TextOnly:
        return {};
    case LayoutMode::Table:
        return tags;
    case LayoutMode::ImageCentre:
        return placeImage(tags, quoted(QStringLiteral("align"), QStringLiteral("center")), PicturePlace::Centre,
                          QStringLiteral("740"), QStringLiteral("600"));
    case LayoutMode::ImageLeft:
        return placeImage(tags, QString(), PicturePlace::Left, QStringLiteral("370"), QStringLiteral("300"));
    case LayoutMode::ImageRight:
        return placeImage(tags, QString(), PicturePlace::Right, QStringLiteral("370"), QStringLiteral("300"));
    }
    return tags;
}

QList<LayoutMode> imageLayoutsForTags(const ImageTags &tags)
{
    const QString content = tags.content.toLower();
    QList<LayoutMode> layouts;
    if (content.contains(QStringLiteral("\"left\"")))
        layouts.append(LayoutMode::ImageLeft);
    if (content.contains(QStringLiteral("\"center\"")))
        layouts.append(LayoutMode::ImageCentre);
    if (content.contains(QStringLiteral("\"right\"")))
        layouts.append(LayoutMode::ImageRight);
    if (layouts.isEmpty() && !tagSrc(tags.content).isEmpty() && tagAlignment(tags.paragraphTag).center)
        layouts.append(LayoutMode::ImageCentre);
    return layouts;
}

QString pictureTagForSave(const QString &content, bool sizeKnown, const QString &width, const QString &height)
{
    QString tag = content;
    for (const auto &[name, value] : {std::pair{QStringLiteral("width"), width}, std::pair{QStringLiteral("height"), height}}) {
        // Removing an attribute the tag does not have leaves the tag as it is.
        if (sizeKnown || findAttribute(tag, name) >= 0)
            tag = setTagAttribute(tag, quoted(name, sizeKnown ? value : QString()));
    }
    return tag;
}

QString pictureNameInFolder(const QString &path, const QString &folder)
{
    if (!folder.isEmpty() && path.startsWith(folder) && path.size() > folder.size())
        return path.mid(folder.size());
    return urlFileName(path);
}

QString linkTargetForFile(const QString &path, const QString &folder)
{
    // Only a leading folder makes the path relative; the folder's text elsewhere in a path says nothing.
    if (!folder.isEmpty() && path.startsWith(folder))
        return path.mid(folder.size());
    return path;
}

QString headingStartTag(int level, const QString &align)
{
    return QStringLiteral("<H") + QString::number(level) + QLatin1Char(' ') + alignAttribute(align) + kClose;
}

QString paragraphStartTag(const QString &align)
{
    return QStringLiteral("<P ") + alignAttribute(align) + kClose;
}

QString alignAttribute(const QString &align)
{
    return quoted(QStringLiteral("align"), align);
}

QString textAlignForTable(const QString &tableAlign)
{
    return tableAlign == QStringLiteral("right") ? QStringLiteral("left") : tableAlign;
}

QString wrapSelection(Wrapping wrapping, const QString &selected)
{
    switch (wrapping) {
    case Wrapping::Red:
        return QStringLiteral("<font color=\"#ff0000\">") + selected + QStringLiteral("</font>");
    case Wrapping::Strong:
        return QStringLiteral("<strong>") + selected + QStringLiteral("</strong>");
    case Wrapping::Underline:
        return QStringLiteral("<u>") + selected + QStringLiteral("</u>");
    }
    return selected;
}

QString linkAroundSelection(const QString &selected, const QString &href)
{
    return QStringLiteral("<A href=\"") + href + QStringLiteral("\">") + selected + QStringLiteral("</A>");
}

QString memoFilePath(const QString &caption, const QString &folder)
{
    const QString captionFolder = folderPart(caption);
    return (captionFolder.isEmpty() ? folder : captionFolder) + QStringLiteral("Edit.txt");
}

QString withDefaultPageSuffix(const QString &path)
{
    if (path.isEmpty() || urlFileName(path).contains(QLatin1Char('.')))
        return path;
    return path + QStringLiteral(".html");
}

int sizeFieldValue(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 0 ? value : 0;
}

QString memoTextForField(const QString &pageText)
{
    QString text = pageText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QString memoTextForPage(const QString &fieldText)
{
    QString text = fieldText;
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

} // namespace sorvek::editortext
