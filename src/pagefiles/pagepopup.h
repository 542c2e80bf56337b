#pragma once
// The items of the page popup menu, built anew for the current page of the top level.
#include <QList>
#include <QString>
#include <QStringList>

namespace sorvek {

struct PopupItem {
    enum class Kind { Command, Separator, Shortcut, Help };
    Kind kind = Kind::Command;
    QString caption;
    int image = -1;    // picture of the menu's image list, -1 for none
    QString handler;   // the form's handler name, for command items
    int tag = -1;      // index of the shortcut in the shortcut list
};

// The menu for page reference pageRef: the page items unless it is a web address or a "_" file,
// the folder's shortcuts after a separator, and the help item when the folder has a help page.
QList<PopupItem> pagePopupItems(const QString &pageRef, const QStringList &shortcuts, bool hasHelp);

// The ".lnk" shortcuts of a folder (extension in any case), in the folder listing's order.
QStringList folderShortcuts(const QString &folder);

} // namespace sorvek
