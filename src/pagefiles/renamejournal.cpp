#include "pagefiles/renamejournal.h"

#include "commands/booktree.h"
#include "pagefiles/filerenames.h"
#include "pagefiles/journalcheck.h"
#include "pagefiles/picturenumbering.h"
#include "pagefiles/renamelock.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <optional>

#ifdef Q_OS_UNIX
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace sorvek {

namespace {

// Version 2: the pages of a picture journal are given relative to the book folder.
const QString header = QStringLiteral("sorvek-rename-journal 2");
// A batch of renames that an earlier version left unfinished is still finished; only its picture
// journals named pages another way.
const QString headerWithoutPages = QStringLiteral("sorvek-rename-journal 1");
// Far above any real batch (thousands of files with long names); a larger file is not ours.
constexpr qint64 journalSizeCap = 64 * 1024 * 1024;
const QString parkingLine = QStringLiteral("parking");
const QString placingLine = QStringLiteral("placing");
const QChar tab = QLatin1Char('\t');

// Names are kept percent-encoded, so tabs, line breaks and any other character survive a line.
QString encoded(const QString &name)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(name));
}

QString decoded(const QString &field)
{
    return QUrl::fromPercentEncoding(field.toLatin1());
}

QStringList journalLines(const RenameJournal &journal)
{
    QStringList lines{header, journal.phase == RenameJournal::Phase::Placing ? placingLine : parkingLine};
    for (const JournalRename &r : journal.renames)
        lines.append(QStringList{QStringLiteral("R"), encoded(r.from), encoded(r.temp), encoded(r.to)}.join(tab));
    if (!journal.oldReference.isEmpty())
        lines.append(QStringLiteral("O") + tab + encoded(journal.oldReference));
    if (!journal.newReference.isEmpty())
        lines.append(QStringLiteral("N") + tab + encoded(journal.newReference));
    for (const QString &page : journal.pages)
        lines.append(QStringLiteral("P") + tab + encoded(page));
    return lines;
}

std::optional<RenameJournal> parseJournal(const QStringList &lines)
{
    if (lines.size() < 2 || (lines[0] != header && lines[0] != headerWithoutPages)
        || (lines[1] != parkingLine && lines[1] != placingLine))
        return std::nullopt;
    RenameJournal journal;
    journal.phase = lines[1] == placingLine ? RenameJournal::Phase::Placing : RenameJournal::Phase::Parking;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(tab);
        const QString kind = fields.value(0);
        if (kind == QLatin1String("R") && fields.size() == 4)
            journal.renames.append({decoded(fields[1]), decoded(fields[2]), decoded(fields[3])});
        else if (kind == QLatin1String("O") && fields.size() == 2)
            journal.oldReference = decoded(fields[1]);
        else if (kind == QLatin1String("N") && fields.size() == 2)
            journal.newReference = decoded(fields[1]);
        else if (kind == QLatin1String("P") && fields.size() == 2 && lines[0] == header)
            journal.pages.append(decoded(fields[1]));
        else
            return std::nullopt;
    }
    return journal;
}

// A free name near wanted: its base with a running number (a1.html, a2.html ...).
QString freeNameNear(const QString &folder, const QString &wanted)
{
    const qsizetype dot = wanted.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? wanted.left(dot) : wanted;
    const QString ext = dot > 0 ? wanted.mid(dot) : QString();
    for (int n = 1;; ++n) {
        const QString name = base + QString::number(n) + ext;
        if (!nameTaken(folder, name))
            return name;
    }
}

struct Tally {
    int restored = 0;     // back under the old name
    int finished = 0;     // under the new name
    QStringList elsewhere;  // "temporary -> other name" when both names were taken
    QStringList stuck;    // left under a temporary name
    int pagesRewritten = 0;
    QStringList pageErrors;
};

// A parked file goes back to its old name (or on to its new one), whichever is free; nothing is
// renamed over a file.
void placeParkedFile(const QDir &dir, const JournalRename &r, bool forward, Tally &tally)
{
    const QString first = forward ? r.to : r.from;
    const QString second = forward ? r.from : r.to;
    QString target = !nameTaken(dir.path(), first) ? first : second;
    if (nameTaken(dir.path(), target))
        target = freeNameNear(dir.path(), r.from);
    if (!renameFile(dir.filePath(r.temp), dir.filePath(target))) {
        tally.stuck.append(dir.filePath(r.temp));
        return;
    }
    if (target == r.from)
        ++tally.restored;
    else if (target == r.to)
        ++tally.finished;
    else
        tally.elsewhere.append(r.from + QStringLiteral(" → ") + target);
}

