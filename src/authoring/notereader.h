#pragma once
// Takes the note section of a page apart into the editor's fields: the two headings, the table
// grid, the image/link paragraph with its link and picture, and the text paragraph. Whatever else
// the note section holds is kept aside where it stood and written back as it was.
#include "authoring/pageeditfields.h"

#include <QString>

namespace sorvek {

// Fills the heading, table, paragraph, link and picture fields and the note pieces around them
// from the note text (the content between the note markers). folder is the current folder (ending with
// "/"): a JPEG or BMP picture of the content that lies there becomes Image1Path.
void readNoteSection(const QString &note, PageEditFields &fields, const QString &folder);

// The value of name (e.g. "width=", any case) when a double-quoted value follows it; "" otherwise.
QString quotedAttributeValue(QStringView text, QStringView name);

} // namespace sorvek
