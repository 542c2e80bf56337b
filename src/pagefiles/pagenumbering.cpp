#include "pagefiles/pagenumbering.h"

#include <QDir>
#include <QSet>

#include <algorithm>

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

QString numberedPageName(const QString &name, int position)
{
    return QString::number(1000 + 10 * position) + QLatin1Char('_') + withoutNumberPrefix(name).value_or(name);
}

QString withExtension(const QString &name, const QString &extension)
{
    return baseOf(name) + extension;
}

QStringList movePageEntry(const QStringList &pages, int from, int to)
{
    QStringList out = pages;
    if (from <= 0 || from >= pages.size())
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

QList<FileRename> planPageRenumbering(const QString &folder, const QStringList &pages)
{
    QList<FileRename> wanted;
    for (int i = 0; i < pages.size(); ++i) {
        if (!keepsItsName(pages[i]))
            wanted.append({pages[i], numberedPageName(pages[i], i)});
    }
    const QList<FileRename> moved = feasibleRenames(folder, wanted);
    QList<FileRename> companions;
    for (const FileRename &page : moved)
        companions += companionRenames(page);
    return moved + feasibleRenames(folder, companions);
}

QList<FileRename> planNumberStripping(const QString &folder, const QStringList &pages)
{
    QSet<QString> taken = namesIn(folder);
    QList<FileRename> plan;
    // Each rename frees its old name and takes its new one before the next page is planned,
    // as renaming one file after the other would.
    const auto take = [&](const FileRename &r) {
        taken.remove(r.from);
        taken.insert(r.to);
        plan.append(r);
    };
    for (const QString &page : pages) {
        const std::optional<QString> stripped = withoutNumberPrefix(page);
        if (!stripped || page.contains(QLatin1Char('/')) || !taken.contains(page))
            continue;
        const FileRename renamed{page, freeStrippedName(*stripped, taken)};
        take(renamed);
        for (const FileRename &companion : companionRenames(renamed)) {
            if (taken.contains(companion.from) && !taken.contains(companion.to))
                take(companion);
        }
    }
    return plan;
}

RenameBatchResult renumberPages(const QString &folder, const QStringList &pages)
{
    return applyRenames(folder, planPageRenumbering(folder, pages));
}

PageMoveResult movePageAndRenumber(const QString &folder, const QStringList &pages, int from, int to)
{
    const int position = pages.isEmpty() ? 0 : std::clamp(to, 0, int(pages.size()) - 1);
    return {position, renumberPages(folder, movePageEntry(pages, from, position))};
}

RenameBatchResult stripPageNumbers(const QString &folder, const QStringList &pages)
{
    return applyRenames(folder, planNumberStripping(folder, pages));
}

} // namespace sorvek
