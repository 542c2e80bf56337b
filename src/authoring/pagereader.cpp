#include "authoring/pagereader.h"

#include "authoring/answerfields.h"
#include "authoring/lookautolink.h"
#include "authoring/notereader.h"
#include "authoring/pageformat.h"
#include "authoring/pagetitle.h"
#include "authoring/styleblock.h"
#include "commands/headcharset.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"

#include <QStringDecoder>

#include <optional>

namespace sorvek {
namespace {

qsizetype findAnyCase(QStringView text, QStringView needle, qsizetype from = 0)
{
    return text.indexOf(needle, from, Qt::CaseInsensitive);
}

// Cuts the region between the markers out of the text. withMarkers keeps the markers in the
// piece; without them the piece is the content only. A start marker without its end marker is no
// region: the text stays as it stands.
QString cutRegion(QString &text, QStringView startMarker, QStringView endMarker, bool withMarkers)
{
    const auto region = pageformat::findRegion(text, startMarker, endMarker);
    if (!region)
        return QString();
    const QString piece = withMarkers
        ? text.sliced(region->start, region->end - region->start)
        : text.sliced(region->contentStart, region->contentEnd - region->contentStart);
    text.remove(region->start, region->end - region->start);
    return piece;
}

struct Regions {
    QString style;
    QString note;
};

Regions cutRegions(QString &text, PageEditFields &f)
{
    using namespace pageformat;
    f.headerSection = cutRegion(text, kHeaderIn, kHeaderOut, true);
    f.footerSection = cutRegion(text, kFooterIn, kFooterOut, true);
    Regions regions;
    regions.style = cutRegion(text, kStyleIn, kStyleOut, false);
    regions.note = cutRegion(text, kNoteIn, kNoteOut, false);
    return regions;
}

// The head text and the title text. The TITLE element ends at the first closing tag of any kind;
// that tag goes through its ">". A TITLE element without its ends counts as none.
QString cutHeadAndTitle(QString &text, PageEditFields &f)
{
    const qsizetype title = findAnyCase(text, u"<TITLE");
    const qsizetype open = title < 0 ? -1 : text.indexOf(u'>', title);
    const qsizetype closing = open < 0 ? -1 : text.indexOf(u"</", open + 1);
    const qsizetype closeEnd = closing < 0 ? -1 : text.indexOf(u'>', closing);
    if (closeEnd >= 0) {
        f.headText = text.first(title);
        const QString titleText = text.sliced(open + 1, closing - open - 1);
        text.remove(0, closeEnd + 1);
        return titleText;
    }
    const qsizetype head = findAnyCase(text, u"<HEAD");
    const qsizetype headEnd = head < 0 ? -1 : text.indexOf(u'>', head);
    if (headEnd >= 0) {
        f.headText = text.first(headEnd + 1);
        text.remove(0, headEnd + 1);
    }
    return QString();
}

void cutBodyHead(QString &text, PageEditFields &f)
{
    const qsizetype body = findAnyCase(text, u"<BODY");
    const qsizetype bodyEnd = body < 0 ? -1 : text.indexOf(u'>', body);
    if (bodyEnd < 0)
        return;
    f.bodyHead = text.first(bodyEnd + 1);
    text.remove(0, bodyEnd + 1);
}

// The first ">" at or after from must be the one of the first `closer` (any case) there.
qsizetype tagEndingWith(QStringView text, QStringView closer, qsizetype from)
{
    const qsizetype gt = text.indexOf(u'>', from);
    const qsizetype hit = findAnyCase(text, closer, from);
    if (gt < 0 || hit < 0 || gt != hit + closer.size() - 1)
        return -1;
    return gt;
}

bool isRegionMarker(QStringView comment)
{
    using namespace pageformat;
    for (const QString &marker : {kHeaderIn, kHeaderOut, kNoteIn, kNoteOut, kFooterIn, kFooterOut, kStyleIn, kStyleOut}) {
        if (comment == marker)
            return true;
    }
    return false;
}

// A comment at the start of the body text that is followed right away by a paragraph. A lone
// region marker is no such comment: written in front of the note section, a lone note start
// marker would take the next reading's note section apart.
void cutLeadingCommentBlock(QString &text, PageEditFields &f)
{
    const qsizetype comment = text.indexOf(u"<!--");
    const qsizetype commentEnd = comment < 0 ? -1 : text.indexOf(u"-->", comment + 4);
    if (commentEnd < 0 || isRegionMarker(QStringView(text).sliced(comment, commentEnd + 3 - comment)))
        return;
    const qsizetype open = tagEndingWith(text, u"P>", commentEnd + 3);
    const qsizetype close = open < 0 ? -1 : tagEndingWith(text, u"/P>", open + 1);
    if (close < 0)
        return;
    f.textBeforeComment = text.first(comment);
    f.leadingCommentBlock = text.sliced(comment, close + 1 - comment);
    text.remove(0, close + 1);
}

// The glyph prefix stands only at the very start of a title; it is kept as written.
void splitTitle(const QString &titleText, PageEditFields &f)
{
    const qsizetype glyphEnd = titleText.startsWith(u'"') ? titleText.indexOf(u'"', 1) : -1;
    f.glyphPrefix = glyphEnd > 0 ? titleText.first(glyphEnd + 1) : QString();
    const PageTitle title = parsePageTitle(titleText);
    f.Edit1 = title.caption;
    f.Edit5 = title.secondLine;
    f.Edit6 = title.hint;
}

// The text of a file as the editor sees it: its lines, each ended by CR LF.
QString joinedLines(const QString &fileText)
{
    const QStringList lines = splitLines(fileText);
    QString text;
    for (const QString &line : lines)
        text += line + pageformat::kCrLf;
    return text;
}


bool isUtf8Name(const QString &name)
{
    return name.compare(u"UTF-8", Qt::CaseInsensitive) == 0 || name.compare(u"UTF8", Qt::CaseInsensitive) == 0;
}

// A strict decoding: nothing when a byte does not belong to the encoding.
std::optional<QString> decodeStrictly(const char *encoding, const QByteArray &bytes)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// A page's bytes as the editor edits them, by its byte-order mark, its head's declaration or its
// bytes: UTF-8, code page 932 or the encoding the head names (EUC-JP, ISO-2022-JP ...). The editor
// writes UTF-8, so a declaration of another encoding is changed to "UTF-8" in the head's META.
// Nothing when the bytes cannot be read without loss: saving would write replacement marks over
// the page's text.
std::optional<QString> decodeForEditing(const QByteArray &bytes)
{
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray body = bom ? bytes.sliced(3) : bytes;
    const CharsetDeclaration declared = findHeadCharsetDeclaration(QByteArrayView(body));
    const QString name = declared.name;
    std::optional<QString> text;
    if (bom || isUtf8Name(name)) {
        // A stray byte in a page that is UTF-8 by its mark or its declaration shows as the
        // replacement mark in any browser: reading it so loses nothing the page showed.
        text = QString::fromUtf8(body);
    } else if (!name.isEmpty() && !isCodePage932Name(name) && QStringDecoder(name.toLatin1().constData()).isValid()) {
        text = decodeStrictly(name.toLatin1().constData(), body);
    } else {
        // No declaration, Shift_JIS or a name nobody knows: UTF-8 when the bytes are UTF-8 (a
        // page saved as UTF-8 that still names Shift_JIS), else code page 932.
        text = decodeStrictly("UTF-8", body);
        if (!text)
            text = decodeStrictly("windows-31j", body);
    }
    if (!text || name.isEmpty() || isUtf8Name(name))
        return text;
    const CharsetDeclaration again = findHeadCharsetDeclaration(*text);
    if (again.at >= 0)
        text->replace(again.at, again.name.size(), QStringLiteral("UTF-8"));
    return text;
}

bool isWebPageName(const QString &fileName)
{
    return fileName.contains(u"http:", Qt::CaseInsensitive) || fileName.contains(u"https:", Qt::CaseInsensitive)
        || isWebAddress(fileName);
}

} // namespace

QString PageEditReading::message() const
{
    if (refusal != PageEditRefusal::Unreadable)
        return QString();
    return QStringLiteral("ページを読み込めません: ") + error + QStringLiteral("。");
}

PageEditReading readPageForEditing(const QString &pageText, PageTextOrigin origin, const PageEditContext &context)
{
    PageEditReading reading;
    if (origin == PageTextOrigin::File && !pageformat::isPageText(pageText)) {
        reading.refusal = PageEditRefusal::NotAPage;
        return reading;
    }
    PageEditFields &f = reading.fields;
    QString text = pageText;
    if (text.contains(u"$LOOK")) {
        f.lookFlag = true;
        text = lookAutoLink(LookLinkMode::Remove, text);
    }
    text = convertAnswerFields(text, AnswerFieldMode::SourceNotation, context.marks);
    const Regions regions = cutRegions(text, f);
    const QString titleText = cutHeadAndTitle(text, f);
    cutBodyHead(text, f);
    cutLeadingCommentBlock(text, f);
    f.pageRest = text;
    readNoteSection(regions.note, f, context.folder);
    f.GroupBox1Tag = pageStyleFromStyleText(regions.style);
    splitTitle(titleText, f);
    return reading;
}

PageEditReading readPageForEditing(const PageEditRequest &request, const PageEditContext &context)
{
    const QString path = request.fileName.isEmpty() ? request.currentPagePath : request.fileName;
    PageEditReading refused;
    if (path.isEmpty())
        refused.refusal = PageEditRefusal::NoPage;
    else if (isWebPageName(path))
        refused.refusal = PageEditRefusal::WebPage;
    if (!refused.ok())
        return refused;
    PageTextOrigin origin = PageTextOrigin::Given;
    QString text = request.html;
    if (text.isEmpty()) {
        const BookFileRead read = readBookFile(path, BookFileKind::Page);
        if (!read) {
            refused.refusal = PageEditRefusal::Unreadable;
            refused.error = read.message;
            return refused;
        }
        origin = PageTextOrigin::File;
        const std::optional<QString> decoded = decodeForEditing(read.bytes);
        if (!decoded) {
            refused.refusal = PageEditRefusal::Unreadable;
            refused.error = path + QStringLiteral(" (文字コードが読み取れません)");
            return refused;
        }
        text = joinedLines(*decoded);
    }
    PageEditReading reading = readPageForEditing(text, origin, context);
    reading.fields.Label5 = request.fileName;
    reading.fields.Caption = path;
    return reading;
}

} // namespace sorvek
