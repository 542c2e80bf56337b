#include "pagefiles/pagenumbering.h"

#include "pagefiles/renamelock.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <functional>

namespace sorvek {

namespace {

const QString companionExtensions[] = {QStringLiteral(".txt"), QStringLiteral(".wav")};

qsizetype extensionDot(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    return dot > slash ? dot : -1;
}

QString baseOf(const QString &name)
{
    const qsizetype dot = extensionDot(name);
    return dot < 0 ? name : name.left(dot);
}

QString extensionOf(const QString &name)
{
    const qsizetype dot = extensionDot(name);
    return dot < 0 ? QString() : name.mid(dot);
}

bool keepsItsName(const QString &page)
{
    return page.contains(QLatin1Char('/')) || baseOf(page).contains(QLatin1String("index"));
}

QList<FileRename> companionRenames(const FileRename &page)
{
    QList<FileRename> out;
    for (const QString &ext : companionExtensions)
        out.append({withExtension(page.from, ext), withExtension(page.to, ext)});
    return out;
}

// Every name of the folder, hidden ones too: any of them blocks a new name.
QSet<QString> namesIn(const QString &folder)
{
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                     | QDir::NoDotAndDotDot);
    return QSet<QString>(names.begin(), names.end());
}

// A stripped name that still makes a visible page: not empty, not hidden, not left off the list.
bool usableStrippedName(const QString &name)
{
    const QString base = baseOf(name);
    return !base.isEmpty() && !name.startsWith(QLatin1Char('.')) && !name.startsWith(QLatin1Char('_'));
}

// The stripped name for a page: the first name, counting on from it, that is not taken.
QString freeStrippedName(QString name, const QSet<QString> &taken)
{
    for (int n = 1; taken.contains(name); ++n)
        name = baseOf(name) + QString::number(n) + extensionOf(name);
    return name;
}

} // namespace

std::optional<QString> withoutNumberPrefix(const QString &name)
{
    const qsizetype underscore = name.indexOf(QLatin1Char('_'));
    if (underscore < 1)
        return std::nullopt;
    return name.mid(underscore + 1);
}

QString numberedPageName(const QString &name, int position, int width)
{
    return QString::number(1000 + 10 * position).rightJustified(width, QLatin1Char('0')) + QLatin1Char('_')
           + withoutNumberPrefix(name).value_or(name);
}

int numberWidth(int pageCount)
{
    return std::max(4, int(QString::number(1000 + 10 * std::max(0, pageCount - 1)).size()));
}

QString companionCollisionMessage(const QString &folder, const RenamePlan &plan)
{
    QStringList lines{QStringLiteral("ファイル名を変更できません。付属のファイルの新しい名前が、ほかのファイルに使われています (")
                      + folder + QStringLiteral("):")};
    for (const FileRename &c : plan.collisions)
        lines.append(c.from + QStringLiteral(" → ") + c.to);
    for (const FileRename &s : plan.strays)
        lines.append(s.to + QStringLiteral(" (") + s.from + QStringLiteral(" の名前を変えると、このページのものではないのに付属のファイルになってしまいます)"));
    lines.append(QStringLiteral("どのファイル名も変更していません。これらのファイルの名前を変えるか別のフォルダに移してから、もう一度行ってください。"));
    return lines.join(QLatin1Char('\n'));
}

QString withExtension(const QString &name, const QString &extension)
{
    return baseOf(name) + extension;
}

QStringList movePageEntry(const QStringList &pages, int from, int to, bool firstPageMoves)
{
    QStringList out = pages;
    if (from < (firstPageMoves ? 0 : 1) || from >= pages.size())
        return out;
    out.move(from, std::clamp(to, 0, int(pages.size()) - 1));
    return out;
}

std::optional<int> positionFromDialog(const QString &text, int pageCount)
{
    bool ok = false;
    const int position = text.trimmed().toInt(&ok) - 1;
    if (!ok)
        return std::nullopt;
    return std::max(0, std::min(position, pageCount - 1));
}

