#pragma once
// Line breaks between the editor's memos (CR LF) and the page text ("<BR>"). Only "<BR>" in upper
// case is a break; "<br>" stays text.
#include <QString>
#include <QStringView>

namespace sorvek {

// A table cell: every "<BR>" becomes CR LF; source line breaks stay.
QString cellTextFromPage(QStringView html);
// A heading or paragraph: source CR LF breaks are dropped first (inside a tag they become a
// blank, inside a quoted attribute value they stay), then "<BR>" becomes CR LF.
QString flowTextFromPage(QStringView html);
// Memo text into the page: every line break (CR LF, or a lone LF or CR as text widgets give them)
// becomes "<BR>", except inside a quoted attribute value of a tag, where it is kept as written.
QString memoTextToPage(QStringView memo);

} // namespace sorvek
