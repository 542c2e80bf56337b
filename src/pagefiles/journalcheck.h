#pragma once
// A rename journal found in a book is input like any other file of the book: before it is acted
// on, every name in it must be one the program itself would have written there.
#include "pagefiles/renamejournal.h"

#include <QString>

namespace sorvek {

// A bare file name: not empty, no folder part ("/" or "\"), not "." or "..", no control character.
bool isPlainFileName(const QString &name);

// Why the journal of folder must not be acted on, in words for the user; "" when it may be.
// Renames must name files of folder by plain names and park them under the program's temporary
// names; the pages a picture journal rewrites must be page files inside the book, given relative
// to bookFolder without "..". A picture journal whose picture is under both names or under
// neither no longer matches the folder and is refused too.
QString journalProblem(const RenameJournal &journal, const QString &folder, const QString &bookFolder);

// Whether a picture journal's picture is under its new name (its pages then follow it there)
// rather than under its old one.
bool pictureIsUnderNewName(const RenameJournal &journal, const QString &folder);

} // namespace sorvek
