#include "authoring/notereader.h"

#include "authoring/concat.h"
#include "authoring/pagebreaks.h"
#include "authoring/pageformat.h"
#include "authoring/pagewriter.h"
#include "commands/texthelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <vector>

#include <optional>

namespace sorvek {
namespace {

constexpr char16_t kQuote = u'"';
const QString kLinkOpen = QStringLiteral("<A href=\"");
const QString kLinkClose = QStringLiteral("</A>");
constexpr QStringView kCrLfView = u"\r\n";

qsizetype findAnyCase(QStringView text, QStringView needle, qsizetype from = 0)
{
    return text.indexOf(needle, from, Qt::CaseInsensitive);
}

// An element of the note that the editor may take into a field: an H1, H2, P or TABLE element at
// the top level of the note, with its closing tag.
struct Element {
    QString name;  // upper case
    qsizetype start = -1;
    qsizetype tagEnd = -1;  // the ">" of the start tag
    qsizetype closing = -1; // the "</" of the closing tag
    qsizetype end = -1;     // just after the closing tag

    QStringView startTag(QStringView note) const { return note.sliced(start, tagEnd + 1 - start); }
    QStringView content(QStringView note) const { return note.sliced(tagEnd + 1, closing - tagEnd - 1); }
};

using pageformat::tagNameAt;

// Elements whose content stays with them: the editor takes nothing out of a script, a list, a
// preformatted block or a table, and no paragraph of it is read as one of the page's paragraphs.
// Without its closing tag such an element is a start tag only; a script without one runs to the end.
const QStringList kRawTextElements{QStringLiteral("SCRIPT"),   QStringLiteral("STYLE"),   QStringLiteral("XMP"),
                                   QStringLiteral("TEXTAREA"), QStringLiteral("LISTING"), QStringLiteral("PLAINTEXT")};
const QStringList kWholeElements{QStringLiteral("PRE"),    QStringLiteral("TABLE"),    QStringLiteral("UL"),
                                 QStringLiteral("OL"),     QStringLiteral("DL"),       QStringLiteral("MENU"),
                                 QStringLiteral("DIR"),    QStringLiteral("SELECT"),   QStringLiteral("OBJECT"),
                                 QStringLiteral("IFRAME"), QStringLiteral("NOSCRIPT"), QStringLiteral("H1"),
                                 QStringLiteral("H2"),     QStringLiteral("P")};

// The top-level elements of a note text, in order. Scans the text once: a closing tag looked for
// in vain is not looked for again further on.
class NoteScanner {
public:
    explicit NoteScanner(QStringView note) : note_(note) {}

    std::vector<Element> elements()
    {
        std::vector<Element> found;
        qsizetype pos = 0;
        qsizetype lt = -1;
        while ((lt = note_.indexOf(u'<', pos)) >= 0) {
            if (note_.sliced(lt).startsWith(u"<!--")) {
                const qsizetype commentEnd = note_.indexOf(u"-->", lt + 4);
                if (commentEnd < 0)
                    break;
                pos = commentEnd + 3;
                continue;
            }
            const QString name = tagNameAt(note_, lt + 1).toString().toUpper();
            const qsizetype tagEnd = name.isEmpty() ? -1 : note_.indexOf(u'>', lt);
            const bool raw = kRawTextElements.contains(name);
            if (tagEnd < 0 || (!raw && !kWholeElements.contains(name))) {
                if (!name.isEmpty() && tagEnd < 0)
                    break;
                pos = name.isEmpty() ? lt + 1 : tagEnd + 1;
                continue;
            }
            const qsizetype closing = findClosing(name, tagEnd + 1);
            if (closing < 0) {
                if (raw)
                    break;
                pos = tagEnd + 1;
                continue;
            }
            const qsizetype closeEnd = note_.indexOf(u'>', closing);
            const qsizetype end = closeEnd < 0 ? note_.size() : closeEnd + 1;
            found.push_back(Element{name, lt, tagEnd, closing, end});
            pos = end;
        }
        return found;
    }

private:
    qsizetype findClosing(const QString &name, qsizetype from)
    {
        const auto failed = noClosingFrom_.constFind(name);
        if (failed != noClosingFrom_.cend() && from >= *failed)
            return -1;
        qsizetype at = from;
        while ((at = note_.indexOf(u"</", at)) >= 0) {
            if (tagNameAt(note_, at + 2).compare(name, Qt::CaseInsensitive) == 0)
                return at;
            at += 2;
        }
        noClosingFrom_.insert(name, from);
        return -1;
    }