RenamePlan planPageRenumbering(const QString &folder, const QStringList &pages)
{
    const int width = numberWidth(int(pages.size()));
    QList<FileRename> wanted;
    for (int i = 0; i < pages.size(); ++i) {
        if (!keepsItsName(pages[i]))
            wanted.append({pages[i], numberedPageName(pages[i], i, width)});
    }
    RenamePlan plan;
    plan.renames = feasibleRenames(folder, wanted);
    QList<FileRename> companions;
    for (const FileRename &page : plan.renames) {
        for (const FileRename &companion : companionRenames(page)) {
            if (nameTaken(folder, companion.from))
                companions.append(companion);
        }
    }
    QSet<QString> moving;
    for (const FileRename &r : plan.renames + companions)
        moving.insert(r.from);
    const auto heldByAStayingFile = [&](const QString &name) { return nameTaken(folder, name) && !moving.contains(name); };
    QSet<QString> targets;
    for (const FileRename &c : companions) {
        if (targets.contains(c.to) || heldByAStayingFile(c.to))
            plan.collisions.append(c);
        targets.insert(c.to);
    }
    // A page without a memo or recording must not take over one left under its new name.
    for (const FileRename &page : plan.renames) {
        for (const FileRename &companion : companionRenames(page)) {
            if (!nameTaken(folder, companion.from) && heldByAStayingFile(companion.to))
                plan.strays.append({page.from, companion.to});
        }
    }
    plan.renames += companions;
    return plan;
}

RenamePlan planNumberStripping(const QString &folder, const QStringList &pages)
{
    QSet<QString> taken = namesIn(folder);
    RenamePlan plan;
    // Each rename frees its old name and takes its new one before the next page is planned,
    // as renaming one file after the other would.
    const auto take = [&](const FileRename &r) {
        taken.remove(r.from);
        taken.insert(r.to);
        plan.renames.append(r);
    };
    for (const QString &page : pages) {
        const std::optional<QString> stripped = withoutNumberPrefix(page);
        if (!stripped || !usableStrippedName(*stripped) || page.contains(QLatin1Char('/')) || !taken.contains(page))
            continue;
        const FileRename renamed{page, freeStrippedName(*stripped, taken)};
        take(renamed);
        for (const FileRename &companion : companionRenames(renamed)) {
            if (!taken.contains(companion.from)) {
                if (taken.contains(companion.to))
                    plan.strays.append({page, companion.to});  // would become this page's companion
            } else if (taken.contains(companion.to)) {
                plan.collisions.append(companion);
            } else {
                take(companion);
            }
        }
    }
    return plan;
}

namespace {

// Planned under the lock, so no other window renames between the plan and the batch.
RenameBatchResult carryOut(const QString &folder, const std::function<RenamePlan()> &planned,
                           const RenameStepHook &afterRename = {})
{
    const FolderRenameLock lock(folder);
    if (!lock.held())
        return {false, 0, lock.error() + QStringLiteral("\nどのファイル名も変更していません。")};
    const RenamePlan plan = planned();
    if (!plan.collisions.isEmpty() || !plan.strays.isEmpty())
        return {false, 0, companionCollisionMessage(folder, plan)};
    return applyRenames(lock, plan.renames, afterRename);
}

} // namespace

RenameBatchResult renumberPages(const QString &folder, const QStringList &pages, const RenameStepHook &afterRename)
{
    return carryOut(folder, [&] { return planPageRenumbering(folder, pages); }, afterRename);
}

PageMoveResult movePageAndRenumber(const QString &folder, const QStringList &pages, int from, int to,
                                   bool firstPageMoves)
{
    const int position = pages.isEmpty() ? 0 : std::clamp(to, 0, int(pages.size()) - 1);
    return {position, renumberPages(folder, movePageEntry(pages, from, position, firstPageMoves))};
}

RenameBatchResult stripPageNumbers(const QString &folder, const QStringList &pages)
{
    return carryOut(folder, [&] { return planNumberStripping(folder, pages); });
}

} // namespace sorvek
