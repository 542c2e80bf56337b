#pragma once
// How the editor window previews a page style (0 none, 1 notebook, 2 screen, 3 contents,
// 4 cover) in its own fields: font sizes in points and colours as RGB or a system colour.
#include <QtGlobal>

#include <optional>

namespace sorvek::stylepreview {

enum class SystemColour { None, ScrollBar, ButtonFace };

struct Colour {
    quint32 rgb = 0xFFFFFF;
    SystemColour system = SystemColour::None; // wins over rgb when set
};

struct FieldLook {
    int pointSize = 12;
    Colour ground;
    Colour text;
};

struct StyleLook {
    FieldLook h1;               // Memo4
    Colour rule;                // Panel10
    FieldLook h2;               // Memo5
    FieldLook body;             // Memo1 and Memo2
    std::optional<int> gridSize; // the 77 grid cells; none keeps the size the previous style set
};

// The look of a style; a style outside 0 to 4 looks like 0.
StyleLook lookForStyle(int style);

} // namespace sorvek::stylepreview
