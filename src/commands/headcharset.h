#pragma once
// The charset a page declares in its head: the first META tag naming one that stands before
// "</head>" or "<body", outside comments and the text of scripts, styles, <XMP>, titles and the like, where a META is text
// of the page rather than its declaration. One pass over the text, whatever it holds.
#include <QByteArrayView>
#include <QStringView>

namespace sorvek {

struct CharsetDeclaration;

// The declaration with where its name stands (at is -1 when there is none).
CharsetDeclaration findHeadCharsetDeclaration(QStringView text);
// The same on a page's bytes, read as ASCII (the declaration is ASCII in every encoding).
CharsetDeclaration findHeadCharsetDeclaration(QByteArrayView bytes);

} // namespace sorvek
