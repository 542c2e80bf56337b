#pragma once
// The page buttons of the column, one per page of the top level. A level may hold tens of
// thousands of pages, so only the buttons in sight (and the current one, which holds the focus)
// are live widgets; the others are kept as what they show and made live when scrolled to.
#include "app/controls_ui.h"

#include <QIcon>
#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace sorvek {

class PageButtonFace;

class PageButtonColumn : public QObject {
    Q_OBJECT
public:
    // What a button of page i shows, read when the button is first needed.
    using FaceSource = std::function<PageButtonFace(int)>;
    // Called for every button made live, to bind its events.
    using ButtonBinder = std::function<void(PageButton *)>;

    PageButtonColumn() = default;
    ~PageButtonColumn() override;

    void attach(ButtonScrollBox *box, ButtonBinder binder);

    // A new column of n buttons; the pitch comes from the box's height now and stays.
    void reset(int n, FaceSource faces);
    // No buttons at all.
    void clear() { reset(0, {}); }

    int size() const { return count_; }
    bool isEmpty() const { return count_ == 0; }
    // The button of page i, made live and scrolled into sight.
    PageButton *at(int i);
    // at(i) for a page of the column, else nullptr.
    PageButton *value(int i) { return i >= 0 && i < count_ ? at(i) : nullptr; }
    // The button of page i when it is live, else nullptr; never scrolls.
    PageButton *live(int i) const;

    // Face of a refreshed button: without a hint the old hint stays; without a picture the glyph goes.
    void refresh(int i, const PageButtonFace &face);
    void setCaption(int i, const QString &caption);

    // The current page's button: blue when highlighted, shifted left and narrowed when highlighted
    // or shifted; every other button plain.
    void placeCurrent(int current, bool highlighted, bool shifted);
    // The contents' width changed: the buttons follow it, the current one keeps its placement.
    void fitWidth() { placeCurrent(current_, highlighted_, shifted_); }

private:
    struct Look {
        QString caption;
        QString hint;
        QPixmap picture;
    };

    Look &look(int i);
    void apply(PageButton *button, const Look &l) const;
    void place(PageButton *button, int i) const;
    PageButton *make(int i);
    void drop(std::map<int, PageButton *>::iterator it);
    void scrollTo(int i);
    void sync();
    bool eventFilter(QObject *watched, QEvent *event) override;

    ButtonScrollBox *box_ = nullptr;
    ButtonBinder binder_;
    FaceSource faces_;
    int count_ = 0;
    int buildHeight_ = 0;
    std::vector<std::optional<Look>> looks_;
    std::map<int, PageButton *> live_;
    int current_ = -1;
    bool highlighted_ = false;
    bool shifted_ = false;
};

// The text a button shows for a caption: "&" stays an ampersand, never a keyboard mnemonic.
QString literalButtonText(const QString &caption);

} // namespace sorvek
