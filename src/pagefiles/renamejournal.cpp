#include "pagefiles/renamejournal.h"

#include "pagefiles/filerenames.h"
#include "pagefiles/picturenumbering.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <optional>

namespace sorvek {

namespace {

const QString header = QStringLiteral("sorvek-rename-journal 1");
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
    if (lines.size() < 2 || lines[0] != header || (lines[1] != parkingLine && lines[1] != placingLine))
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
        else if (kind == QLatin1String("P") && fields.size() == 2)
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

void placeParkedFile(const QDir &dir, const JournalRename &r, bool forward, Tally &tally)
{
    const QString first = forward ? r.to : r.from;
    const QString second = forward ? r.from : r.to;
    QString target = !nameTaken(dir.path(), first) ? first : second;
    if (nameTaken(dir.path(), target))
        target = freeNameNear(dir.path(), r.from);
    if (!QFile::rename(dir.filePath(r.temp), dir.filePath(target))) {
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

// Pages follow the picture to wherever it now is.
void followPicture(const QDir &dir, const RenameJournal &journal, Tally &tally)
{
    if (journal.oldReference.isEmpty() || journal.newReference.isEmpty() || journal.renames.isEmpty())
        return;
    const JournalRename &picture = journal.renames.first();
    const bool forward = nameTaken(dir.path(), picture.to) && !nameTaken(dir.path(), picture.from);
    const QString from = forward ? journal.oldReference : journal.newReference;
    const QString to = forward ? journal.newReference : journal.oldReference;
    for (const QString &page : journal.pages) {
        const PageReferenceRewrite rewritten = replaceReferencesInPage(dir.filePath(page), from, to, dir.path());
        if (!rewritten.written)
            tally.pageErrors.append(rewritten.written.error);
        else if (rewritten.changed)
            ++tally.pagesRewritten;
    }
}

QString describe(const QString &folder, const Tally &t)
{
    QStringList lines{QStringLiteral("前回中断したファイル名の変更を直しました: ") + folder};
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
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString renameJournalName()
{
    return QStringLiteral("_sorvek-rename.journal");
}

WriteResult noRenameJournalPending(const QString &folder)
{
    const QString path = QDir(folder).filePath(renameJournalName());
    if (QFileInfo::exists(path))
        return {false, QStringLiteral("前回中断したファイル名の変更が終わっていません: ") + path};
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

JournalRecovery recoverRenameJournal(const QString &folder)
{
    const QDir dir(folder);
    const QString path = dir.filePath(renameJournalName());
    if (!QFile::exists(path))
        return {};
    const ReadResult read = readPageText(path);
    const std::optional<RenameJournal> journal = read ? parseJournal(splitLines(read.text)) : std::nullopt;
    if (!journal) {
        // Kept: it is the only record of the old names.
        return {false, QStringLiteral("中断したファイル名の変更の記録を読めません: ") + path
                           + (read ? QString() : QStringLiteral(" (") + read.error + QLatin1Char(')'))};
    }
    const bool forward = journal->phase == RenameJournal::Phase::Placing;
    Tally tally;
    for (const JournalRename &r : journal->renames) {
        if (r.temp != r.from && nameTaken(folder, r.temp))
            placeParkedFile(dir, r, forward, tally);
        else if (r.temp == r.from && forward && nameTaken(folder, r.from) && !nameTaken(folder, r.to))
            placeParkedFile(dir, r, forward, tally);  // a single rename (a picture) not yet made
    }
    followPicture(dir, *journal, tally);
    if (tally.stuck.isEmpty())
        removeRenameJournal(folder);
    const bool repaired = tally.restored + tally.finished + tally.pagesRewritten > 0 || !tally.elsewhere.isEmpty();
    if (!repaired && tally.stuck.isEmpty() && tally.pageErrors.isEmpty())
        return {};
    return {repaired, describe(dir.path(), tally)};
}

JournalRecovery recoverRenameJournals(const QString &bookFolder)
{
    QStringList folders{bookFolder};
    QDirIterator it(bookFolder, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString folder = it.next();
        if (!it.fileInfo().isSymLink())
            folders.append(folder);
    }
    JournalRecovery all;
    QStringList messages;
    for (const QString &folder : folders) {
        const JournalRecovery one = recoverRenameJournal(folder);
        all.repaired = all.repaired || one.repaired;
        if (!one.message.isEmpty())
            messages.append(one.message);
    }
    all.message = messages.join(QStringLiteral("\n\n"));
    return all;
}

} // namespace sorvek
