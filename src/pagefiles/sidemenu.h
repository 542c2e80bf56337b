#pragma once
// The side-menu page "_index.html" of the book: a list of "/$DIR " links, one per folder, kept
// between "<!--MENU_IN-->" and "<!--MENU_OUT-->". Only that region is ever rewritten.
#include "commands/textfile.h"

#include <QString>

namespace sorvek {

// The page in three texts: head (through the start marker), region, tail (from the end marker).
struct SideMenuParts {
    bool isNew = true;  // no usable page: saving writes the template
    QString head;
    QString region;
    QString tail;
};

struct SideMenuRead {
    bool ok = true;     // false: the page exists but could not be read
    QString error;
    SideMenuParts parts;
};

QString sideMenuPath(const QString &bookFolder);

// Splits a page's text: a page without markers gets them right after its BODY start tag and
// before its BODY end tag; a page without a usable BODY is new.
SideMenuParts splitSideMenu(const QString &text);
// Reads the page at path (a missing page is new).
SideMenuRead readSideMenu(const QString &path);

// The dialog's text: the folder name of every "$DIR" link in the region, one a line (each keeps
// the blank after "$DIR"); the region itself when it holds no "$DIR".
QString sideMenuDialogText(const QString &region);
// One menu entry line per non-empty line of the dialog's text (blanks and control characters
// trimmed), each ended by a line break.
QString sideMenuEntries(const QString &dialogText);
// The whole page: head, new entries and tail (the template's for a new page).
QString composeSideMenu(const SideMenuParts &parts, const QString &dialogText);
// Writes the composed page in UTF-8 with a byte-order mark and CR LF line ends.
WriteResult saveSideMenu(const QString &path, const SideMenuParts &parts, const QString &dialogText);

} // namespace sorvek
