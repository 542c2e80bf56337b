#pragma once
// The program's small pictures, drawn at run time (bottom bar, buttons, image lists).
#include <QPixmap>

namespace sorvek::pictures {

QPixmap bottomBar(QSize size);
QPixmap startButton(QSize size);
QPixmap arrow(QSize size, bool forward);
QPixmap reload(QSize size);
QPixmap glyph(const QString &symbol, QSize size, QColor colour);
// The image list of the page buttons: 0 the 〆 mark, 1 a glyph name that is no file; 2, 3 and 4 the
// breadcrumb at a depth of 2, 3 and 4 or more levels.
QPixmap imageList1(int index);

} // namespace sorvek::pictures
