// TForm1: the page popup menu of a right click on a page button, its shortcuts and help item.
#include "app/tform1.h"

#include "app/pictures_ui.h"
#include "commands/texthelpers.h"
#include "pagefiles/pagepopup.h"

#include <QApplication>
#include <QFileInfo>

namespace sorvek {

namespace {

// ImageList2: the pictures of the page items.
QIcon popupImage(int index)
{
    static const char16_t *const symbols[] = {u"✎", u"⌘", u"〆", u"⎙", u"書", u"✕", u"♪"};
    if (index < 0 || index > 6)
        return {};
    return pictures::glyph(QString::fromUtf16(symbols[index]), {16, 16}, Qt::darkBlue);
}

} // namespace

void TForm1::BuildPagePopup()
{
    if (PageCount() == 0)
        return;
    pagePopup_ = new QMenu(this);
    pagePopup_->setObjectName(QStringLiteral("PagePopup"));
    ListBox3.append(folderShortcuts(levels_.topFolder()));
    const bool hasHelp = QFileInfo(levels_.topFolder() + HelpFileName).isFile();
    for (const PopupItem &item : pagePopupItems(levels_.currentPageReference(), ListBox3, hasHelp)) {
        if (item.kind == PopupItem::Kind::Separator) {
            pagePopup_->addSeparator();
            continue;
        }
        QAction *action = pagePopup_->addAction(popupImage(item.image), item.caption);
        action->setObjectName(item.handler.isEmpty() ? item.caption : item.handler);
        switch (item.kind) {
        case PopupItem::Kind::Shortcut:
            connect(action, &QAction::triggered, this, [this, tag = item.tag] { F10Click(tag); });
            break;
        case PopupItem::Kind::Help:
            connect(action, &QAction::triggered, this, &TForm1::HelpClick);
            break;
        default:
            if (std::function<void()> handler = PagePopupHandler(item.handler))
                connect(action, &QAction::triggered, this, handler);
            break;
        }
    }
}

void TForm1::FreePagePopup()
{
    ListBox3.clear();
    delete pagePopup_;
    pagePopup_ = nullptr;
}

std::function<void()> TForm1::PagePopupHandler(const QString &name)
{
    // The other page commands are added as their parts of the window are built.
    if (name == QLatin1String("EditPageClick"))
        return [this] { EditPageClick(); };
    if (name == QLatin1String("RecordSound"))
        return [this] { RecordSound(); };
    if (name == QLatin1String("DeleteSound"))
        return [this] { DeleteSound(); };
    return nullptr;
}

void TForm1::F10Click(int tag)
{
    const QUrl url = WebBrowser1->LocationURL();
    const QString shown = url.toString();
    const QString suffix = QFileInfo(url.path()).suffix();
    ShowNotice((suffix.isEmpty() ? shown : shown.left(shown.size() - suffix.size() - 1)) + QLatin1Char(' '), 2000);
    // Shortcuts are Windows files; the desktop's program for them gets the page as well.
    if (services().shell)
        services().shell->openWithDefault(levels_.topFolder() + ListBox3.value(tag));
    QApplication::processEvents();
    ShowPage(true);
}

void TForm1::HelpClick()
{
    const QString help = levels_.topFolder() + HelpFileName;
    if (QFileInfo(help).isFile()) {
        WebBrowser3->resize(WebBrowser3->width(), 0);
        kabeKR->resize(kabeKR->width(), 0);
        WebBrowser2->resize(WebBrowser2->width(), 0);
        WebBrowser1->Navigate(QUrl::fromLocalFile(help));
    } else if (services().shell) {
        services().shell->openWithDefault(HelpURL);
    }
}

} // namespace sorvek
