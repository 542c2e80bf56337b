#include "authoring/notereader.h"

#include "authoring/concat.h"
#include "authoring/pagebreaks.h"
#include "commands/texthelpers.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace sorvek {
namespace {

constexpr char16_t kQuote = u'"';
const QString kLinkOpen = QStringLiteral("<A href=\"");
const QString kLinkClose = QStringLiteral("</A>");

qsizetype findAnyCase(QStringView text, QStringView needle, qsizetype from = 0)
{
    return text.indexOf(needle, from, Qt::CaseInsensitive);
}

// One element cut out of the note: its start tag and its raw content.
struct Element {
    qsizetype start = -1;
    QString startTag;
    QString content;
};

// Cuts the first element that opens with `open` (any case) and closes with `close` out of the
// note. An element without the ">" of its start tag or without its closing tag is left as it
// stands and not taken.
std::optional<Element> cutElement(QString &note, QStringView open, QStringView close, Qt::CaseSensitivity closeCase)
{
    const qsizetype start = findAnyCase(note, open);
    if (start < 0)
        return std::nullopt;
    const qsizetype tagEnd = note.indexOf(u'>', start);
    if (tagEnd < 0)
        return std::nullopt;
    const qsizetype closing = note.indexOf(close, tagEnd + 1, closeCase);
    if (closing < 0)
        return std::nullopt;
    const qsizetype closeEnd = note.indexOf(u'>', closing);
    const qsizetype end = closeEnd < 0 ? closing + close.size() : closeEnd + 1;
    Element element{start, note.sliced(start, tagEnd + 1 - start), note.sliced(tagEnd + 1, closing - tagEnd - 1)};
    note.remove(start, end - start);
    return element;
}

void readHeadings(QString &note, PageEditFields &f)
{
    if (const auto h1 = cutElement(note, u"<H1", u"</H1", Qt::CaseInsensitive)) {
        f.ETAGH1 = h1->startTag;
        f.Memo4 = flowTextFromPage(h1->content);
    }
    if (const auto h2 = cutElement(note, u"<H2", u"</H2", Qt::CaseInsensitive)) {
        f.ETAGH2 = h2->startTag;
        f.Memo5 = flowTextFromPage(h2->content);
        // Kept aside and written back between the headings, so it is no paragraph of the note
        // as well: read again it would be written a second time after the second heading.
        f.textBetweenHeadings = note.first(h2->start);
        note.remove(0, h2->start);
    }
}

// 'align="value"' from the TABLE start tag, or "" when it has no align with a quoted value.
QString tableAlignment(QStringView tag)
{
    const qsizetype align = tag.indexOf(u"align");
    const qsizetype open = align < 0 ? -1 : tag.indexOf(kQuote, align + 1);
    const qsizetype close = open < 0 ? -1 : tag.indexOf(kQuote, open + 1);
    if (close < 0)
        return QString();
    return concat({u"align=\"", tag.sliced(open + 1, close - open - 1), u"\""});
}

// Reads up to 78 cells of the table text into the fields; returns where the reading stopped.
qsizetype readCells(QStringView table, PageEditFields &f)
{
    qsizetype pos = 0;
    for (size_t cell = 0; cell < f.cells.size(); ++cell) {
        const qsizetype td = table.indexOf(u"<TD", pos);
        const qsizetype open = td < 0 ? -1 : table.indexOf(u'>', td);
        if (open < 0)
            break;
        const qsizetype close = table.indexOf(u"</TD", open + 1);
        // A cell without its closing tag keeps the rest of the table as its text.
        const qsizetype end = close < 0 ? table.size() : close;
        f.cells[cell] = cellTextFromPage(table.sliced(open + 1, end - open - 1));
        if (cell == 1)
            f.ETAGHYO1Tag = 1;
        pos = close < 0 ? table.size() : close + 1;
    }
    return pos;
}

void readTable(QString &note, PageEditFields &f)
{
    f.ETAGHYO1.clear();
    f.ETAGHYO1Tag = 0;
    const qsizetype start = note.indexOf(u"<TABLE");
    if (start < 0)
        return;
    const qsizetype tagEnd = note.indexOf(u'>', start);
    f.ETAGHYO1 = tableAlignment(QStringView(note).sliced(start + 1, (tagEnd < 0 ? note.size() : tagEnd + 1) - start - 1));
    const qsizetype closing = note.indexOf(u"</TABLE", start);
    const qsizetype tableEnd = closing < 0 ? note.size() : closing;
    const qsizetype closeEnd = closing < 0 ? -1 : note.indexOf(u'>', closing);
    const qsizetype after = closeEnd < 0 ? note.size() : closeEnd + 1;
    const QString table = cellTextFromPage(QStringView(note).sliced(start, tableEnd - start));
    const qsizetype stop = readCells(table, f);
    note = concat({QStringView(note).first(start), QStringView(table).sliced(stop), QStringView(note).sliced(after)});
}

// The link that wraps the whole content is taken off into Edit2 and Edit3. A link that stands
// elsewhere in the content stays where it is, so no character of the content is lost.
void readLink(QString &content, PageEditFields &f)
{
    f.Edit2.clear();
    f.Edit3.clear();
    if (!content.startsWith(kLinkOpen) || !content.endsWith(kLinkClose))
        return;
    const qsizetype targetEnd = content.indexOf(u"\">", kLinkOpen.size());
    if (targetEnd < 0)
        return;
    const qsizetype textStart = targetEnd + 2;
    if (content.indexOf(kLinkClose, textStart) != content.size() - kLinkClose.size())
        return;
    f.Edit2 = content.sliced(kLinkOpen.size(), targetEnd - kLinkOpen.size());
    f.Edit3 = content.sliced(textStart, content.size() - kLinkClose.size() - textStart);
    content = f.Edit3;
}

// Gname and the preview from the first double-quoted name of the content.
void readPictureName(PageEditFields &f, const QString &folder)
{
    f.Gname.clear();
    f.Image1Path.clear();
    const qsizetype open = f.Edit7.indexOf(kQuote);
    const qsizetype close = open < 0 ? -1 : f.Edit7.indexOf(kQuote, open + 1);
    if (close < 0)
        return;
    const QString name = toSlashes(f.Edit7.sliced(open + 1, close - open - 1));
    const qsizetype dot = name.lastIndexOf(u'.');
    if (name.isEmpty() || dot < 0 || dot < name.lastIndexOf(u'/'))
        return;
    // PNG, which books made here use most, is named and previewed like the older formats.
    const qsizetype known = QStringLiteral(".gif.jpeg.jpg.bmp.png").indexOf(name.sliced(dot).toLower());
    if (known < 0)
        return;
    f.Gname = name;
    // GIF pictures are named but not previewed.
    const QString path = linkedFileInFolder(folder, name);
    if (known >= 4 && QFileInfo(path).isFile())
        f.Image1Path = path;
}

bool isImageLinkContent(QStringView content)
{
    return content.contains(u"src=", Qt::CaseInsensitive) || content.contains(u"href=", Qt::CaseInsensitive);
}

void readImageLinkParagraph(const Element &paragraph, const QString &content, PageEditFields &f)
{
    f.ETAGSRC1 = paragraph.startTag;
    f.GX = quotedAttributeValue(content, u"width=");
    f.GY = quotedAttributeValue(content, u"height=");
    f.pictureSizeRead = true;
    QString rest = content;
    readLink(rest, f);
    f.Edit7 = rest;
}

void readTextParagraph(const Element &paragraph, const QString &content, PageEditFields &f)
{
    f.ETAGP1 = paragraph.startTag;
    f.Memo2 = content;
}

// The first paragraph is the image/link paragraph when it holds a picture or a link; an empty one
// stands for no picture. A first paragraph with text and neither is the text paragraph itself:
// dropping it would lose the author's text (a page with only a text paragraph, or one whose
// picture stands between the headings).
// Paragraphs close in any case: a page written with "</p>" would otherwise lose its text.
void readParagraphs(QString &note, PageEditFields &f)
{
    const auto first = cutElement(note, u"<P", u"</P", Qt::CaseInsensitive);
    if (!first)
        return;
    const QString content = flowTextFromPage(first->content);
    if (!isImageLinkContent(content)) {
        f.ETAGSRC1 = QStringLiteral("<P>");
        if (!content.isEmpty()) {
            readTextParagraph(*first, content, f);
            return;
        }
    } else {
        readImageLinkParagraph(*first, content, f);
    }
    if (const auto text = cutElement(note, u"<P", u"</P", Qt::CaseInsensitive))
        readTextParagraph(*text, flowTextFromPage(text->content), f);
}

} // namespace

QString quotedAttributeValue(QStringView text, QStringView name)
{
    const qsizetype at = findAnyCase(text, name);
    if (at < 0)
        return QString();
    const qsizetype open = at + name.size();
    if (open >= text.size() || text.at(open) != kQuote)
        return QString();
    const qsizetype close = text.indexOf(kQuote, open + 1);
    return close < 0 ? QString() : text.sliced(open + 1, close - open - 1).toString();
}

void readNoteSection(QString note, PageEditFields &f, const QString &folder)
{
    readHeadings(note, f);
    const QString paragraphTag = note.isEmpty() ? QStringLiteral("<P>") : QString();
    f.ETAGSRC1 = paragraphTag;
    f.ETAGP1 = paragraphTag;
    f.Edit7.clear();
    f.Edit2.clear();
    f.Edit3.clear();
    f.Memo2.clear();
    f.cells.fill(QString());
    readTable(note, f);
    readParagraphs(note, f);
    readPictureName(f, folder);
}

} // namespace sorvek
