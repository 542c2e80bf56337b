#include "pagefiles/filerenames.h"

#include "commands/textfile.h"
#include "pagefiles/renamejournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace sorvek {

namespace {

QString describeRename(const QDir &dir, const QString &from, const QString &to, const QFile &file)
{
    return QStringLiteral("ファイル名を変更できません: ") + dir.filePath(from) + QStringLiteral(" → ") + to
           + QStringLiteral(" (") + fileErrorInWords(file) + QLatin1Char(')');
}

// A hidden name, so a file left under it by a crash never shows up as a page.
QString temporaryName(const QDir &dir, int i)
{
    for (int attempt = 0;; ++attempt) {
        const QString name = QStringLiteral(".sorvek-rename-%1-%2").arg(i).arg(attempt);
        if (!nameTaken(dir.path(), name))
            return name;
    }
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
        if (!QFile::rename(dir.filePath(done[i].to), dir.filePath(done[i].from)))
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
    if (const WriteResult free = noRenameJournalPending(folder); !free)
        return failed(free.error, {});
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
        QFile file(dir.filePath(r.from));
        if (!file.rename(dir.filePath(r.temp)))
            return giveUp(describeRename(dir, r.from, r.to, file), undo(dir, parked));
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
        QFile file(dir.filePath(r.temp));
        // QFile::rename never replaces an existing file, so a name taken meanwhile fails here.
        if (!file.rename(dir.filePath(r.to))) {
            const QString what = describeRename(dir, r.from, r.to, file);
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
