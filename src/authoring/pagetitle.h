#pragma once
// The title syntax of a page: an optional glyph file name between double quotes at the very
// start, the button caption, "#" and a second line, "?" and the button hint; "<" and ">" are
// stored as "&lt;" and "&gt;". The glyph name "!" is the page's check mark (〆).
#include <QString>
#include <QStringView>

namespace sorvek {

// A title split into its parts, as the user sees them (angles unescaped).
struct PageTitle {
    QString glyph;      // the file name between the quotes, without them; "" for none
    QString caption;
    QString secondLine;
    QString hint;

    bool hasCheckMark() const { return glyph == QStringLiteral("!"); }
    // The glyph prefix as stored: the name between double quotes, "" when there is none.
    QString glyphPrefix() const;

    friend bool operator==(const PageTitle &, const PageTitle &) = default;
};

// Splits a stored title. A glyph prefix needs both quotes; a lone quote at the start stays in
// the caption. "?" is split off first, so a "#" after it belongs to the hint.
PageTitle parsePageTitle(QStringView storedTitle);

// Writes a title as the editor stores it: the glyph prefix, then each part only when it is not
// empty: the caption (trailing blanks dropped), "#" and the second line (trailing blanks dropped),
// "?" and the hint (kept as it is); angles escaped in all three.
QString composePageTitle(const PageTitle &title);

// True when a stored title carries the check mark glyph prefix '"!"'.
bool titleHasCheckMark(QStringView storedTitle);

} // namespace sorvek
