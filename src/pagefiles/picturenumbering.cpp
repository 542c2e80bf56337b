#include "pagefiles/picturenumbering.h"

#include "commands/textfile.h"
#include "commands/texthelpers.h"
#include "pagefiles/pagereferences.h"
#include "pagefiles/renamejournal.h"

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
        QFile file(page);
        if (!file.open(QIODevice::ReadOnly)) {
            error = page + QStringLiteral(" (") + file.errorString() + QLatin1Char(')');
            return false;
        }
        const QByteArray bytes = file.readAll();
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

PictureRenameResult renamePictureInPages(const QString &picture, const QString &base, const QStringList &pages)
{
    const QFileInfo info(picture);
    const QString folder = info.path();
    const QString oldName = info.fileName();
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
        journal.pages.append(QDir(folder).relativeFilePath(edit.path));
    if (const WriteResult free = noRenameJournalPending(folder); !free)
        return {false, {}, free.error};
    if (const WriteResult written = writeRenameJournal(folder, journal); !written)
        return {false, {}, QStringLiteral("ファイル名の変更を記録できません: ") + written.error};
    QFile file(picture);
    if (!file.rename(newPath)) {
        removeRenameJournal(folder);
        return {false, {}, QStringLiteral("ファイル名を変更できません: ") + picture + QStringLiteral(" (") + file.errorString()
                               + QLatin1Char(')')};
    }
    for (qsizetype i = 0; i < edits.size(); ++i) {
        const WriteResult written = writeBytesSafely(edits[i].path, edits[i].after);
        if (written)
            continue;
        for (qsizetype j = 0; j < i; ++j)
            writeBytesSafely(edits[j].path, edits[j].before);
        if (QFile::rename(newPath, picture))
            removeRenameJournal(folder);
        return {false, {}, QStringLiteral("ページを保存できません: ") + written.error};
    }
    removeRenameJournal(folder);
    return {true, newPath, {}};
}

} // namespace sorvek