    QStringView note_;
    QHash<QString, qsizetype> noClosingFrom_;
};

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

bool startsWithTag(QStringView text, qsizetype pos, QStringView tag)
{
    return text.sliced(pos).startsWith(tag);
}

// The cells of a table the grid can hold as it stands: the editor's own table markup (TBODY, TR
// and TD in upper case) around 1 to 78 cells, one of them not empty. Any other table is kept as
// written, since the grid would lose what it holds besides its cells.
std::optional<std::vector<QString>> gridCells(QStringView table)
{
    std::vector<QString> cells;
    qsizetype pos = 0;
    while (pos < table.size()) {
        const QChar c = table.at(pos);
        if (c == u' ' || c == u'\r' || c == u'\n' || c == u'\t') {
            ++pos;
            continue;
        }
        const QStringView structure[] = {u"<TBODY>", u"</TBODY>", u"<TR>", u"</TR>"};
        const auto tag = std::find_if(std::begin(structure), std::end(structure),
                                      [&](QStringView t) { return startsWithTag(table, pos, t); });
        if (tag != std::end(structure)) {
            pos += tag->size();
            continue;
        }
        if (tagNameAt(table, pos + 1) != u"TD" || table.at(pos) != u'<')
            return std::nullopt;
        const qsizetype open = table.indexOf(u'>', pos);
        const qsizetype close = open < 0 ? -1 : table.indexOf(u"</TD>", open + 1);
        if (close < 0)
            return std::nullopt;
        const QStringView content = table.sliced(open + 1, close - open - 1);
        for (QStringView inner : {u"<TD", u"<TH", u"<TR", u"</TR", u"<TABLE", u"<CAPTION"}) {
            if (content.contains(inner, Qt::CaseInsensitive))
                return std::nullopt;
        }
        cells.push_back(cellTextFromPage(content));
        if (cells.size() > static_cast<size_t>(kGridCellCount))
            return std::nullopt;
        pos = close + 5;
    }
    if (std::all_of(cells.begin(), cells.end(), [](const QString &cell) { return cell.isEmpty(); }))
        return std::nullopt;
    return cells;
}

// Takes an upper-case TABLE element the grid can hold into the table fields.
bool readTable(QStringView note, const Element &table, PageEditFields &f)
{
    if (!note.sliced(table.start).startsWith(u"<TABLE"))
        return false;
    const auto cells = gridCells(table.content(note));
    if (!cells)
        return false;
    f.ETAGHYO1 = tableAlignment(table.startTag(note).sliced(1));
    for (size_t cell = 0; cell < cells->size(); ++cell)
        f.cells[cell] = cells->at(cell);
    f.ETAGHYO1Tag = cells->size() > 1 ? 1 : 0;
    return true;
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

void readImageLinkParagraph(QStringView startTag, const QString &content, PageEditFields &f)
{
    f.ETAGSRC1 = startTag.toString();
    f.GX = quotedAttributeValue(content, u"width=");
    f.GY = quotedAttributeValue(content, u"height=");
    f.pictureSizeRead = true;
    QString rest = content;
    readLink(rest, f);
    f.Edit7 = rest;
}

void readTextParagraph(QStringView startTag, const QString &content, PageEditFields &f)
{
    f.ETAGP1 = startTag.toString();
    f.Memo2 = content;
}

// A paragraph whose line breaks mean something (a script, a preformatted block) would lose them
// as a field: it is kept as written.
bool isFieldParagraph(QStringView content)
{
    for (QStringView inner : {u"<SCRIPT", u"<STYLE", u"<PRE", u"<XMP", u"<TEXTAREA", u"<LISTING", u"<PLAINTEXT"}) {
        if (content.contains(inner, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

// The note text from `from` to `to` without the element `skip` (the H1 element, read elsewhere).
QString noteText(QStringView note, qsizetype from, qsizetype to, const Element *skip)
{
    if (!skip || skip->end <= from || skip->start >= to)
        return note.sliced(from, to - from).toString();
    return concat({note.sliced(from, skip->start - from), note.sliced(skip->end, to - skip->end)});
}

// After the headings the fields follow in the order the writer writes them: the table grid, the
// image/link paragraph and the text paragraph. Each is the first fitting element after the one
// before; the text around them is kept where it stood.
// The first paragraph is the image/link paragraph when it holds a picture or a link; an empty one
// stands for no picture. A first paragraph with text and neither is the text paragraph itself:
// dropping it would lose the author's text (a page with only a text paragraph, or one whose
// picture stands between the headings).
void readBodyFields(QStringView note, const std::vector<Element> &elements, qsizetype from, const Element *skip,
                    PageEditFields &f)
{
    qsizetype cursor = from;
    bool tableTaken = false;
    int paragraphs = 0; // 1 after the image/link paragraph, 2 after the text paragraph
    for (const Element &element : elements) {
        if (element.start < from || &element == skip || paragraphs == 2)
            continue;
        if (element.name == u"TABLE" && !tableTaken && paragraphs == 0 && readTable(note, element, f)) {
            f.textBeforeTable = noteText(note, cursor, element.start, skip);
            cursor = element.end;
            // The grid ends its line: that line end is the grid's own.
            if (note.sliced(cursor).startsWith(kCrLfView))
                cursor += 2;
            else if (cursor < note.size() && (note.at(cursor) == u'\r' || note.at(cursor) == u'\n'))
                ++cursor;
            tableTaken = true;
            continue;
        }
        if (element.name != u"P" || !isFieldParagraph(element.content(note)))
            continue;
        const QString before = noteText(note, cursor, element.start, skip);
        cursor = element.end;
        const QString content = flowTextFromPage(element.content(note));
        if (paragraphs == 1) {
            f.textBetweenParagraphs = before;
            readTextParagraph(element.startTag(note), content, f);
            paragraphs = 2;
            continue;
        }
        f.textBeforeParagraphs = before;
        paragraphs = 1;
        if (isImageLinkContent(content)) {
            readImageLinkParagraph(element.startTag(note), content, f);
            continue;
        }
        f.ETAGSRC1 = QStringLiteral("<P>");
        if (!content.isEmpty()) {
            readTextParagraph(element.startTag(note), content, f);
            paragraphs = 2;
        }
    }
    QString &rest = paragraphs == 0 ? f.textBeforeParagraphs : f.noteRest;
    rest = noteText(note, cursor, note.size(), skip);
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

void readNoteSection(const QString &note, PageEditFields &f, const QString &folder)
{
    const QString paragraphTag = note.isEmpty() ? QStringLiteral("<P>") : QString();
    f.ETAGSRC1 = paragraphTag;
    f.ETAGP1 = paragraphTag;
    f.Edit7.clear();
    f.Edit2.clear();
    f.Edit3.clear();
    f.Memo2.clear();
    f.cells.fill(QString());
    f.ETAGHYO1.clear();
    f.ETAGHYO1Tag = 0;
    for (QString *piece : {&f.textBetweenHeadings, &f.textBeforeTable, &f.textBeforeParagraphs,
                           &f.textBetweenParagraphs, &f.noteRest})
        piece->clear();
    const std::vector<Element> elements = NoteScanner(note).elements();
    // The H1 element is the first with text: the writer writes no empty one, so an empty H1 is
    // kept where it stands, as written.
    const Element *h1 = nullptr;
    for (const Element &element : elements) {
        if (element.name == u"H1" && !flowTextFromPage(element.content(note)).isEmpty()) {
            h1 = &element;
            f.ETAGH1 = h1->startTag(note).toString();
            f.Memo4 = flowTextFromPage(h1->content(note));
            break;
        }
    }
    // The heading is the first H2 element that the writer's rule keeps; what stands before it is
    // written back before it.
    qsizetype bodyFrom = 0;
    for (const Element &h2 : elements) {
        if (h2.name != u"H2")
            continue;
        QString heading = flowTextFromPage(h2.content(note));
        // Only the first H2 element with text before it needs that text: the rule takes it.
        const bool nothingBefore = h2.start == 0 || (h1 && h1->start == 0 && h1->end == h2.start);
        QString before = nothingBefore ? QString() : noteText(note, 0, h2.start, h1);
        if (!secondHeadingWritten(heading, before))
            continue;
        f.ETAGH2 = h2.startTag(note).toString();
        f.Memo5 = std::move(heading);
        f.textBetweenHeadings = std::move(before);
        bodyFrom = h2.end;
        break;
    }
    readBodyFields(note, elements, bodyFrom, h1, f);
    readPictureName(f, folder);
}

} // namespace sorvek
