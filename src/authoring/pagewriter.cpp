#include "authoring/pagewriter.h"

#include "authoring/concat.h"
#include "authoring/pagebreaks.h"
#include "authoring/pageformat.h"
#include "authoring/pagetitle.h"
#include "authoring/styleblock.h"
#include "authoring/tablegrid.h"

namespace sorvek {
namespace {

QString link(QStringView target, QStringView content)
{
    return concat({u"<A href=\"", target, u"\">", content, u"</A>"});
}

} // namespace

QString buildTitleElement(const PageEditFields &f)
{
    const QString title = composePageTitle(PageTitle{QString(), f.Edit1, f.Edit5, f.Edit6});
    return concat({u"<TITLE>", f.glyphPrefix, title, u"</TITLE>"});
}

QString buildHeading(const QString &startTag, const QString &text, QStringView closingTag)
{
    if (text.isEmpty())
        return QString();
    return concat({startTag, memoTextToPage(text), closingTag});
}

bool secondHeadingWritten(QStringView headingText, QStringView textBefore)
{
    return !headingText.isEmpty() || !textBefore.isEmpty();
}

QString buildImageLinkParagraph(const PageEditFields &f)
{
    // Content without a start tag would fall outside every paragraph and be lost on the next reading.
    const QString startTag = f.ETAGSRC1.isEmpty() ? QStringLiteral("<P>") : f.ETAGSRC1;
    // Only the content's line breaks become "<BR>": the start tag and the link target are written
    // as they were read, line breaks included.
    const QString content = memoTextToPage(f.Edit7);
    if (!f.Edit7.isEmpty() && !f.Edit2.isEmpty())
        return concat({startTag, link(f.Edit2, content), u"</P>"});
    if (!f.Edit7.isEmpty())
        return concat({startTag, content, u"</P>"});
    if (!f.Edit2.isEmpty())
        return concat({u"<P>", link(f.Edit2, memoTextToPage(f.Edit3.isEmpty() ? f.Edit2 : f.Edit3)), u"</P>"});
    return QStringLiteral("<P></P>");
}

QString buildTextParagraph(const PageEditFields &f)
{
    const QString startTag = f.ETAGP1.isEmpty() ? QStringLiteral("<P>") : f.ETAGP1;
    return concat({startTag, memoTextToPage(f.Memo2), u"</P>"});
}

QString writeEditedPage(const PageEditFields &f)
{
    using namespace pageformat;
    const QString secondHeading =
        secondHeadingWritten(f.Memo5, f.textBetweenHeadings) ? concat({f.ETAGH2, memoTextToPage(f.Memo5), u"</H2>"}) : QString();
    return concat({f.headText, buildTitleElement(f), buildStyleBlock(f.GroupBox1Tag), f.bodyHead,
                   f.textBeforeComment, f.leadingCommentBlock, f.headerSection, kNoteIn,
                   buildHeading(f.ETAGH1, f.Memo4, u"</H1>"), f.textBetweenHeadings,
                   secondHeading, f.textBeforeTable, buildTableGrid(f), f.textBeforeParagraphs,
                   buildImageLinkParagraph(f), f.textBetweenParagraphs, buildTextParagraph(f), f.noteRest, kNoteOut,
                   f.footerSection, f.pageRest});
}

} // namespace sorvek
