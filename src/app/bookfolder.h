#pragma once
// Where the book lies and what the program is called, from the program file's own name.
#include "book/levelstack.h"
#include "pagefiles/renamejournal.h"

#include <QString>

namespace sorvek {

struct BookLocation {
    QString folder;  // "/" separators, no trailing "/" (but "/" itself)
    QString title;   // the application title
    bool named = false;  // the program's name encodes the folder
    // A drive-letter name ("D:/Books") names no place here: nothing is made or listed there.
    bool namesAPlace() const;
};

// "Sorvek.bin" beside it opens the folder "Sorvek"; a name holding "$", "%" or ";" encodes the
// folder itself ("$home$ann$Books.bin" opens "/home/ann/Books") and the title is "sorvek".
BookLocation bookLocationFromProgram(const QString &programFilePath);

// What start-up reads of the book on a thread of its own while the engine and the windows are
// made: the renames a killed batch left unfinished brought to an end anywhere in the book, then
// the book folder as the first level.
struct StartupRead {
    JournalRecovery journals;
    ReadLevel root;
};
StartupRead readBookAtStartup(const QString &bookFolder);

// Why the book folder gives the reader nothing to show at start-up.
enum class BookFolderProblem {
    None,        // it holds pages, or at least a help page
    Created,     // it was missing and has been made, empty
    Missing,     // it is missing and could not be made
    NotAFolder,  // a file lies where the folder should be
    NoPages,     // it holds no pages
};

// existedAtStart: whether anything lay at folder before start-up tried to make it. A root without
// pages of its own is a book still when it has a help page, a side menu or a folder of pages.
BookFolderProblem bookFolderProblem(const QString &folder, bool existedAtStart, int pageCount);

// What the reader is told: where the book was looked for and how to put one there; "" for None.
QString bookFolderNotice(BookFolderProblem problem, const BookLocation &book);

// The configurable web addresses of the product (help, news, home page).
struct WebAddresses {
    QString base;  // e.g. "https://sorvek.example.jp"; SORVEK_WEB_BASE overrides it
    QString helpUrl(const QString &applicationTitle) const;
    QString newsUrl() const;
    QString homeUrl() const;
};
WebAddresses webAddresses();

} // namespace sorvek
