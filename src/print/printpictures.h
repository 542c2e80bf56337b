#pragma once
// The pictures a print document names: every SRC=" ... " value is copied beside the document, so
// that the document in the print folder shows them.
#include <QString>
#include <QStringList>
#include <QStringView>

namespace sorvek {

// The values of SRC= (any case) directly followed by a double quote, up to the next double quote,
// in document order; a value without its closing quote is not taken.
QStringList pictureNames(QStringView html);

struct PictureCopyResult {
    int copied = 0;
    QStringList failed;   // names that named a picture but could not be copied
    QStringList skipped;  // names that would land outside the print folder (absolute, "..", web)
};

// Copies each named picture to printFolder + "/" + name, replacing an older copy. The picture is
// taken from the first of sourceFolders (each without a trailing "/") that holds it. No folders
// are made for a name with a folder part; each name is copied once.
PictureCopyResult copyPrintPictures(const QStringList &names, const QStringList &sourceFolders,
                                    const QString &printFolder);

} // namespace sorvek
