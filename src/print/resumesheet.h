#pragma once
// The resume sheet: one table per page of a level with the page's snapshot, its raw title in
// brackets and its footnote memo; an empty row before the 6th, 11th, 16th ... page.
#include <QString>
#include <QStringView>

namespace sorvek {

// The raw title of a page for the resume (glyph, mark, "#" and "?" parts included): the text
// after "<TITLE>" (any case, not at the very start) up to the next "</"; "" without the DOCTYPE
// line "<!DOCTYPE HTML PUBLIC" or without a "</" after the title.
QString resumeTitle(QStringView pageText);

// A footnote memo as resume text: every line followed by "<BR>".
QString resumeMemoHtml(const QString &memoText);

class ResumeSheet {
public:
    void addPage(const QString &title, const QString &memoHtml, const QString &pictureName);
    int rows() const { return rows_; }
    // The whole document, lines separated by CR.
    QString document() const;

private:
    int rows_ = 0;
    QString body_;
};

} // namespace sorvek
