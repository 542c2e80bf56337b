#include "book/pagebuttoncolumn_ui.h"

#include "app/pictures_ui.h"
#include "book/pagebuttonface.h"
#include "book/pagebuttonlayout.h"

#include <QEvent>
#include <QScrollBar>
#include <QStyle>

#include <utility>

namespace sorvek {

namespace {

QFont buttonFont()
{
    QFont f(QStringLiteral("Noto Sans Mono CJK JP"));
    f.setPointSize(9);
    return f;
}

QPixmap pictureOf(const PageButtonFace &face)
{
    switch (face.picture()) {
    case PageButtonFace::Picture::None:
        return {};
    case PageButtonFace::Picture::GlyphFile: {
        // A glyph that is no readable picture falls back to the image list.
        const QPixmap picture(face.glyphPath());
        return picture.isNull() ? pictures::imageList1(face.imageIndex()) : picture;
    }
    case PageButtonFace::Picture::ImageList:
        return pictures::imageList1(face.imageIndex());
    }
    return {};
}

const char *const HighlightedProperty = "highlighted";

} // namespace

QString literalButtonText(const QString &caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

PageButtonColumn::~PageButtonColumn() = default;

void PageButtonColumn::attach(ButtonScrollBox *box, ButtonBinder binder)
{
    box_ = box;
    binder_ = std::move(binder);
    // One style sheet for the whole column: a sheet per button costs a parse per button.
    box_->widget()->setStyleSheet(QStringLiteral("QPushButton { text-align: left; color: black; }"
                                                 "QPushButton[highlighted=\"true\"] { color: blue; }"));
    connect(box_->verticalScrollBar(), &QScrollBar::valueChanged, this, &PageButtonColumn::sync);
    box_->viewport()->installEventFilter(this);
}

void PageButtonColumn::reset(int n, FaceSource faces)
{
    // Out of the map first: a focused button going hands the focus on while the others still go.
    for (const auto &[i, button] : std::exchange(live_, {}))
        delete button;
    count_ = std::max(n, 0);
    faces_ = std::move(faces);
    looks_.assign(std::size_t(count_), std::nullopt);
    current_ = -1;
    if (!box_)
        return;
    buildHeight_ = box_->height();
    box_->setContentHeight(PageButtonLayout(count_, box_->width(), buildHeight_).contentHeight());
    sync();
}

PageButton *PageButtonColumn::at(int i)
{
    if (i < 0 || i >= count_ || !box_)
        return nullptr;
    scrollTo(i);
    PageButton *button = live(i);
    return button ? button : make(i);
}

PageButton *PageButtonColumn::live(int i) const
{
    const auto it = live_.find(i);
    return it == live_.end() ? nullptr : it->second;
}

PageButtonColumn::Look &PageButtonColumn::look(int i)
{
    std::optional<Look> &l = looks_[std::size_t(i)];
    if (!l) {
        const PageButtonFace face = faces_(i);
        l = Look{face.captionLines().join(QLatin1Char('\n')), face.hint().value_or(QString()), pictureOf(face)};
    }
    return *l;
}

void PageButtonColumn::refresh(int i, const PageButtonFace &face)
{
    if (i < 0 || i >= count_)
        return;
    Look &l = look(i);
    l.caption = face.captionLines().join(QLatin1Char('\n'));
    if (face.hint())
        l.hint = *face.hint();
    l.picture = pictureOf(face);
    if (PageButton *button = live(i))
        apply(button, l);
}

void PageButtonColumn::setCaption(int i, const QString &caption)
{
    if (i < 0 || i >= count_)
        return;
    look(i).caption = caption;
    if (PageButton *button = live(i))
        button->setText(literalButtonText(caption));
}

void PageButtonColumn::apply(PageButton *button, const Look &l) const
{
    button->setText(literalButtonText(l.caption));
    button->setToolTip(l.hint);
    button->setIcon(l.picture.isNull() ? QIcon() : QIcon(l.picture));
    if (!l.picture.isNull())
        button->setIconSize(l.picture.size().boundedTo(QSize(32, 32)));
}

void PageButtonColumn::place(PageButton *button, int i) const
{
    // Only the left edge and the width follow the contents; the pitch stays the one built with.
    const PageButtonLayout layout(count_, box_->widget()->width(), buildHeight_);
    const bool isCurrent = i == current_;
    button->setGeometry(isCurrent && (highlighted_ || shifted_) ? layout.highlightedRect(i) : layout.buttonRect(i));
    const bool highlighted = isCurrent && highlighted_;
    if (button->property(HighlightedProperty).toBool() != highlighted) {
        button->setProperty(HighlightedProperty, highlighted);
        button->style()->unpolish(button);
        button->style()->polish(button);
        button->update();
    }
}

void PageButtonColumn::placeCurrent(int current, bool highlighted, bool shifted)
{
    current_ = current;
    highlighted_ = highlighted;
    shifted_ = shifted;
    if (!box_)
        return;
    for (const auto &[i, button] : live_)
        place(button, i);
    sync();  // the old current button may have gone out of sight
}

PageButton *PageButtonColumn::make(int i)
{
    auto *button = new PageButton(box_->widget());
    button->setObjectName(QStringLiteral("PageButton%1").arg(i));
    button->setProperty("Tag", i);
    button->setFont(buttonFont());
    button->setCursor(Qt::PointingHandCursor);
    apply(button, look(i));
    place(button, i);
    live_.emplace(i, button);
    if (binder_)
        binder_(button);
    button->show();
    return button;
}

void PageButtonColumn::drop(std::map<int, PageButton *>::iterator it)
{
    // The button may be the one whose event is running: it goes when that event is done.
    it->second->hide();
    it->second->deleteLater();
    live_.erase(it);
}

void PageButtonColumn::scrollTo(int i)
{
    const int pitch = PageButtonLayout(count_, box_->width(), buildHeight_).pitch();
    QScrollBar *bar = box_->verticalScrollBar();
    const int top = i * pitch;
    const int bottom = top + pitch - 1;
    const int height = box_->viewport()->height();
    const int first = bar->value();
    const int last = first + height - 1;
    if (top >= first && bottom <= last)
        return;
    // A button cut by the edge moves only as far as it must: it stays under a pointer that
    // clicks it twice. One out of sight comes to the middle, so that the next turns need no
    // scrolling.
    if (bottom >= first && top <= last)
        bar->setValue(top < first ? top : bottom - height + 1);
    else
        bar->setValue(top + pitch / 2 - height / 2);
}

void PageButtonColumn::sync()
{
    if (!box_ || count_ == 0)
        return;
    const int pitch = PageButtonLayout(count_, box_->width(), buildHeight_).pitch();
    const int top = box_->verticalScrollBar()->value();
    const int height = box_->viewport()->height();
    const int first = std::clamp(top / pitch, 0, count_ - 1);
    const int last = std::clamp((top + std::max(height, 1) - 1) / pitch, 0, count_ - 1);
    // The window's focus button stays while the window is inactive too: gone, the focus would come
    // back to another button, and selecting it would change the page.
    const QWidget *focused = box_->window()->focusWidget();
    for (auto it = live_.begin(); it != live_.end();) {
        const bool kept = (it->first >= first && it->first <= last) || it->first == current_ || it->second == focused;
        if (kept)
            ++it;
        else
            drop(it++);
    }
    for (int i = first; i <= last; ++i)
        if (!live(i))
            make(i);
}

bool PageButtonColumn::eventFilter(QObject *watched, QEvent *event)
{
    if (box_ && watched == box_->viewport() && event->type() == QEvent::Resize)
        sync();
    return QObject::eventFilter(watched, event);
}

} // namespace sorvek
