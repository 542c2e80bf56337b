#pragma once
// The items of the page popup menu, built anew for the current page of the top level.
#include <QList>
#include <QString>
#include <QStringList>

namespace sorvek {

// The page commands of the menu; the form binds each to its handler.
enum class PopupCommand {
    None,
    EditPage,
    ButtonOrder,
    PageDelete,
    DeleteOrphanFiles,
    SaveToArchive,
    LookLink,
    LookRemove,
    SetMark,
    ClearMark,
    MergeMarked,
    MergeUnmarked,
    MergeAll,
    RecordSound,
    DeleteSound,
    PrintBlankSheet,
    PrintAnswerSheet,
    PrintResume,
};

struct PopupItem {
    enum class Kind { Command, Separator, Shortcut, Help };
    Kind kind = Kind::Command;
    QString caption;
    int image = -1;    // picture of the menu's image list, -1 for none
    PopupCommand command = PopupCommand::None;  // for command items
    int tag = -1;      // index of the shortcut in the shortcut list
};

// The menu for page reference pageRef: the page items unless it is a web address or a "_" file,
// the folder's shortcuts after a separator, and the help item when the folder has a help page.
QList<PopupItem> pagePopupItems(const QString &pageRef, const QStringList &shortcuts, bool hasHelp);

// The ".lnk" shortcuts of a folder (extension in any case), in the folder listing's order.
QStringList folderShortcuts(const QString &folder);

} // namespace sorvek
