#pragma once
// Geometry of the editor window: the fixed table grid, the picture panel of the image layouts
// and the picture's size as the size fields and the width scroll bar keep it.
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace sorvek::editorgeometry {

// The 77 grid cells for a grid panel of the given size, in the order Memo3, Memo6 ... Memo81:
// eight rows of eight cells, four rows of three, and one closing row. Every row ends at the
// panel's right edge and the closing row at its bottom edge.
QList<QRect> tableGridCells(QSize panel);
inline constexpr int kGridCellCount = 77;

// The picture panel's placement (PanelImage1 inside Panel6) for one image layout.
struct ImagePanelInput {
    bool keepFieldSize = false; // GX's tag: the size fields hold a size to keep
    int fieldWidth = 0;         // GX, GY as whole numbers (0 when empty)
    int fieldHeight = 0;
    bool pictureSizeKnown = false; // Image1's tag
    int mode = 1;                  // 1 centre; any other value is a side mode
    QSize currentPanel;            // PanelImage1's size now
    int outerWidth = 0;            // Panel6's width now
};
struct ImagePanelPlacement {
    QRect panel;          // PanelImage1 inside Panel6
    int outerWidth = -1;  // Panel6's new width (side modes), -1 unchanged
    int outerHeight = -1; // Panel6's new height (centre mode), -1 unchanged
    int width = 0;        // what GX and GY show
    int height = 0;
    double aspect = 0;    // height / width; 0 for a width of 0
};
ImagePanelPlacement placeImagePanel(const ImagePanelInput &in);

// The picture's size right after a picture file is loaded.
struct LoadedSizeInput {
    bool readable = true; // the file could be read as a picture
    int ownWidth = 0;
    int ownHeight = 0;
    bool keepFieldSize = false; // GX's tag
    QString fieldWidth;         // GX, GY as they stand
    QString fieldHeight;
};
struct LoadedSize {
    QString width; // new GX, GY
    QString height;
    bool sizeKnown = true; // new Image1's tag (GX's tag is 1 afterwards in every case)
    double aspect = 0;         // new ImageAspect
};
LoadedSize sizeAfterLoad(const LoadedSizeInput &in);

// Height for a width chosen on the scroll bar: rounded to the nearest whole number, halves to even.
int scrolledHeight(int width, double aspect);

// Height divided by width; 0 when the width is 0 or less.
double aspectOf(int width, int height);

// Left of a panel centred in an outer width, truncated toward zero as the form has always done.
int centredLeft(int outerWidth, int innerWidth);

} // namespace sorvek::editorgeometry
