#pragma once
// The pictures a print document names: every file it shows (src=, background= or CSS url(), quoted
// either way or not) is copied beside the document, so that the document in the print folder
// shows them.
#include <QString>
#include <QStringList>
#include <QStringView>

namespace sorvek {

// The relative paths of the files html shows, in document order, as a browser reads them: percent
// escapes decoded ("spaced%20pic.png" names "spaced pic.png"), "?" and "#" parts dropped. Web
// addresses and absolute paths are left out.
QStringList pictureNames(QStringView html);

struct PictureCopyResult {
    int copied = 0;
    QStringList failed;   // names that named a picture but could not be copied
    QStringList skipped;  // names that would land outside the print folder (absolute, "..", web)
};

// Copies each named picture to printFolder + "/" + name, replacing an older copy. The picture is
// taken from the first of sourceFolders (each without a trailing "/") that holds it. A name with a
// folder part gets that folder below the print folder; each name is copied once.
PictureCopyResult copyPrintPictures(const QStringList &names, const QStringList &sourceFolders,
                                    const QString &printFolder);

} // namespace sorvek
