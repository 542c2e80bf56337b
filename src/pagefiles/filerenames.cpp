#include "pagefiles/filerenames.h"

#include "commands/textfile.h"
#include "pagefiles/renamejournal.h"
#include "pagefiles/renamelock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace sorvek {

namespace {

const QString temporaryPrefix = QStringLiteral(".sorvek-rename-");
// A hidden name, so a file left under it by a crash never shows up as a page.
QString temporaryName(const QDir &dir, int i)
{
    for (int attempt = 0;; ++attempt) {
        const QString name = temporaryPrefix + QStringLiteral("%1-%2").arg(i).arg(attempt);
        if (!nameTaken(dir.path(), name))
            return name;
    }
}

// renameat2 refuses to replace in one step; file systems without it get a test, then rename.
int renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::access(to.constData(), F_OK) == 0 || errno != ENOENT)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

long nameLimit(const QString &folder)
{
    const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? limit : 255;
}

struct Step {
    QString from;
    QString to;
};

// Renames back the steps done, last first; returns the names that could not be restored.
QStringList undo(const QDir &dir, const QList<Step> &done)
{
    QStringList stuck;
    for (qsizetype i = done.size() - 1; i >= 0; --i) {
        if (!renameFile(dir.filePath(done[i].to), dir.filePath(done[i].from)))
            stuck.append(dir.filePath(done[i].to));
    }
    return stuck;
}

RenameBatchResult failed(const QString &what, const QStringList &stuck)
{
    RenameBatchResult result{false, 0, what};
    if (stuck.isEmpty())
        result.error += QStringLiteral("\nファイル名は元のままです。");
    else
        result.error += QStringLiteral("\n元の名前に戻せなかったファイル: ") + stuck.join(QStringLiteral(", "));
    return result;
}

} // namespace

bool nameTaken(const QString &folder, const QString &name)
{
    const QFileInfo info(QDir(folder).filePath(name));
    return info.exists() || info.isSymLink();
}

WriteResult renameFile(const QString &from, const QString &to, const QString &shownAs)
{
    const int error = renameNoReplace(QFile::encodeName(from), QFile::encodeName(to));
    if (error == 0)
        return {true, {}};
    const QString what = (shownAs.isEmpty() ? from : shownAs) + QStringLiteral(" → ") + QFileInfo(to).fileName();
    const QString why = error == EEXIST || error == ENOTEMPTY
                            ? what + QStringLiteral(" (新しい名前のファイルがすでにあります)")
                            : describeWriteFailure(what, error, QStringLiteral("名前を変更できません"));
    return {false, QStringLiteral("ファイル名を変更できません: ") + why};
}

bool isTemporaryRenameName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.sorvek-rename-[0-9]{1,9}-[0-9]{1,9}$"));
    return pattern.match(name).hasMatch();
}

QStringList unmakeableNames(const QString &folder, const QList<FileRename> &renames)
{
    const long limit = nameLimit(folder);
    QStringList out;
    for (const FileRename &r : renames) {
        const qsizetype bytes = QFile::encodeName(r.to).size();
        if (bytes > limit)
            out.append(r.from + QStringLiteral(" → ") + r.to + QStringLiteral(" (%1 バイト。%2 バイトまでです)").arg(bytes).arg(limit));
    }
    return out;
}

QString unmakeableNamesMessage(const QString &folder, const QStringList &names)
{
    return QStringLiteral("ファイル名を変更できません。新しい名前が長すぎるファイルがあります (") + folder
           + QStringLiteral("):\n") + names.join(QLatin1Char('\n'))
           + QStringLiteral("\nこれらのファイルの名前を短くしてから、もう一度行ってください。どのファイル名も変更していません。");
}

QList<FileRename> feasibleRenames(const QString &folder, const QList<FileRename> &wanted)
{
    QList<FileRename> kept;
    QSet<QString> sources;
    for (const FileRename &r : wanted) {
        if (r.from == r.to || r.from.isEmpty() || r.to.isEmpty() || sources.contains(r.from)
            || !nameTaken(folder, r.from))
            continue;
        sources.insert(r.from);
        kept.append(r);
    }
    // Dropping one rename keeps its source in place, which may block another: repeat until stable.
    for (bool changed = true; changed;) {
        changed = false;
        QSet<QString> moving;
        for (const FileRename &r : kept)
            moving.insert(r.from);
        QSet<QString> targets;
        QList<FileRename> next;
        for (const FileRename &r : kept) {
            if (targets.contains(r.to) || (nameTaken(folder, r.to) && !moving.contains(r.to))) {
                changed = true;
                continue;
            }
            targets.insert(r.to);
            next.append(r);
        }
        kept = next;
    }
    return kept;
}

RenameBatchResult applyRenames(const QString &folder, const QList<FileRename> &renames,
                               const RenameStepHook &afterRename)
{
    if (renames.isEmpty())
        return {true, 0, {}};
    const FolderRenameLock lock(folder);
    return applyRenames(lock, renames, afterRename);
}

RenameBatchResult applyRenames(const FolderRenameLock &held, const QList<FileRename> &renames,
                               const RenameStepHook &afterRename)
{
    if (renames.isEmpty())
        return {true, 0, {}};
    if (!held.held())
        return failed(held.error(), {});
    const QString folder = held.folder();
    if (const WriteResult free = noRenameJournalPending(folder); !free)
        return failed(free.error, {});
    if (const QStringList tooLong = unmakeableNames(folder, renames); !tooLong.isEmpty())
        return {false, 0, unmakeableNamesMessage(folder, tooLong)};
    const QDir dir(folder);
    RenameJournal journal;
    for (int i = 0; i < renames.size(); ++i)
        journal.renames.append({renames[i].from, temporaryName(dir, i), renames[i].to});
    if (const WriteResult written = writeRenameJournal(folder, journal); !written)
        return failed(QStringLiteral("ファイル名の変更を記録できません: ") + written.error, {});
    int done = 0;
    const auto step = [&] {
        ++done;
        if (afterRename)
            afterRename(done);
    };
    // Undone files are back under their old names; the journal stays while any is not.
    const auto giveUp = [&](const QString &what, const QStringList &stuck) {
        if (stuck.isEmpty())
            removeRenameJournal(folder);
        return failed(what, stuck);
    };
    QList<Step> parked;  // from -> temporary
    for (const JournalRename &r : journal.renames) {
        if (const WriteResult moved = renameFile(dir.filePath(r.from), dir.filePath(r.temp)); !moved)
            return giveUp(moved.error, undo(dir, parked));
        parked.append({r.from, r.temp});
        step();
    }
    // From here on a cut batch is finished rather than undone.
    journal.phase = RenameJournal::Phase::Placing;
    if (const WriteResult written = writeRenameJournal(folder, journal); !written) {
        return giveUp(QStringLiteral("ファイル名の変更を記録できません: ") + written.error, undo(dir, parked));
    }
    QList<Step> placed;  // temporary -> target
    for (const JournalRename &r : journal.renames) {
        // A name taken meanwhile fails here: nothing is ever replaced.
        if (const WriteResult moved = renameFile(dir.filePath(r.temp), dir.filePath(r.to), dir.filePath(r.from)); !moved) {
            const QString what = moved.error;
            QStringList stuck = undo(dir, placed);
            stuck += undo(dir, parked);
            return giveUp(what, stuck);
        }
        placed.append({r.temp, r.to});
        step();
    }
    removeRenameJournal(folder);
    return {true, int(renames.size()), {}};
}

} // namespace sorvek
