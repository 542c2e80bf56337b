#pragma once
// The page editor's reading of a page: the page text is cut into its regions, head, title, body
// head and note section, and every piece goes to a field of the editor or is kept aside for the
// writing (PageEditFields).
#include "authoring/answermarks.h"
#include "authoring/pageeditfields.h"

#include <QString>

namespace sorvek {

enum class PageEditRefusal {
    None,
    NoPage,     // no file name and no current page
    WebPage,    // the page is shown from the web: nothing is edited
    NotAPage,   // the file has no "<!DOCTYPE HTML PUBLIC"
    Unreadable, // the file could not be read
};

struct PageEditReading {
    PageEditRefusal refusal = PageEditRefusal::None;
    QString error; // path and reason when the file could not be read
    PageEditFields fields;

    bool ok() const { return refusal == PageEditRefusal::None; }
    // What to tell the user: only an unreadable file is reported; the other refusals are silent.
    QString message() const;
};

struct PageEditContext {
    QString folder; // the current folder, ending with "/": where the page's pictures lie
    AnswerMarks marks;
};

// Where the page text came from: a file must carry the page mark, a given text need not.
enum class PageTextOrigin { File, Given };

// Takes a page text apart. A file text without "<!DOCTYPE HTML PUBLIC" is refused (NotAPage).
// LOOK links are removed and quiz controls turned back into answer fields before the reading.
PageEditReading readPageForEditing(const QString &pageText, PageTextOrigin origin, const PageEditContext &context);

// TForm1.EditPage's arguments: FileName ("" for the current page) and Html ("" to read the file).
struct PageEditRequest {
    QString fileName;
    QString html;
    QString currentPagePath; // the top level's folder + the name at PageIndex
};

// Resolves the file, refuses web pages, reads the file (lines joined by CR LF) unless a text is
// given, and takes it apart. fields.Label5 is the FileName argument and fields.Caption the path
// edited. On success the caller marks the search window's title index stale.
PageEditReading readPageForEditing(const PageEditRequest &request, const PageEditContext &context);

} // namespace sorvek
