#include "pagefiles/journalcheck.h"

#include "commands/booktree.h"
#include "pagefiles/filerenames.h"
#include "pagefiles/picturenumbering.h"
#include "pagefiles/renamelock.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace sorvek {

namespace {

QString quoted(const QString &name)
{
    return QStringLiteral("「") + name + QStringLiteral("」");
}

bool isPictureJournal(const RenameJournal &journal)
{
    return !journal.oldReference.isEmpty() || !journal.newReference.isEmpty() || !journal.pages.isEmpty();
}

QString nameProblem(const QString &name)
{
    if (!isPlainFileName(name))
        return QStringLiteral("このフォルダのファイル名ではない名前があります: ") + quoted(name);
    if (name == renameJournalName() || name == FolderRenameLock::fileName())
        return QStringLiteral("記録そのものの名前があります: ") + quoted(name);
    return {};
}

// Each name may stand once per column, and a temporary name never for a real one.
QString renamesProblem(const QList<JournalRename> &renames, bool picture)
{
    QSet<QString> froms, temps, tos;
    for (const JournalRename &r : renames) {
        for (const QString &name : {r.from, r.temp, r.to}) {
            if (const QString problem = nameProblem(name); !problem.isEmpty())
                return problem;
        }
        if (picture ? r.temp != r.from : !isTemporaryRenameName(r.temp))
            return QStringLiteral("このプログラムが作らない一時的な名前があります: ") + quoted(r.temp);
        if (froms.contains(r.from) || tos.contains(r.to) || (!picture && temps.contains(r.temp)))
            return QStringLiteral("同じ名前が二度あります: ") + quoted(froms.contains(r.from) ? r.from : r.to);
        froms.insert(r.from);
        temps.insert(r.temp);
        tos.insert(r.to);
    }
    if (picture)
        return {};
    for (const QString &temp : temps) {
        if (froms.contains(temp) || tos.contains(temp))
            return QStringLiteral("一時的な名前がファイルの名前としても使われています: ") + quoted(temp);
    }
    return {};
}

// A page of the book: a relative path without "..", to a page file that is no link and lies in it.
QString pageProblem(const QString &page, const QString &bookFolder)
{
    const QString problem = QStringLiteral("ブックのページではないものを書き換える記録です: ") + quoted(page);
    if (page.isEmpty() || page.startsWith(QLatin1Char('/')) || !isPageFile(page))
        return problem;
    for (const QString &part : page.split(QLatin1Char('/'))) {
        if (!isPlainFileName(part))
            return problem;
    }
    const QString path = QDir(bookFolder).filePath(page);
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile()) || !entryLiesInside(path, bookFolder))
        return problem;
    return {};
}

QString pictureProblem(const RenameJournal &journal, const QString &folder, const QString &bookFolder)
{
    if (journal.renames.size() != 1)
        return QStringLiteral("画像の名前の変更の記録に、画像が一つではなく %1 あります").arg(journal.renames.size());
    const JournalRename &picture = journal.renames.first();
    if (!isPictureFile(picture.from) || !isPictureFile(picture.to) || journal.oldReference != picture.from
        || journal.newReference != picture.to)
        return QStringLiteral("画像ではないファイルの名前を書き換える記録です: ") + quoted(picture.from);
    for (const QString &page : journal.pages) {
        if (const QString problem = pageProblem(page, bookFolder); !problem.isEmpty())
            return problem;
    }
    if (nameTaken(folder, picture.from) == nameTaken(folder, picture.to))
        return QStringLiteral("記録がフォルダの今のファイルと合いません: 画像 ") + quoted(picture.from) + QStringLiteral(" と ")
               + quoted(picture.to) + (nameTaken(folder, picture.from) ? QStringLiteral(" が両方あります") : QStringLiteral(" のどちらもありません"));
    return {};
}

} // namespace

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

QString journalProblem(const RenameJournal &journal, const QString &folder, const QString &bookFolder)
{
    const bool picture = isPictureJournal(journal);
    if (const QString problem = renamesProblem(journal.renames, picture); !problem.isEmpty())
        return problem;
    return picture ? pictureProblem(journal, folder, bookFolder) : QString();
}

bool pictureIsUnderNewName(const RenameJournal &journal, const QString &folder)
{
    return !journal.renames.isEmpty() && nameTaken(folder, journal.renames.first().to)
           && !nameTaken(folder, journal.renames.first().from);
}

} // namespace sorvek
