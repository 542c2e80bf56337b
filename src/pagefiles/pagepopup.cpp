#include "pagefiles/pagepopup.h"

#include "book/pagelocation.h"
#include "commands/texthelpers.h"

#include <QDir>
#include <QFileInfo>

namespace sorvek {

namespace {

struct PageItemRow {
    const char16_t *caption;
    int image;
    PopupCommand command;
};

// The page items in menu order; an empty caption is a separator.
constexpr PageItemRow pageItemRows[] = {
    {u"ページの修正", 0, PopupCommand::EditPage},
    {u"ボタン順変更", -1, PopupCommand::ButtonOrder},
    {u"ページ削除", 5, PopupCommand::PageDelete},
    {u"LINK切れ削除", -1, PopupCommand::DeleteOrphanFiles},
    {u"書庫に保存", 4, PopupCommand::SaveToArchive},
    {u"", -1, PopupCommand::None},
    {u"LOOK自動リンク", 1, PopupCommand::LookLink},
    {u"LOOKの削除", -1, PopupCommand::LookRemove},
    {u"", -1, PopupCommand::None},
    {u"〆マークをつける", 2, PopupCommand::SetMark},
    {u"〆マークを解除", -1, PopupCommand::ClearMark},
    {u"〆→_合体.html印刷", 3, PopupCommand::MergeMarked},
    {u"〆以外→合体.html印刷", -1, PopupCommand::MergeUnmarked},
    {u"全て→合体.html印刷", -1, PopupCommand::MergeAll},
    {u"", -1, PopupCommand::None},
    {u"ページに録音", 6, PopupCommand::RecordSound},
    {u"ページ録音削除", -1, PopupCommand::DeleteSound},
    {u"", -1, PopupCommand::None},
    {u"ページ(　)印刷", 3, PopupCommand::PrintBlankSheet},
    {u"ページ(解)印刷", -1, PopupCommand::PrintAnswerSheet},
    {u"", -1, PopupCommand::None},
    {u"RESUMEを印刷", 3, PopupCommand::PrintResume},
};

PopupItem separator()
{
    PopupItem item;
    item.kind = PopupItem::Kind::Separator;
    item.caption = QStringLiteral("-");
    return item;
}

// The file name of a page reference: after the last "\" or ":", then after the last "/".
QString referenceFileName(const QString &ref)
{
    if (isBarePageName(ref))  // a page file's own name may hold ":"
        return ref;
    const qsizetype cut = std::max(ref.lastIndexOf(QLatin1Char('\\')), ref.lastIndexOf(QLatin1Char(':')));
    return urlFileName(ref.mid(cut + 1));
}

} // namespace

QList<PopupItem> pagePopupItems(const QString &pageRef, const QStringList &shortcuts, bool hasHelp)
{
    QList<PopupItem> items;
    const QString name = referenceFileName(pageRef);
    if (!pageRef.toLower().contains(QLatin1String("http:")) && !isWebPageReference(pageRef) && !name.startsWith(QLatin1Char('_'))) {
        const bool isIndex = QFileInfo(name).completeBaseName().toLower().contains(QLatin1String("index"));
        for (const PageItemRow &row : pageItemRows) {
            if (row.command == PopupCommand::ButtonOrder && isIndex)
                continue;
            if (row.command == PopupCommand::None) {
                items.append(separator());
                continue;
            }
            PopupItem item;
            item.caption = QString::fromUtf16(row.caption);
            item.image = row.image;
            item.command = row.command;
            items.append(item);
        }
    }
    if (!shortcuts.isEmpty()) {
        items.append(separator());
        for (int i = 0; i < shortcuts.size(); ++i) {
            PopupItem item;
            item.kind = PopupItem::Kind::Shortcut;
            item.caption = shortcuts.at(i);
            item.tag = i;
            items.append(item);
        }
    }
    if (hasHelp) {
        PopupItem help;
        help.kind = PopupItem::Kind::Help;
        help.caption = QStringLiteral("ヘルプ");
        items.append(help);
    }
    return items;
}

QStringList folderShortcuts(const QString &folder)
{
    // The mask matches in any case; filtering before sorting keeps big folders quick.
    return QDir(folder).entryList({QStringLiteral("*.lnk")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

} // namespace sorvek
