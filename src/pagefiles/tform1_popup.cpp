// TForm1: the page popup menu of a right click on a page button, its shortcuts and help item.
#include "app/tform1.h"

#include "app/pictures_ui.h"
#include "commands/mwex.h"
#include "commands/texthelpers.h"
#include "pagefiles/pagepopup.h"
#include "pagefiles/shortcutlaunch.h"

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>

namespace sorvek {

namespace {

// ImageList2: the pictures of the page items.
QIcon popupImage(int index)
{
    static const char16_t *const symbols[] = {u"✎", u"⌘", u"〆", u"印", u"書", u"✕", u"♪"};
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
    static const QHash<QString, void (TForm1::*)()> handlers{
        {QStringLiteral("EditPageClick"), &TForm1::EditPageClick},
        {QStringLiteral("ButtonOrderClick"), &TForm1::ButtonOrderClick},
        {QStringLiteral("PageDeleteClick"), &TForm1::PageDeleteClick},
        {QStringLiteral("DeleteOrphanFilesClick"), &TForm1::DeleteOrphanFilesClick},
        {QStringLiteral("SaveToArchiveClick"), &TForm1::SaveToArchiveClick},
        {QStringLiteral("LookLinkClick"), &TForm1::LookLinkClick},
        {QStringLiteral("LookRemoveClick"), &TForm1::LookRemoveClick},
        {QStringLiteral("SetMarkClick"), &TForm1::SetMarkClick},
        {QStringLiteral("ClearMarkClick"), &TForm1::ClearMarkClick},
        {QStringLiteral("MergeMarkedClick"), &TForm1::MergeMarkedClick},
        {QStringLiteral("MergeUnmarkedClick"), &TForm1::MergeUnmarkedClick},
        {QStringLiteral("MergeAllClick"), &TForm1::MergeAllClick},
        {QStringLiteral("PrintBlankSheetClick"), &TForm1::PrintBlankSheetClick},
        {QStringLiteral("PrintAnswerSheetClick"), &TForm1::PrintAnswerSheetClick},
        {QStringLiteral("PrintResumeClick"), &TForm1::PrintResumeClick},
        {QStringLiteral("RecordSound"), &TForm1::RecordSound},
        {QStringLiteral("DeleteSound"), &TForm1::DeleteSound},
    };
    const auto handler = handlers.value(name, nullptr);
    if (!handler)
        return nullptr;
    return [this, handler] { (this->*handler)(); };
}

void TForm1::F10Click(int tag)
{
    const QUrl url = WebBrowser1->LocationURL();
    const QString shown = url.toString();
    const QString suffix = QFileInfo(url.path()).suffix();
    ShowNotice((suffix.isEmpty() ? shown : shown.left(shown.size() - suffix.size() - 1)) + QLatin1Char(' '), 2000);
    const QString shortcut = levels_.topFolder() + ListBox3.value(tag);
    const QString page = url.isLocalFile() ? url.toLocalFile() : shown;
    const auto registered = [this, &shortcut] {
        const QString type = QMimeDatabase().mimeTypeForFile(shortcut).name();
        return services().shell ? registeredCommandFor(*services().shell, type, applicationFolders()) : QString();
    };
    const std::optional<ShortcutLaunch> launch = shortcutLaunch(shortcut, page, registered);
    const bool started = launch && services().processes
        && services().processes->startDetached(launch->program, launch->arguments, levels_.topFolder());
    if (!started && services().shell)
        services().shell->openWithDefault(shortcut); // nothing here can hand the page over
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
