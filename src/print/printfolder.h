#pragma once
// The print folder "Sorvek$" below the user's documents folder, and the documents it receives:
// the merged pages, their code page 932 copy, the resume sheet with its pictures, the worksheet.
#include "commands/textfile.h"

#include <QString>

namespace sorvek {

class PrintFolder {
public:
    // documentsFolder may end with "/" and may not exist yet; "" gives no print folder.
    explicit PrintFolder(const QString &documentsFolder);

    QString path() const { return path_; }      // without a trailing "/"; "" for none
    QString filePath(const QString &name) const;
    QString mergedPath() const;                 // "_合体.html"
    QString mergedShiftJisPath() const;         // "_合体SHIFT_JIS.html"
    QString resumePath() const;                 // "_$$$resumeE.html"
    QString worksheetPath() const;              // "_$$$test.html"
    // The resume's picture of a page: "_$$$" + the page's file name with the extension ".jpg".
    QString resumePicturePath(const QString &pageRef) const;

    // Creates the folder (and the documents folder) when missing; an existing folder is no error.
    WriteResult create() const;

private:
    QString path_;
};

// "_$$$1010_a.jpg" for the page "1010_a.html" (a folder part of the reference is dropped).
QString resumePictureName(const QString &pageRef);

} // namespace sorvek
