#pragma once
// The breadcrumb of the bottom bar that leads back to the calling level: whether it shows, its
// glyph, the folder label and the button's hint, from the level stack.
#include <QString>

#include <optional>

namespace sorvek {

class LevelStack;

struct Breadcrumb {
    bool visible = false;         // Panel3
    int picture = 0;              // ImageList1 picture of SpeedButton20 (when visible): 2, 3 or 4
    QString folderLabel;          // Label1 (when visible): the top folder's name
    std::optional<QString> hint;  // SpeedButton20's hint; nullopt leaves it as it was
};

// The calling level's stored title reduced to its caption: "&lt;"/"&gt;" unescaped, cut before
// "#" and before "?", then everything up to and including each double quote dropped.
QString breadcrumbLabel(const QString &storedTitle);

// The breadcrumb for the stack as it stands: hidden below two levels; else the calling level's
// title at its current page (its first title when that index lies outside its titles).
Breadcrumb breadcrumbFor(const LevelStack &levels);

} // namespace sorvek
