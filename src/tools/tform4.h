#pragma once
// The search window: lists the pages below a folder by title, narrows them by body text or by
// title words, and previews the chosen one. It owns the title index shared by the Find menu, the
// LOOK command and the LOOK auto-links. Walks and body-text searches run in slices, so the window
// keeps painting its progress box and stays responsive meanwhile.
#include "authoring/lookautolink.h"
#include "commands/commandhost.h"
#include "platform/browser_ui.h"
#include "platform/ports.h"
#include "tools/resultsearch.h"
#include "tools/slicerunner.h"
#include "tools/titleindexcache.h"
#include "tools/titleindexwalk.h"
#include "tools/titlelist.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;

namespace sorvek {

class TForm4 : public QDialog {
    Q_OBJECT
public:
    // indexedFolder is the main window's IndexedFolder: whoever writes "xxx" there makes the next
    // use walk the folder again.
    TForm4(BrowserFactory browsers, IUserPrompt &prompt, QString &indexedFolder, QWidget *parent = nullptr);
    ~TForm4() override;

    // What callers set before showing the window.
    SearchMode Tag = SearchMode::BodyText;
    QString Edit2;      // the folder searched; "" searches the whole book (cleared on every close)
    QString Label2;     // upper-cased full path of the page that issued LOOK, never found by it
    QString BookFolder; // without a trailing "/"

    // What callers read back after closing: the results (or, without results, the undo copy or
    // the index), the folder they are relative to, and the URL of the result shown last.
    QStringList ListBox1; // paths relative to SearchBase
    QStringList ListBox2; // titles
    QString SearchBase;   // ends with "/"
    QString Caption() const { return windowTitle(); }
    QString LastSearchText;

    // The LOOK command: the pages of the whole book with a title word among words ("/" between
    // them). Shows the window and closes it at once.
    LookResult LookSearch(const QString &words, const QString &askingPage);
    // LOOK auto-links: the whole book's index by title length, for the page at currentPagePath.
    LookTitleIndex LinkTitleIndex(const QString &currentPagePath);
    // A walk or a body-text search is under way.
    bool Busy() const;

    void FormShow();
    void FormActivate();
    void RunSearch();
    void ListBox2Click();
    void BitBtn5Click();
    void BitBtn1Click();
    void BitBtn4Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void WebBrowser1BeforeNavigate2(const QUrl &url, bool &cancel);
    void FormClose();

    QWidget *Pup;
    QPushButton *BitBtn5;
    QLineEdit *Edit1;
    QPushButton *BitBtn1;
    QPushButton *BitBtn4;
    QPushButton *BitBtn2;
    QPushButton *BitBtn3;
    QLabel *Label1;
    QLabel *Panel11;
    QSplitter *Splitter1;
    QWidget *Panel4;
    QListWidget *ResultTitles; // the visible results, in step with ResultPaths
    QStringList ResultPaths;
    BrowserControl *WebBrowser1;
    QWidget *Panel2;

    void done(int result) override;

signals:
    // A result was previewed: the main window's current page path and URL name it from now on.
    void PagePreviewed(const QString &path, const QString &url);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createComponents(BrowserFactory &browsers);
    QWidget *createButtonBar();
    void walkSlice();
    void walkFinished();
    void finishActivation();
    void searchFinished();
    void setResults(const TitleList &results);
    void setSearching(bool searching);
    void showAndClose();
    bool holdsBack(QObject *watched, QEvent *event);

    IUserPrompt &prompt_;
    QStringList resultTitles_; // ResultTitles' texts, in step with ResultPaths
    TitleIndexCache cache_;
    SliceRunner walkRunner_;
    SliceRunner searchRunner_;
    std::unique_ptr<TitleIndexWalk> walk_;
    std::unique_ptr<ResultSearch> search_;
    bool forwardingKey_ = false; // a result-list key is being handed on by eventFilter
    bool holdingInput_ = false;  // shown for a LOOK caller: Esc anywhere cancels, other windows wait
    qsizetype beeped_ = 0; // unreadable pages of this walk already beeped for
};

} // namespace sorvek