// Pages follow the picture to wherever it now is; the picture itself is never renamed here.
void followPicture(const QDir &dir, const QString &bookFolder, const RenameJournal &journal, Tally &tally)
{
    const bool forward = pictureIsUnderNewName(journal, dir.path());
    const QString from = forward ? journal.oldReference : journal.newReference;
    const QString to = forward ? journal.newReference : journal.oldReference;
    const QDir book(bookFolder);
    for (const QString &page : journal.pages) {
        if (!QFileInfo(book.filePath(page)).isFile())
            continue;  // deleted since: nothing left to follow
        const PageReferenceRewrite rewritten = replaceReferencesInPage(book.filePath(page), from, to, dir.path());
        if (!rewritten.written)
            tally.pageErrors.append(rewritten.written.error);
        else if (rewritten.changed)
            ++tally.pagesRewritten;
    }
}

QString describe(const QString &folder, const Tally &t, bool repaired, bool kept)
{
    QStringList lines{(repaired ? QStringLiteral("前回中断したファイル名の変更を直しました: ")
                                : QStringLiteral("前回中断したファイル名の変更を直せませんでした: "))
                      + folder};
    if (t.restored > 0)
        lines.append(QStringLiteral("元の名前に戻したファイル: %1").arg(t.restored));
    if (t.finished > 0)
        lines.append(QStringLiteral("新しい名前にしたファイル: %1").arg(t.finished));
    if (!t.elsewhere.isEmpty())
        lines.append(QStringLiteral("どちらの名前も使われていたので別の名前にしたファイル: ") + t.elsewhere.join(QStringLiteral(", ")));
    if (t.pagesRewritten > 0)
        lines.append(QStringLiteral("画像の名前を書き直したページ: %1").arg(t.pagesRewritten));
    if (!t.stuck.isEmpty())
        lines.append(QStringLiteral("名前を戻せなかったファイル: ") + t.stuck.join(QStringLiteral(", ")));
    if (!t.pageErrors.isEmpty())
        lines.append(QStringLiteral("書き直せなかったページ: ") + t.pageErrors.join(QStringLiteral(", ")));
    if (kept)
        lines.append(QStringLiteral("記録は残しました。次にこのフォルダを開くときに、残りを直します。"));
    return lines.join(QLatin1Char('\n'));
}

// Moves a journal that is not acted on out of the way for good, so the folder works again.
JournalRecovery setAside(const QString &path, const QString &found)
{
    const QFileInfo journal(path);
    int n = 0;
    while (nameTaken(journal.path(), journal.fileName() + QStringLiteral(".rejected") + (n ? QString::number(n) : QString())))
        ++n;
    const QString target = path + QStringLiteral(".rejected") + (n ? QString::number(n) : QString());
    const WriteResult moved = renameFile(path, target);
    return {false, QStringLiteral("ファイル名の変更の記録を使いませんでした: ") + path + QLatin1Char('\n') + found
                       + QStringLiteral("\nファイルの名前もページも何も変更していません。")
                       + (moved ? QStringLiteral("記録は ") + QFileInfo(target).fileName() + QStringLiteral(" に移しました。")
                                : QStringLiteral("記録を移せませんでした: ") + moved.error)};
}

// The journal at path, read only when it is a regular file of a sane size.
std::optional<RenameJournal> readJournal(const QString &path, QString &found)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile()) {
        found = QStringLiteral("記録が普通のファイルではありません。");
        return std::nullopt;
    }
    if (info.size() > journalSizeCap) {
        found = QStringLiteral("記録が大きすぎます (%1 バイト)。").arg(info.size());
        return std::nullopt;
    }
    const ReadResult read = readPageText(path);
    const std::optional<RenameJournal> journal = read ? parseJournal(splitLines(read.text)) : std::nullopt;
    if (!journal)
        found = read ? QStringLiteral("記録が壊れています。") : QStringLiteral("記録を読めません: ") + read.error;
    return journal;
}

