#include "pagefiles/picturenumbering.h"

#include "commands/textfile.h"
#include "commands/texthelpers.h"
#include "pagefiles/renamejournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace sorvek {

namespace {

QString lowerExtension(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-') || c == QLatin1Char('.')
           || c == QLatin1Char('~') || c == QLatin1Char('$');
}

const QByteArray utf8Bom("\xEF\xBB\xBF");

struct PageEdit {
    QString path;
    QByteArray before;  // the page's bytes as read, to give back on failure
    QByteArray after;
};

// The new bytes of each page that names the picture; false with the error when one cannot be read.
bool planPageEdits(const QStringList &pages, const QString &oldName, const QString &newName,
                   QList<PageEdit> &edits, QString &error)
{
    for (const QString &page : pages) {
        QFile file(page);
        if (!file.open(QIODevice::ReadOnly)) {
            error = describeFileFailure(page, file);
            return false;
        }
        const QByteArray bytes = file.readAll();
        const DecodedPage decoded = decodePageBytes(bytes);
        const QString text = decoded.declaresShiftJis ? declareUtf8(decoded.text) : decoded.text;
        const QString replaced = replaceFileNameReferences(text, oldName, newName);
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

namespace {

QString replaceLiteralReferences(const QString &text, const QString &oldName, const QString &newName)
{
    QString out;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(oldName, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(oldName, at + 1, Qt::CaseInsensitive)) {
        const qsizetype end = at + oldName.size();
        if (at < from || (at > 0 && isNameCharacter(text.at(at - 1)))
            || (end < text.size() && isNameCharacter(text.at(end))))
            continue;
        out += text.mid(from, at - from) + newName;
        from = end;
    }
    return out + text.mid(from);
}

// Runs of name characters holding a "%" whose decoded text is oldName become newName encoded.
QString replaceEncodedReferences(const QString &text, const QString &oldName, const QString &newName)
{
    const auto inRun = [](QChar c) { return isNameCharacter(c) || c == QLatin1Char('%'); };
    QString out;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(QLatin1Char('%')); at >= 0; at = text.indexOf(QLatin1Char('%'), at)) {
        qsizetype start = at;
        while (start > from && inRun(text.at(start - 1)))
            --start;
        qsizetype end = at;
        while (end < text.size() && inRun(text.at(end)))
            ++end;
        const QString run = text.mid(start, end - start);
        if (QUrl::fromPercentEncoding(run.toUtf8()).compare(oldName, Qt::CaseInsensitive) == 0) {
            out += text.mid(from, start - from) + QString::fromLatin1(QUrl::toPercentEncoding(newName));
            from = end;
        }
        at = end;
    }
    return out + text.mid(from);
}

} // namespace

QString replaceFileNameReferences(const QString &text, const QString &oldName, const QString &newName)
{
    if (oldName.isEmpty())
        return text;
    if (text.contains(QLatin1Char('%')))
        return replaceEncodedReferences(replaceLiteralReferences(text, oldName, newName), oldName, newName);
    return replaceLiteralReferences(text, oldName, newName);
}

PageReferenceRewrite replaceReferencesInPage(const QString &page, const QString &oldName, const QString &newName)
{
    QList<PageEdit> edits;
    QString error;
    if (!planPageEdits({page}, oldName, newName, edits, error))
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
    if (!planPageEdits(pages, oldName, newName, edits, error))
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
        return {false, {}, QStringLiteral("ファイル名を変更できません: ") + describeFileFailure(picture, file)};
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
