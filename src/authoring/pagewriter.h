#pragma once
// The page editor's writing of a page: the pieces kept aside by the reading and the editor's
// fields joined into the page text. The note section holds, in this order, the H1 element, the
// text between the headings, the H2 element, the table grid and the two paragraphs, with the
// note's other pieces where the reading found them.
#include "authoring/pageeditfields.h"

#include <QString>

namespace sorvek {

// "<TITLE>" glyph prefix, caption, "#" second line, "?" hint "</TITLE>" (angles escaped; the
// caption and second line lose trailing blanks, the hint keeps them).
QString buildTitleElement(const PageEditFields &fields);
// start tag + text ("<BR>" for line breaks) + closing tag, or "" when the text is empty.
QString buildHeading(const QString &startTag, const QString &text, QStringView closingTag);
// The one rule for the H2 element: it stands in the page when it has text or text stands before
// it in the note. The writer writes it so; the reading takes the first such H2 element as the
// heading and keeps any other as written. Without the rule an empty heading's text before it would
// be read as the note's body next time.
bool secondHeadingWritten(QStringView headingText, QStringView textBefore);
// The image/link paragraph: the content, wrapped in the link when there is a target; only the
// link when there is no content; "<P></P>" with neither.
QString buildImageLinkParagraph(const PageEditFields &fields);
// ETAGP1 ("<P>" when empty), Memo2, "</P>".
QString buildTextParagraph(const PageEditFields &fields);

// The whole page as the editor writes it, with CR as the line separator inside the table.
QString writeEditedPage(const PageEditFields &fields);

} // namespace sorvek
