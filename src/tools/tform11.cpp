#include "tools/tform11.h"

#include "tools/maskzones.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QRegion>
#include <QScreen>

namespace sorvek {

TForm11::TForm11(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form11"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setCursor(Qt::SizeVerCursor);
}

void TForm11::SetPageArea(const QRect &screenRect)
{
    pageArea_ = screenRect;
    FormResize();
}

void TForm11::FormResize()
{
    QRegion region(rect());
    if (pageArea_.isValid())
        region = region.subtracted(QRect(mapFromGlobal(pageArea_.topLeft()), pageArea_.size()));
    if (region != mask())
        setMask(region);
}

void TForm11::FormMouseDown(Qt::MouseButton button, int y)
{
    const bool blank = BlankScreenShown && BlankScreenShown();
    const int index = PageIndex ? PageIndex() : 0;
    const int count = PageCount ? PageCount() : 0;
    switch (maskClickAction(y, height(), button == Qt::RightButton, blank, index, count)) {
    case MaskClick::HideBlankScreen:
        if (HideBlankScreen)
            HideBlankScreen();
        break;
    case MaskClick::CloseMask:
        close();
        break;
    case MaskClick::Next:
        run(QStringLiteral("NEXT"));
        break;
    case MaskClick::Top:
        run(QStringLiteral("TOP"));
        break;
    case MaskClick::Back:
        run(QStringLiteral("BACK"));
        break;
    case MaskClick::ShowBlankScreen:
        if (ShowBlankScreen)
            ShowBlankScreen();
        break;
    case MaskClick::Nothing:
        break;
    }
}

void TForm11::FormClose()
{
    // A closed mask waits as a 10 x 10 window until presentation mode shows it again.
    resize(10, 10);
}

void TForm11::run(const QString &command)
{
    if (RunCommand)
        RunCommand(command);
}

void TForm11::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Cover the screen of the page area itself, not the window manager's idea of maximised (a
    // work area, or nothing without a window manager).
    QScreen *target = pageArea_.isValid() ? QGuiApplication::screenAt(pageArea_.center()) : nullptr;
    setGeometry((target ? target : screen())->geometry());
    FormResize();
}

void TForm11::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm11::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    FormResize(); // the hole is fixed on the screen, so it moves within a moved mask
}

void TForm11::mousePressEvent(QMouseEvent *event)
{
    // The mask is a window of its own: the main window's modality and disabling do not reach it.
    if (InputBlocked && InputBlocked())
        return;
    FormMouseDown(event->button(), qRound(event->position().y()));
}

void TForm11::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    FormClose();
}

} // namespace sorvek
