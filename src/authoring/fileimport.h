#pragma once
// Pages made from files: each file named on the command line or copied to the clipboard is
// copied into a folder under a time-stamped name and gets a page that shows or links it.
#include "commands/textfile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace sorvek {

// What an imported file becomes, decided by its extension in lower case.
enum class ImportGroup {
    LogoProject,     // ".mw2", ".mwx": LOGO page embedding the copy
    MeasuredPicture, // ".gif", ".jpeg", ".jpg", ".bmp": image page at natural size (at most 1000 wide)
    OtherPicture,    // ".png", ".wmf", ".emf", ".tif", ".tiff", ".fpx", ".pcd", ".mif", ".dcm": image page
    DocumentOrMedia, // ".pdf", ".avi", ".wmv", ".mpg", ".txt", ".doc", ".xls", ".jtd", ".jtdc": link page
    Other,           // copied into the folder under its own name; no page
};
ImportGroup importGroupOf(const QString &path);

// The import stamp of a last-write time: "yyyyMMdd-hhmmss" (24-hour clock).
QString importStamp(const QDateTime &lastWrite);

// The names one import uses.
struct ImportNames {
    QString name;        // the file name without anything up to and including its first "~"
    QString base;        // the page's title (and heading, by group)
    QString plainTarget; // folder + stamp + extension
    QString namedTarget; // folder + stamp + "~" + name; the plain target when the name holds "-"
    QString pageFile;    // the named target with the extension ".html"
};
// folder ends with "/"; stamp is the import stamp ("" for files of a browser cache).
ImportNames importNames(const QString &path, const QString &folder, const QString &stamp, ImportGroup group);

// One file that was imported.
struct ImportedFile {
    QString source;
    ImportGroup group = ImportGroup::Other;
    QString copy; // the copy made (a file or, for a copied folder, the folder)
    QString page; // "" when no page was written
};

// What an import did. A picture that cannot be read stops the import at that entry: it and the
// entries after it are left in remaining, so the caller keeps them in its import list.
struct ImportOutcome {
    QList<ImportedFile> imported;
    QStringList problems;  // one line per file that could not be copied, read or given its page
    QStringList remaining;
    bool completed() const { return remaining.isEmpty(); }
    // The problems as one message for the user; "" when there were none.
    QString message() const;
};

// An import that runs one entry per step, so a window can keep painting between files.
class FileImport {
public:
    // folder: the folder that receives the copies and pages (a trailing "/" is added when missing).
    FileImport(const QStringList &paths, const QString &folder);
    bool atEnd() const { return stopped_ || next_ >= paths_.size(); }
    // Imports the next entry; false when there was none or the import has stopped.
    bool step();
    const ImportOutcome &outcome() const { return outcome_; }
    int total() const { return int(paths_.size()); }
    int done() const { return int(next_); }

private:
    void importFile(const QString &path);
    // Writes the page of an imported copy; false when the import has stopped there.
    bool writePage(ImportedFile &done, const ImportNames &names, const QByteArray &bytes);
    void stop(const QString &problem);

    QStringList paths_;
    QString folder_;
    qsizetype next_ = 0;
    bool stopped_ = false;
    ImportOutcome outcome_;
};

// TForm1.MakePagesFromFiles: creates the book folder when missing, then imports every path in
// order into folder.
ImportOutcome makePagesFromFiles(const QStringList &paths, const QString &folder, const QString &bookFolder);

} // namespace sorvek
