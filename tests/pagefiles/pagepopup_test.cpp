#include "pagefiles/pagepopup.h"

#include "testutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

QStringList captions(const QList<PopupItem> &items)
{
    QStringList out;
    for (const PopupItem &item : items)
        out.append(item.caption);
    return out;
}

struct PopupCase {
    const char *name;
    const char *pageRef;
    QStringList shortcuts;
    bool hasHelp;
    int pageItems;  // command items (separators not counted)
    bool buttonOrder;
    QStringList tail;  // captions after the page items
};

class PagePopupTest : public ::testing::TestWithParam<PopupCase> {};

TEST_P(PagePopupTest, OffersTheItemsOfThePage)
{
    const PopupCase &c = GetParam();
    const QList<PopupItem> items = pagePopupItems(QString::fromUtf8(c.pageRef), c.shortcuts, c.hasHelp);
    int commands = 0;
    for (const PopupItem &item : items)
        commands += item.kind == PopupItem::Kind::Command ? 1 : 0;
    EXPECT_EQ(commands, c.pageItems);
    EXPECT_EQ(captions(items).contains(QStringLiteral("ボタン順変更")), c.buttonOrder);
    const QStringList all = captions(items);
    EXPECT_EQ(all.mid(all.size() - c.tail.size()), c.tail);
}

const QStringList noShortcuts;
const QStringList twoShortcuts{QStringLiteral("Word.LNK"), QStringLiteral("paint.lnk")};

INSTANTIATE_TEST_SUITE_P(
    Pages, PagePopupTest,
    ::testing::Values(
        PopupCase{"OrdinaryPageGetsEveryItem", "1010_どうぶつ.html", noShortcuts, false, 17, true,
                  {QStringLiteral("RESUMEを印刷")}},
        PopupCase{"ColonInPageNameIsNoWebAddress", "note:1.html", noShortcuts, false, 17, true, {}},
        PopupCase{"IndexPageHasNoOrderItem", "index.html", noShortcuts, false, 16, false, {}},
        PopupCase{"IndexInAnyCase", "1000_Index.html", noShortcuts, false, 16, false, {}},
        PopupCase{"HttpPageOnlyShortcutsAndHelp", "http://example.test/a.html", twoShortcuts, true, 0, false,
                  {QStringLiteral("-"), QStringLiteral("Word.LNK"), QStringLiteral("paint.lnk"), QStringLiteral("ヘルプ")}},
        PopupCase{"HttpsPageToo", "https://example.test/a.html", noShortcuts, false, 0, false, {}},
        PopupCase{"UnderscorePageHasNoPageItems", "_help.html", noShortcuts, true, 0, false, {QStringLiteral("ヘルプ")}},
        PopupCase{"UnderscoreInPathName", "/book/sub/_x.html", noShortcuts, false, 0, false, {}},
        PopupCase{"ShortcutsAndHelpFollowThePageItems", "a.html", twoShortcuts, true, 17, true,
                  {QStringLiteral("RESUMEを印刷"), QStringLiteral("-"), QStringLiteral("Word.LNK"), QStringLiteral("paint.lnk"),
                   QStringLiteral("ヘルプ")}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(PagePopup, ItemsKeepTheirImagesAndCommands)
{
    const QList<PopupItem> items = pagePopupItems(QStringLiteral("a.html"), {}, false);
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.first().caption, QStringLiteral("ページの修正"));
    EXPECT_EQ(items.first().image, 0);
    EXPECT_EQ(items.first().command, PopupCommand::EditPage);
    for (const PopupItem &item : items)
        EXPECT_EQ(item.kind == PopupItem::Kind::Command, item.command != PopupCommand::None) << item.caption.toStdString();
    EXPECT_EQ(captions(items).filter(QStringLiteral("印刷")).size(), 6);
    EXPECT_TRUE(captions(items).contains(QStringLiteral("ページ(　)印刷")));
}

TEST(PagePopup, ShortcutsAreLnkFilesInAnyCase)
{
    QTemporaryDir dir;
    for (const char *name : {"b.lnk", "Word.LNK", "x.lnk.txt", "a.html"})
        testutil::writeBytes(dir.path(), QString::fromUtf8(name), "x");
    EXPECT_EQ(folderShortcuts(dir.path()), (QStringList{QStringLiteral("b.lnk"), QStringLiteral("Word.LNK")}));
}

} // namespace
