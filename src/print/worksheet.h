#pragma once
// The worksheet: a printable copy of a page with its answer fields turned into blanks (question
// sheet) or answers (answer sheet), and a header table for the title, class, number and name.
#include "authoring/answerfields.h"

#include <QString>
#include <QStringView>

namespace sorvek {

// The header table, one line; title goes in its first cell.
QString worksheetHeader(const QString &title);

// The title as the header shows it: "#" starts a new line (<BR>), the hint after "?" is dropped.
QString worksheetTitle(const QString &storedTitle);

// The worksheet document from a page text whose answer fields are already converted: the head
// through the BODY start tag with its TITLE emptied, the header, the body with every "[]" read
// as "[1]", then the rest from "</BODY". A text without "<BODY" gives only the header.
QString buildWorksheet(QStringView convertedText);

struct WorksheetRequest {
    QString pageRef;          // the current page of the top level
    QString topFolder;        // ending with "/"
    QString bookFolder;       // pictures are taken from here first, then from topFolder
    QString documentsFolder;  // the print folder lies below it
    AnswerFieldMode mode = AnswerFieldMode::QuestionSheet;
    AnswerMarks marks;
};

struct WorksheetOutcome {
    enum class Status { Written, Skipped, ReadError, WriteError };
    Status status = Status::Skipped;
    QString sheetPath;        // the document to preview; "" when none was written
    QString error;
    QString message() const;  // "" when written or skipped
    bool preview() const { return !sheetPath.isEmpty(); }
};

// Reads the page, converts its answer fields, writes "_$$$test.html" to the print folder and
// copies the pictures the converted page names. A web page is skipped.
WorksheetOutcome writeWorksheet(const WorksheetRequest &request);

} // namespace sorvek
