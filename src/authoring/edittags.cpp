#include "authoring/edittags.h"

#include "authoring/concat.h"

namespace sorvek {
namespace {

constexpr char16_t kQuote = u'"';

bool isBlank(QChar c)
{
    return c.unicode() <= u' ';
}

QStringView withoutTrailingBlanks(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && isBlank(text.at(end - 1)))
        --end;
    return text.first(end);
}

// The first place where name stands as an attribute name: after a blank and followed by "=".
// A name inside another attribute's value or name ("src="width.gif"", "valign") is passed over.
qsizetype findAttribute(QStringView text, QStringView name, Qt::CaseSensitivity cs, qsizetype end)
{
    if (name.isEmpty())
        return -1;
    for (qsizetype pos = text.indexOf(name, 0, cs); pos >= 0 && pos < end;
         pos = text.indexOf(name, pos + 1, cs)) {
        const qsizetype after = pos + name.size();
        if (pos > 0 && isBlank(text.at(pos - 1)) && after < text.size() && text.at(after) == u'=')
            return pos;
    }
    return -1;
}

// Where the value of an attribute that starts at valueStart ends (one past it): after its closing
// quote, or, for an unquoted or unclosed value, at the next blank or ">".
qsizetype valueEnd(QStringView text, qsizetype valueStart)
{
    if (valueStart < text.size() && text.at(valueStart) == kQuote) {
        const qsizetype closing = text.indexOf(kQuote, valueStart + 1);
        if (closing >= 0)
            return closing + 1;
    }
    qsizetype end = valueStart;
    while (end < text.size() && !isBlank(text.at(end)) && text.at(end) != u'>')
        ++end;
    return end;
}

QString removeAlignAndAfter(const QString &tag, qsizetype close)
{
    QStringView before = QStringView(tag).first(close);
    const qsizetype align = findAttribute(before, u"align", Qt::CaseInsensitive, before.size());
    if (align >= 0)
        before = before.first(align);
    return concat({withoutTrailingBlanks(before), QStringView(tag).sliced(close)});
}

QString imageTag(const QString &name, const QString &width, const QString &height, int panelTag,
                 QStringView spacing)
{
    const QStringView align = panelTag < 2 ? u"center" : (panelTag == 2 ? u"left" : u"right");
    return concat({u"<IMG src=\"", name, u"\" width=\"", width, u"\" height=\"", height, u"\"", spacing,
                   u" align=\"", align, u"\">"});
}

} // namespace

QString setTagAttribute(const QString &tag, const QString &attr)
{
    const qsizetype close = tag.indexOf(u'>');
    if (close < 0)
        return QString();
    if (attr.isEmpty())
        return removeAlignAndAfter(tag, close);
    const qsizetype equals = attr.indexOf(u'=');
    if (equals <= 0)
        return tag;
    const QStringView name = QStringView(attr).first(equals);
    const QStringView value = QStringView(attr).sliced(equals + 1);
    const QStringView text(tag);
    QStringView head;
    QStringView tail;
    const qsizetype found = findAttribute(text, name, Qt::CaseSensitive, text.size());
    if (found >= 0) {
        head = text.first(found);
        tail = text.sliced(valueEnd(text, found + name.size() + 1));
    } else {
        head = withoutTrailingBlanks(text.first(close));
        tail = text.sliced(close);
    }
    const QString headText = found >= 0 ? head.toString() : concat({head, u" "});
    if (value == u"\"\"")
        return concat({headText, tail});
    return concat({headText, name, u"=", value, tail});
}

QString getTagSrc(QStringView tag)
{
    const qsizetype src = tag.indexOf(u"src=", 0, Qt::CaseInsensitive);
    if (src < 0)
        return QString();
    const qsizetype start = src + 5; // "src=" and the opening quote
    if (start > tag.size())
        return QString();
    const qsizetype closing = tag.indexOf(kQuote, start);
    if (closing < 0)
        return QString();
    return tag.sliced(start, closing - start).toString();
}

QString defaultImageName(const QString &pagePath)
{
    const QStringView fileName = QStringView(pagePath).sliced(pagePath.lastIndexOf(u'/') + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QStringView base = dot >= 0 ? fileName.first(dot) : fileName;
    QStringView name = base.sliced(base.indexOf(u'_') + 1);
    if (name.isEmpty())
        name = base;
    return concat({name, u".bmp"});
}

TagAlignments alignmentsInTag(QStringView tag)
{
    return {tag.contains(u"left", Qt::CaseInsensitive), tag.contains(u"center", Qt::CaseInsensitive),
            tag.contains(u"right", Qt::CaseInsensitive)};
}

TagAlignments quotedAlignmentsInTag(QStringView content)
{
    return {content.contains(u"\"left\"", Qt::CaseInsensitive),
            content.contains(u"\"center\"", Qt::CaseInsensitive),
            content.contains(u"\"right\"", Qt::CaseInsensitive)};
}

ImageParagraphTags applyImageLayoutTags(ImageLayout layout, const ImageParagraphTags &tags)
{
    ImageParagraphTags out;
    const bool centre = layout == ImageLayout::Centre;
    out.ETAGSRC1 = setTagAttribute(tags.ETAGSRC1, centre ? QStringLiteral("align=\"center\"") : QString());
    const QString align = centre ? QStringLiteral("align=\"center\"")
                                 : (layout == ImageLayout::Left ? QStringLiteral("align=\"left\"")
                                                                : QStringLiteral("align=\"right\""));
    out.Edit7 = setTagAttribute(tags.Edit7, align);
    out.Edit7 = setTagAttribute(out.Edit7, centre ? QStringLiteral("width=\"740\"") : QStringLiteral("width=\"370\""));
    out.Edit7 = setTagAttribute(out.Edit7, centre ? QStringLiteral("height=\"600\"") : QStringLiteral("height=\"300\""));
    return out;
}

QString defaultImageTag(const QString &imageName)
{
    return concat({u"<IMG src=\"", imageName,
                   u"\" width=\"740\" height=\"600\" vspace=\"4\" hspace=\"4\" align=\"center\">"});
}

QString loadedImageTag(const QString &imageName, const QString &width, const QString &height, int panelTag)
{
    return imageTag(imageName, width, height, panelTag, u" vspace=\"4\" hspace=\"4\"");
}

QString chosenImageTag(const QString &imageName, const QString &width, const QString &height, int panelTag)
{
    return imageTag(imageName, width, height, panelTag, u"");
}

QString imageTagForSaving(const QString &edit7, bool sizeKnown, const QString &gx, const QString &gy)
{
    if (!sizeKnown)
        return setTagAttribute(setTagAttribute(edit7, QStringLiteral("width=\"\"")), QStringLiteral("height=\"\""));
    const QString withWidth = setTagAttribute(edit7, concat({u"width=\"", gx, u"\""}));
    return setTagAttribute(withWidth, concat({u"height=\"", gy, u"\""}));
}

QString linkTargetForFile(const QString &path, const QString &folder)
{
    if (!folder.isEmpty() && path.startsWith(folder, Qt::CaseSensitive))
        return path.sliced(folder.size());
    return path;
}

} // namespace sorvek
