// TForm1: the page popup menu of a right click on a page button, its shortcuts and help item.
#include "app/tform1.h"

#include "app/pictures_ui.h"
#include "commands/mwex.h"
#include "commands/texthelpers.h"
#include "pagefiles/pagepopup.h"
#include "pagefiles/shortcutlaunch.h"

#include <QApplication>
#include <QFileInfo>
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
        action->setObjectName(item.caption);
        switch (item.kind) {
        case PopupItem::Kind::Shortcut:
            connect(action, &QAction::triggered, this, [this, tag = item.tag] { F10Click(tag); });
            break;
        case PopupItem::Kind::Help:
            connect(action, &QAction::triggered, this, &TForm1::HelpClick);
            break;
        case PopupItem::Kind::Command:
            if (const PopupHandler handler = PagePopupHandler(item.command))
                connect(action, &QAction::triggered, this, handler);
            break;
        case PopupItem::Kind::Separator:
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

TForm1::PopupHandler TForm1::PagePopupHandler(PopupCommand command)
{
    // No default: a command without a handler here does not compile.
    switch (command) {
    case PopupCommand::None:
        return nullptr;
    case PopupCommand::EditPage:
        return &TForm1::EditPageClick;
    case PopupCommand::ButtonOrder:
        return &TForm1::ButtonOrderClick;
    case PopupCommand::PageDelete:
        return &TForm1::PageDeleteClick;
    case PopupCommand::DeleteOrphanFiles:
        return &TForm1::DeleteOrphanFilesClick;
    case PopupCommand::SaveToArchive:
        return &TForm1::SaveToArchiveClick;
    case PopupCommand::LookLink:
        return &TForm1::LookLinkClick;
    case PopupCommand::LookRemove:
        return &TForm1::LookRemoveClick;
    case PopupCommand::SetMark:
        return &TForm1::SetMarkClick;
    case PopupCommand::ClearMark:
        return &TForm1::ClearMarkClick;
    case PopupCommand::MergeMarked:
        return &TForm1::MergeMarkedClick;
    case PopupCommand::MergeUnmarked:
        return &TForm1::MergeUnmarkedClick;
    case PopupCommand::MergeAll:
        return &TForm1::MergeAllClick;
    case PopupCommand::RecordSound:
        return &TForm1::RecordSound;
    case PopupCommand::DeleteSound:
        return &TForm1::DeleteSound;
    case PopupCommand::PrintBlankSheet:
        return &TForm1::PrintBlankSheetClick;
    case PopupCommand::PrintAnswerSheet:
        return &TForm1::PrintAnswerSheetClick;
    case PopupCommand::PrintResume:
        return &TForm1::PrintResumeClick;
    }
    return nullptr;
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
        WebBrowser1->Navigate(QUrl::fromLocalFile(help), pageShowStart(true));
    } else if (services().shell) {
        services().shell->openWithDefault(HelpURL);
    }
}

} // namespace sorvek
