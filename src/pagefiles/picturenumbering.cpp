#include "pagefiles/picturenumbering.h"

#include "commands/booktree.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"
#include "pagefiles/filerenames.h"
#include "pagefiles/pagereferences.h"
#include "pagefiles/renamejournal.h"
#include "pagefiles/renamelock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sorvek {

namespace {

QString lowerExtension(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

const QByteArray utf8Bom("\xEF\xBB\xBF");

struct PageEdit {
    QString path;
    QByteArray before;  // the page's bytes as read, to give back on failure
    QByteArray after;
};

// The new bytes of each page that names the picture; false with the error when one cannot be read.
bool planPageEdits(const QStringList &pages, const QString &oldPath, const QString &newPath,
                   QList<PageEdit> &edits, QString &error)
{
    for (const QString &page : pages) {
        const BookFileRead read = readBookFile(page, BookFileKind::Page);
        if (!read) {
            error = read.message;
            return false;
        }
        const QByteArray &bytes = read.bytes;
        const DecodedPage decoded = decodePageBytes(bytes);
        const QString text = decoded.declaresShiftJis ? declareUtf8(decoded.text) : decoded.text;
        const QString replaced = replacePictureReferences(text, QFileInfo(page).absolutePath(), oldPath, newPath);
        if (replaced == text)
            continue;
        // Written back in UTF-8: bytes that are not text would be lost.
        if (!decoded.clean) {
            error = page + QStringLiteral(" (文字コードが読み取れません)");
            return false;
        }
        edits.append({page, bytes, utf8Bom + replaced.toUtf8()});
    }
    return true;
}

} // namespace

bool isPictureFile(const QString &path)
{
    static const QStringList pictures{QStringLiteral(".jpeg"), QStringLiteral(".jpg"), QStringLiteral(".gif"),
                                      QStringLiteral(".png")};
    return pictures.contains(lowerExtension(path));
}

bool isPageFile(const QString &path)
{
    const QString ext = lowerExtension(path);
    return ext == QLatin1String(".html") || ext == QLatin1String(".htm");
}

QString pictureBaseName(const QString &typed)
{
    return urlFileName(toSlashes(typed.trimmed()));
}

QString freePictureName(const QString &folder, const QString &base, const QString &extension)
{
    const QDir dir(folder);
    for (int n = 0;; ++n) {
        const QString candidate = dir.filePath(base + QString::number(n) + extension);
        const QFileInfo info(candidate);
        if (!info.exists() && !info.isSymLink())
            return candidate;
    }
}

QString replacePictureReferences(const QString &text, const QString &pageFolder, const QString &oldPath,
                                 const QString &newPath)
{
    if (oldPath.isEmpty())
        return text;
    return renameReferences(text, QDir::cleanPath(pageFolder), {{QDir::cleanPath(oldPath), QFileInfo(newPath).fileName()}});
}

PageReferenceRewrite replaceReferencesInPage(const QString &page, const QString &oldName, const QString &newName,
                                             const QString &pictureFolder)
{
    const QString folder = pictureFolder.isEmpty() ? QFileInfo(page).absolutePath() : pictureFolder;
    QList<PageEdit> edits;
    QString error;
    if (!planPageEdits({page}, QDir(folder).absoluteFilePath(oldName), QDir(folder).absoluteFilePath(newName), edits, error))
        return {false, {false, error}};
    if (edits.isEmpty())
        return {};
    return {true, writeBytesSafely(page, edits.first().after)};
}

namespace {

// Gives the pages already written their old text and the picture its old name. The journal goes
// only when all of that worked; otherwise the next start finishes what is left.
QString rollBack(const QString &picture, const QString &newPath, const QList<PageEdit> &written)
{
    QStringList failures;
    for (const PageEdit &edit : written) {
        if (const WriteResult restored = writeBytesSafely(edit.path, edit.before); !restored)
            failures.append(restored.error);
    }
    if (const WriteResult back = renameFile(newPath, picture); !back)
        failures.append(back.error);
    if (failures.isEmpty()) {
        removeRenameJournal(QFileInfo(picture).path());
        return QStringLiteral("画像とページは元のままです。");
    }
    return QStringLiteral("元に戻せなかったもの: ") + failures.join(QStringLiteral(", "))
           + QStringLiteral("\n記録を残しました。次にこのフォルダを開くときに直します。");
}

} // namespace

PictureRenameResult renamePictureInPages(const QString &picture, const QString &base, const QStringList &pages,
                                         const QString &bookFolder)
{
    const QFileInfo info(picture);
    const QString folder = info.path();
    const QString oldName = info.fileName();
    // The journal names the pages relative to the book, so only the book's pages are rewritten.
    for (const QString &file : QStringList{picture} + pages) {
        if (bookFolder.isEmpty() || !entryLiesInside(file, bookFolder))
            return {false, {}, QStringLiteral("ブックのフォルダの外のファイルは書き換えません: ") + file};
    }
    const FolderRenameLock lock(folder);
    if (!lock.held())
        return {false, {}, lock.error()};
    const qsizetype dot = oldName.lastIndexOf(QLatin1Char('.'));
    const QString newPath = freePictureName(folder, base, dot < 0 ? QString() : oldName.mid(dot));
    const QString newName = QFileInfo(newPath).fileName();
    QList<PageEdit> edits;
    QString error;
    if (!planPageEdits(pages, info.absoluteFilePath(), newPath, edits, error))
        return {false, {}, QStringLiteral("ページを読めません: ") + error};
    // A process killed from here on leaves the picture and its pages to be finished together.
    RenameJournal journal{RenameJournal::Phase::Placing, {{oldName, oldName, newName}}, oldName, newName, {}};
    for (const PageEdit &edit : edits)
        journal.pages.append(QDir(resolvedLocation(bookFolder)).relativeFilePath(resolvedLocation(edit.path)));
    if (const WriteResult free = noRenameJournalPending(folder); !free)
        return {false, {}, free.error};
    if (const WriteResult written = writeRenameJournal(folder, journal); !written)
        return {false, {}, QStringLiteral("ファイル名の変更を記録できません: ") + written.error};
    if (const WriteResult renamed = renameFile(picture, newPath); !renamed) {
        removeRenameJournal(folder);
        return {false, {}, renamed.error};
    }
    for (qsizetype i = 0; i < edits.size(); ++i) {
        const WriteResult written = writeBytesSafely(edits[i].path, edits[i].after);
        if (!written)
            return {false, {}, QStringLiteral("ページを保存できません: ") + written.error + QLatin1Char('\n')
                                   + rollBack(picture, newPath, edits.mid(0, i))};
    }
    removeRenameJournal(folder);
    return {true, newPath, {}};
}

} // namespace sorvek