JournalRecovery actOn(const QDir &dir, const QString &bookFolder, const RenameJournal &journal)
{
    const bool forward = journal.phase == RenameJournal::Phase::Placing;
    Tally tally;
    if (journal.pages.isEmpty() && journal.oldReference.isEmpty()) {
        for (const JournalRename &r : journal.renames) {
            // Only a file under its parked name moves; a temporary name that is a folder is not ours.
            const QFileInfo parked(dir.filePath(r.temp));
            if ((parked.exists() || parked.isSymLink()) && !parked.isDir())
                placeParkedFile(dir, r, forward, tally);
        }
    } else {
        followPicture(dir, bookFolder, journal, tally);
    }
    const bool kept = !tally.stuck.isEmpty() || !tally.pageErrors.isEmpty();
    if (!kept)
        removeRenameJournal(dir.path());
    const bool repaired = tally.restored + tally.finished + tally.pagesRewritten > 0 || !tally.elsewhere.isEmpty();
    if (!repaired && !kept)
        return {};
    return {repaired, describe(dir.path(), tally, repaired, kept)};
}

} // namespace

QString renameJournalName()
{
    return QStringLiteral("_sorvek-rename.journal");
}

WriteResult noRenameJournalPending(const QString &folder)
{
    const QString path = QDir(folder).filePath(renameJournalName());
    if (nameTaken(folder, renameJournalName()))
        return {false, QStringLiteral("前回中断したファイル名の変更が終わっていません: ") + path
                           + QStringLiteral("\nフォルダを開き直すと直します。")};
    return {true, {}};
}

WriteResult writeRenameJournal(const QString &folder, const RenameJournal &journal)
{
    return writePageLines(QDir(folder).filePath(renameJournalName()), journalLines(journal));
}

void removeRenameJournal(const QString &folder)
{
    QFile::remove(QDir(folder).filePath(renameJournalName()));
}

JournalRecovery recoverRenameJournal(const QString &folder, const QString &bookFolder)
{
    const QDir dir(folder);
    const QString path = dir.filePath(renameJournalName());
    // A folder outside the book is not the program's to repair.
    if (!nameTaken(folder, renameJournalName()) || bookFolder.isEmpty() || !resolvesInside(folder, bookFolder))
        return {};
    const FolderRenameLock lock(folder, 500);
    if (!lock.held())
        return {false, lock.error()};
    if (!nameTaken(folder, renameJournalName()))
        return {};  // finished by the window that held the lock
    QString found;
    const std::optional<RenameJournal> journal = readJournal(path, found);
    if (!journal)
        return setAside(path, found);
    if (const QString problem = journalProblem(*journal, folder, bookFolder); !problem.isEmpty())
        return setAside(path, problem);
    return actOn(dir, bookFolder, *journal);
}

namespace {

// folder and every folder below it, hidden ones too, never through a link. Only the folders'
// entries are read: each entry's own type says whether it is a folder, so the thousands of
// pages beside them are not asked anything (a book opens with this walk).
QStringList foldersOfBook(const QString &bookFolder)
{
    QStringList folders{bookFolder};
#ifdef Q_OS_UNIX
    for (qsizetype next = 0; next < folders.size(); ++next) {
        const QString folder = folders.at(next);
        const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
        DIR *dir = ::opendir(QFile::encodeName(folder).constData());
        if (!dir)
            continue;
        while (const dirent *entry = ::readdir(dir)) {
            const char *name = entry->d_name;
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
                continue;
            bool isFolder = entry->d_type == DT_DIR;
            if (entry->d_type == DT_UNKNOWN) {
                struct stat st {};
                isFolder = ::fstatat(::dirfd(dir), name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
            }
            if (isFolder)
                folders.append(prefix + QFile::decodeName(name));
        }
        ::closedir(dir);
    }
#else
    QDirIterator it(bookFolder, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString folder = it.next();
        if (!it.fileInfo().isSymLink())
            folders.append(folder);
    }
#endif
    return folders;
}

} // namespace

JournalRecovery recoverRenameJournals(const QString &bookFolder)
{
    const QStringList folders = foldersOfBook(bookFolder);
    JournalRecovery all;
    QStringList messages;
    for (const QString &folder : folders) {
        const JournalRecovery one = recoverRenameJournal(folder, bookFolder);
        all.repaired = all.repaired || one.repaired;
        if (!one.message.isEmpty())
            messages.append(one.message);
    }
    all.message = messages.join(QStringLiteral("\n\n"));
    return all;
}

} // namespace sorvek
