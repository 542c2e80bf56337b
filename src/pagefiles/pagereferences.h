#pragma once
// Where a page names other files: the values of src=, background= and href= (in double quotes,
// single quotes or none, any letter case), CSS url(...) and the title glyph <TITLE>"...". Every
// look at what a page uses goes through this one scan, so that the linked-file list, the unneeded
// files, picture renaming, the merge and the archive all see the same references.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

namespace sorvek {

struct PageReference {
    enum class Kind { Source, Background, Link, StyleUrl, TitleGlyph };
    Kind kind = Kind::Source;
    qsizetype start = 0;  // the value's first character in the scanned text
    qsizetype length = 0; // the value's length, quotes excluded
    QString value;        // as written
    // A reference the page draws (a picture, a background), not one it only links to.
    bool shown() const { return kind != Kind::Link; }
};

// Every reference of text, in text order. One pass per kind: the scan stays linear.
QList<PageReference> scanPageReferences(QStringView text);

// The relative path a value names, as a browser takes it: "?..." and "#..." dropped, percent
// escapes decoded, "\" as "/". "" for an address with a scheme, an absolute path or nothing.
QString referencedPath(const QString &value);

// The file a relative reference of a page in pageFolder names (cleaned, absolute), or "".
QString referencedFile(const QString &pageFolder, const QString &value);

// Whether a reference that resolved to `referenced` names `file`, as the file system compares
// names: the same path, or (a book written on Windows) the same path in another letter case when
// no file with that exact spelling exists and no other file of the folder matches it.
bool referenceNamesFile(const QString &referenced, const QString &file);

// value with its file name (the last path segment, before "?" or "#") replaced by newName;
// percent-encoded when the value spelled its name encoded.
QString withReferencedName(const QString &value, const QString &newName);

// How a rewritten reference names its file: the folder part as written and only the name new
// (a file renamed in its folder), or the new name alone (a file copied beside the page).
enum class ReferenceRewrite { KeepFolder, NameOnly };

// text with every reference of a page in pageFolder that names a key of renamed (absolute, clean
// paths) pointing at its new file name instead. Bare text is never touched.
QString renameReferences(const QString &text, const QString &pageFolder, const QHash<QString, QString> &renamed,
                         ReferenceRewrite rewrite = ReferenceRewrite::KeepFolder);

} // namespace sorvek
