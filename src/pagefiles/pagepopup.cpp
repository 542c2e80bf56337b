#include "pagefiles/pagepopup.h"

#include "commands/texthelpers.h"

#include <QDir>
#include <QFileInfo>

namespace sorvek {

namespace {

struct PageItemRow {
    const char16_t *caption;
    int image;
    const char *handler;
};

// The page items in menu order; an empty caption is a separator.
constexpr PageItemRow pageItemRows[] = {
    {u"ページの修正", 0, "EditPageClick"},
    {u"ボタン順変更", -1, "ButtonOrderClick"},
    {u"ページ削除", 5, "PageDeleteClick"},
    {u"LINK切れ削除", -1, "DeleteOrphanFilesClick"},
    {u"書庫に保存", 4, "SaveToArchiveClick"},
    {u"", -1, ""},
    {u"LOOK自動リンク", 1, "LookLinkClick"},
    {u"LOOKの削除", -1, "LookRemoveClick"},
    {u"", -1, ""},
    {u"〆マークをつける", 2, "SetMarkClick"},
    {u"〆マークを解除", -1, "ClearMarkClick"},
    {u"〆→_合体.html印刷", 3, "MergeMarkedClick"},
    {u"〆以外→合体.html印刷", -1, "MergeUnmarkedClick"},
    {u"全て→合体.html印刷", -1, "MergeAllClick"},
    {u"", -1, ""},
    {u"ページに録音", 6, "RecordSound"},
    {u"ページ録音削除", -1, "DeleteSound"},
    {u"", -1, ""},
    {u"ページ(　)印刷", 3, "PrintBlankSheetClick"},
    {u"ページ(解)印刷", -1, "PrintAnswerSheetClick"},
    {u"", -1, ""},
    {u"RESUMEを印刷", 3, "PrintResumeClick"},
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
    const qsizetype cut = std::max(ref.lastIndexOf(QLatin1Char('\\')), ref.lastIndexOf(QLatin1Char(':')));
    return urlFileName(ref.mid(cut + 1));
}

} // namespace

QList<PopupItem> pagePopupItems(const QString &pageRef, const QStringList &shortcuts, bool hasHelp)
{
    QList<PopupItem> items;
    const QString name = referenceFileName(pageRef);
    if (!pageRef.toLower().contains(QLatin1String("http:")) && !isWebAddress(pageRef) && !name.startsWith(QLatin1Char('_'))) {
        const bool isIndex = QFileInfo(name).completeBaseName().toLower().contains(QLatin1String("index"));
        for (const PageItemRow &row : pageItemRows) {
            const QString handler = QString::fromLatin1(row.handler);
            if (handler == QLatin1String("ButtonOrderClick") && isIndex)
                continue;
            if (handler.isEmpty()) {
                items.append(separator());
                continue;
            }
            PopupItem item;
            item.caption = QString::fromUtf16(row.caption);
            item.image = row.image;
            item.handler = handler;
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
