#pragma once
// The 〆 mark of a page: a title that begins with '"!"'. Marking puts it in front of the title,
// unmarking takes it away; either drops another glyph prefix, except a picture glyph (BMP, PNG,
// GIF, JPEG), which keeps the title as it is.
#include <QString>
#include <QStringView>

namespace sorvek {

// The title after marking (on) or unmarking. label stands in for an empty title when marking
// (the caption the page button showed); it is stored with its angles escaped.
QString markedTitle(const QString &title, bool on, const QString &label);

// The page text with its title rewritten. The TITLE element is the first "<TITLE" (any case) up
// to the first "</TITLE" after it; a page without one gets a TITLE element right after its HEAD
// start tag (at the very start when it has no HEAD either). No text of the page is lost.
QString pageTextWithMark(const QString &text, bool on, const QString &label);

struct PageMarkResult {
    // KeptPicture: the title's glyph is a picture, which a mark would replace on the page button;
    // the page is left as it was and the user is told why.
    enum class Status { Written, Skipped, ReadError, WriteError, KeptPicture };
    Status status = Status::Skipped;
    QString path;
    QString error;
    // What the user is told; "" when written or skipped.
    QString message() const;
};

// Marks or unmarks the page file of a top-level page reference (topFolder ends with "/"). Web
// references are skipped; marking a page whose title has a picture glyph and no mark yet writes
// nothing. Otherwise the file is written through the safe writer even when the title did not
// change; a failed write leaves the page as it was.
PageMarkResult setPageMark(const QString &pageRef, const QString &topFolder, const QString &label, bool on);

} // namespace sorvek
