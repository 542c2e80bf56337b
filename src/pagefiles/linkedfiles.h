#pragma once
// The files a page uses, for deleting or archiving the page together with them: the page, its
// ".wav" and ".txt" companions, and every existing file it names by src=, a title glyph,
// background=, href= or a CSS url() (quoted either way or not). Pages it includes (by src= or a
// title glyph) are scanned in turn, and the style sheets it uses when asked to.
// Nothing outside the book folder is listed or scanned.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace sorvek {

class LinkedFileCollector
{
public:
    // topFolder (ending with "/") resolves relative starts; bookFolder resolves "/" links.
    LinkedFileCollector(const QString &topFolder, const QString &bookFolder);

    // The pictures of the style sheets count as used too: for telling what no page needs, never
    // for what goes with one page (a sheet's pictures are shared).
    void followStyleSheets() { followSheets_ = true; }

    // Adds start (listed even when missing) and everything it uses. Every page is scanned once
    // per collector, so pages that include each other end the walk.
    void collect(const QString &start);

    // Full paths in the order found; each listed once (compared ignoring case).
    const QStringList &files() const { return files_; }
    // Also true for a link in the book that the page uses but that leads out of the book.
    bool contains(const QString &path) const;
    // One message per command link found in a scanned page ("<page>で\nhref=$X 【Sorvekスクリプト】があります。").
    const QStringList &commandLinkNotices() const { return notices_; }

private:
    struct Found {
        QString name;  // the value made into a path (still relative when the page's was)
        QString path;  // the existing file, "" when there is none
    };
    void scanPage(const QString &start, const QString &item, QStringList &work);
    void include(const QString &value, const QString &folder, bool follow, QStringList &work);
    void scanLink(const QString &start, const QString &value, const QString &folder, QStringList &work);
    Found locate(const QString &folder, const QString &value) const;
    QString resolve(const QString &item) const;
    QString existingFile(const QString &path) const;
    void add(const QString &path);
    bool insideBook(const QString &path) const;

    QString topFolder_;
    QString bookFolder_;
    QStringList files_;
    QSet<QString> listed_;   // lower-case keys of files_
    QSet<QString> scanned_;  // pages already scanned
    QStringList notices_;
    bool followSheets_ = false;
    mutable QHash<QString, QStringList> folderNames_;  // listings for the case-insensitive look-up
};

} // namespace sorvek
