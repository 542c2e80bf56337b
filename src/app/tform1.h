#pragma once
// The main window: side menu, page area, page-button column and bottom bar.
#include "app/bookfolder.h"
#include "app/controls_ui.h"
#include "authoring/answerfields.h"
#include "authoring/answermarks.h"
#include "authoring/lookautolink.h"
#include "authoring/quizpage.h"
#include "book/levelstack.h"
#include "book/pagebuttoncolumn_ui.h"
#include "commands/commandhost.h"
#include "commands/commandrunner.h"
#include "commands/textfile.h"
#include "pagefiles/pagefiletask.h"
#include "platform/browser_ui.h"
#include "platform/ports.h"
#include "editor/tform2.h"
#include "tools/tform10.h"
#include "tools/tform11.h"
#include "tools/tform3.h"
#include "tools/tform4.h"
#include "tools/tform5.h"
#include "tools/tform6.h"
#include "tools/tform12.h"

#include <QMenu>
#include <functional>
#include <future>
#include <QScrollArea>
#include <QStringList>
#include <QTimer>

namespace sorvek {

enum class PopupCommand;

class TForm1 : public AlignPanel, public CommandHost {
    Q_OBJECT
public:
    TForm1(const PlatformServices &services, BrowserFactory browsers, const QString &programFilePath,
           const QStringList &commandLineFiles, QWidget *parent = nullptr);
    ~TForm1() override;

    // Start-up and the window shell
    void FormCreate();
    void FormShow();
    void FormShowICHI();
    void LoadSideMenu();
    void ShowNotice(const QString &text, int milliseconds);
    void Timer1Timer();
    void FormResize();
    void hyoushiResize();
    void kabedownResize();
    void kabeResize();
    void kabeRightResize();
    void Panel6Resize();
    void Panel5Resize();
    void Panel11MouseEnter();
    void Panel12MouseEnter();
    void Panel1MouseDown(Qt::MouseButton button);
    void hTOPMouseDown(Qt::MouseButton button);
    void SpeedButton5Click();
    void Exit1Click();
    void CloseProgram();

    // Pages made from files and templates, and LOGO pages
    void MakePagesFromFiles(const QString &folder);
    void Paste2Click();
    void N2Click();
    void FindMwex();
    void LOGO1Click();
    int MwexModeTag = 0;  // LOGO1's Tag: 0 none, 3 the book's copy, 4 installed

    // The page format's writers, with the answer marks set at start-up
    QString BuildStyleBlock(int style) const;
    QuizPageResult MakeQuizPage(const QString &page) const;
    QString ConvertAnswerFields(const QString &text, AnswerFieldMode mode) const;
    AnswerMarks answerMarks() const { return {AnswerOpenMark, ChoiceMark, AnswerCloseMark, AlternativeMark}; }

    // Folder levels
    void OpenLevel(const QString &folder, int index, bool push, CommandOrigin origin);
    void TiteleLoad(int i);
    void CloseLevel();
    void SetPageIndex(int i);
    int PageCount() const;
    int PageIndex() const;
    void LeaveLevel();
    void GoHome();
    void modoruMouseUp(Qt::MouseButton button);
    void HOME1Click();
    void N1Click();
    void UpdateArchiveButton();
    void SpeedButton11MouseUp(Qt::MouseButton button);
    void SpeedButton20MouseUp(Qt::MouseButton button);
    void Find1Click();

    // Page buttons and page display
    void RebuildPageButtons();
    void FitBrowsers(bool show);
    void CreatePageButtons();
    void RefreshPageButton(int i);
    void ShowPage(bool navigate);
    void PageButtonMouseDown(PageButton *button, Qt::MouseButton mouseButton, QPoint pos);
    void PageButtonKeyPress(int key);
    void PageButtonEnter(PageButton *button);
    void CMDialogKey(int key);
    void WebBrowser1DownloadComplete();
    void Image10MouseDown(Qt::MouseButton button);
    void Image6MouseUp(Qt::MouseButton button);
    void Image7MouseUp(Qt::MouseButton button);

    // Link dispatcher and commands
    void WebBrowser1BeforeNavigate2(const QUrl &url, bool &cancel);
    void WebBrowser4BeforeNavigate2(const QUrl &url, bool &cancel);
    // Runs an item list; a counter item that holds no integer ends it and is reported.
    void RunLinkCommands(const QString &list, CommandOrigin origin);
    void RunCommand(const QString &command);
    void ShowNote(const QString &word, bool find);
    void PlayWave(const QString &file);
    void OpenVideo(const QString &file);
    bool OpenProjectLink(const QString &file);
    void RecordPageSound(const QString &path);

    // The page editor round trip; returns the editor's result when a page file was written into
    // the level's folder, else 0.
    int EditPage(const QString &fileName, const QString &html, int mode);
    void EditPageClick();
    void SetEditor(TForm2 *editor);
    // What start-up reads of the book while the windows are made (readBookAtStartup of the book
    // folder, started before this window): the first showing takes its repairs and first level
    // instead of reading them again.
    void SetStartupRead(std::future<StartupRead> read) { startupRead_ = std::move(read); }
    // Makes the editor (and hands it over with SetEditor) the first time a page is edited: its
    // grid of cells takes longer to make than all the other tool windows together.
    std::function<void()> MakeEditor;

    // Page-file tools and side-menu editing
    void PageDeleteClick();
    void SaveToArchiveClick();
    void DeleteOrphanFilesClick();
    void ButtonOrderClick();
    void MovePageAndRenumber(int from, int to);
    void StripPageNumbers();
    // Closes the footnote memo, storing its text, before a page tool renames, moves or deletes
    // files; false when the memo could not be stored and the user kept it open.
    bool CloseMemoForPageTool();
    void N3Click();
    void SetFileTools(TForm3 *fileTool, TForm5 *order, TForm10 *menu);

    // Search and LOOK links
    void LookLinkClick();
    void LookRemoveClick();
    // The whole book's title index for linking the page at pagePath. The search window shows the
    // walk and takes Esc meanwhile; *complete (when given) tells whether the walk ran to its end.
    LookTitleIndex LookLinkIndex(const QString &pagePath, bool *complete = nullptr);
    void SetSearchWindow(TForm4 *search);
    void SetVideoPlayer(TForm6 *player);
    // Makes the video player (and hands it over with SetVideoPlayer) when a video is opened before
    // start-up has made it.
    std::function<void()> MakeVideoPlayer;

    // Page marks, merged printing, resume, worksheets and the snapshot
    void SetPageMark(bool on);
    void SetMarkClick();
    void ClearMarkClick();
    void MergePages(int mode);
    void MergeMarkedClick();
    void MergeUnmarkedClick();
    void MergeAllClick();
    void N6Click();
    void PrintResumeClick();
    void BuildWorksheet(int mode);
    void PrintBlankSheetClick();
    void PrintAnswerSheetClick();
    WriteResult CaptureBrowserArea(const QString &path);
    void SpeedButton8Click();
    void Image1Click(QPoint pos);

    // The page popup menu
    void BuildPagePopup();
    void FreePagePopup();
    void F10Click(int tag);
    void HelpClick();
    // The handler of a page item; nullptr for none.
    using PopupHandler = void (TForm1::*)();
    static PopupHandler PagePopupHandler(PopupCommand command);

    // After a page loads
    void WebBrowser1DocumentComplete(const QUrl &url);
    void WebBrowser2DocumentComplete();
    void HandleLinkPage(const struct LinkPageDecision &decision);
    void SyncPageMemo();
    void textup(Qt::MouseButton button);

    // Page sounds
    QString PageSoundFile();
    void RecordSound();
    void DeleteSound();
    void RecycleFile(const QString &path);
    void Timer3Timer();
    void hSAISEIMouseUp(Qt::MouseButton button);
    // Starts a program and waits for its end with the window disabled; false when it did not start.
    bool WaitForProgram(const QString &program, const QStringList &arguments);

    // Presentation mode, file watch and shutdown
    void SpeedButton1MouseDown(Qt::MouseButton button);
    void Timer2Timer();
    void FormMouseDown(Qt::MouseButton button, int y);
    void Panel4MouseUp();
    void Panel4Resize();
    void RememberShown(const QString &which, const QString &url);
    void Timer5Timer();
    bool FormCloseQuery();
    void FormClose();
    void Sorvek1Click();
    // The tool windows the main window drives (created by the program block).
    void SetToolWindows(TForm11 *mask, TForm12 *memo);

    // CommandHost: what the link commands act on
    int pageCount() const override { return PageCount(); }
    int pageIndex() const override { return PageIndex(); }
    void setPageIndex(int index) override { SetPageIndex(index); }
    void openLevel(const QString &folder, int index, bool push, CommandOrigin origin) override
    {
        OpenLevel(folder, index, push, origin);
    }
    void closeLevel() override { CloseLevel(); }
    void leaveLevel() override { LeaveLevel(); }
    void goHome() override { GoHome(); }
    void pushLevel(const QStringList &pages, const QStringList &titles, int index, const QString &folder,
                   CommandOrigin origin) override;
    QString topFolder() const override { return levels_.topFolder(); }
    QStringList pageList() const override { return levels_.pageList(); }
    QStringList titleList() const override { return levels_.titleList(); }
    QString bookFolder() const override { return BookFolder; }
    void rebuildPageButtons() override { RebuildPageButtons(); }
    void showPage(bool navigate) override { ShowPage(navigate); }
    void showPageFrom(CommandOrigin origin) override;
    void showNote(const QString &word, bool find) override { ShowNote(word, find); }
    void showNotice(const QString &text, int milliseconds) override { ShowNotice(text, milliseconds); }
    void setCaption(const QString &text) override { setWindowTitle(text); }
    int pageDirection() const override { return PageDirection; }
    void setPageDirection(int direction) override { PageDirection = direction; }
    int pageStep() const override { return PageStep; }
    QString historyName() const override { return HistoryName; }
    void setHistoryName(const QString &name) override { HistoryName = name; }
    QString desktopFolder() const override;
    void recordPageSound(const QString &path) override { RecordPageSound(path); }
    void openFolderInFileManager(const QString &path) override;
    void openInImageEditor(const QString &path) override;
    void startProgram(const QString &program, const QStringList &arguments, bool waitForEnd) override;
    void startDownload(const QString &url, const QString &target) override;
    LookResult lookSearch(const QString &words, const QString &askingPage) override;

    // Unit-wide values
    QString BookFolder;
    QString ApplicationTitle;
    QString HelpFileName;
    QString HelpURL;
    QString HistoryName;
    QString AnswerOpenMark, ChoiceMark, AnswerCloseMark, AlternativeMark;
    int CaptionWidth = 20;
    int ButtonMargin = 2;
    int BaseWidth = 1024;
    int BaseHeight = 742;
    int BatchMode = 0;
    bool RightButtonFlag = false;
    bool HighlightCurrent = true;
    QString IndexedFolder;  // the search window's cache key; "xxx" marks the title index stale
    QStringList ListBox1;   // files named on the command line, then imported
    QStringList ListBox3;
    int kabeRightTag = 0;   // 1 while the user has closed the page-button column

    // The level stack (PageLists, TitleLists, PBanList, DIRList) and the page display state
    LevelStack levels_;
    PageButtonColumn PageButtons;
    QString CurrentPagePath;
    QString CurrentPageURL;
    int PageDirection = 0;
    int PreviousPageIndex = 0;
    int PageStep = 0;
    QString LastLoadedURL;
    bool SnapshotShown = false;
    int NotesHeight = 0;
    CommandRunner runner_{*this};
    QMenu *pagePopup_ = nullptr;  // PagePopup
    QString CurrentFolder;
    QString ShownPagePath, ShownPageStamp, ShownMenuPath, ShownMenuStamp;
    int StampLatency = 0;
    int Panel4Tag = 0;
    QTimer *Timer2 = nullptr;
    QTimer *Timer3 = nullptr;
    class PageMergeJob *mergeJob_ = nullptr;
    class ResumeRun *resume_ = nullptr;  // owns Timer4
    class PrintPreviewHandshake *printPreview_ = nullptr;
    QTimer *slideTimer_ = nullptr;
    QList<int> slideSteps_;
    bool refreshingNotes_ = false;
    std::optional<CommandOrigin> showOrigin_; // lowers the next page show's trust
    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
    TForm4 *Form4 = nullptr;
    TForm5 *Form5 = nullptr;
    TForm6 *Form6 = nullptr;
    TForm10 *Form10 = nullptr;
    TForm11 *Form11 = nullptr;
    TForm12 *Form12 = nullptr;

    // Components, under the names the handlers and tests use
    AlignPanel *kabeBASE;
    AlignPanel *hyoushi;
    AlignPanel *hyoushiup;
    AlignPanel *Panel5;
    SpeedButton *SpeedButton17;
    SpeedButton *SpeedButton3;
    AlignPanel *Panel6;
    BrowserControl *WebBrowser4;
    AlignPanel *kabeRight;
    AlignPanel *Panel3;
    AlignPanel *Panel2;
    SpeedButton *SpeedButton20;
    AlignPanel *Panel1;
    QLabel *Label1;
    ButtonScrollBox *ScrollBox1;
    AlignPanel *kabe;
    ImageControl *Image1;
    AlignPanel *kabeBrowser;
    BrowserControl *WebBrowser1;
    QFrame *Pmathub;
    QFrame *Pmathu;
    QLabel *PmathuCaption;
    QLabel *Label2;
    SpeedButton *BitBtn1;
    AlignPanel *kabeKR;
    AlignPanel *Panel9;
    BrowserControl *WebBrowser2;
    BrowserControl *WebBrowser3;
    AlignPanel *kabedown;
    QLabel *Image5;
    SpeedButton *SpeedButton11;
    SpeedButton *SpeedButton2;
    SpeedButton *SpeedButton9;
    SpeedButton *SpeedButton1;
    SpeedButton *SpeedButton8;
    ImageControl *Image6;
    QLabel *Panel8;
    QLabel *Panel7;
    ImageControl *Image7;
    ImageControl *Image10;
    SpeedButton *SpeedButton10;
    SpeedButton *SpeedButton6;
    SpeedButton *SpeedButton7;
    AlignPanel *Panel4;
    QLabel *Image4;
    QTimer *Timer1;
    QTimer *Timer5;
    QMenu *PopupMenu2;
    QAction *HOME1, *N2, *Paste2, *N3, *LOGO1, *Find1, *N1, *Sorvek1, *N6, *Exit1;

    const PlatformServices &services() const { return services_; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Shows what the listings of the levels left out, when anything.
    void tellListingNotice();
    void createComponents();
    void createSideMenu();
    void createButtonColumn();
    void createPageArea();
    void createBottomBar();
    void createStartMenu();
    void placeLeftGroup();
    void fitNoticeText(const QString &text);
    void placeRightGroup();
    void placeBitBtn1();
    void placeMaskHole();
    void tellWhenNoBook(bool bookExisted);
    void placeMemoWindow();
    void attachPageButtons();
    void placeButtons(bool shiftCurrent);
    void showPageNumber();
    void fitPageButtons();
    void setColumnLayout(int width, int tag, bool showClose);
    void dispatchNavigation(const QUrl &url, bool &cancel, BrowserControl *source);
    void runNavigationAction(const NavigationDecision &decision, CommandOrigin origin);
    // How ShowPage's navigation starts: with the top level's trust, or less for a page a web
    // page picked; a level's own page file is shown as the file it is.
    NavigationStart pageShowStart(bool pageFileExists) const;
    void pageWork(const QUrl &url);
    void ManagePageFiles(PageFileMode mode);
    void createPrinting();
    void afterPrintDocument(const QString &document, const QString &message);
    void launchMwex(const struct ProgramLaunch &launch);
    void rewriteCurrentPageLinks(LookLinkMode mode);
    bool writeSideMenu(const QString &path, const struct SideMenuParts &parts, const QString &names);
    int showModal(QDialog *dialog);
    void warn(const QString &text);
    void linkScan(const QUrl &url, const QString &source);
    void slideStep();
    void applyBreadcrumb();

    PlatformServices services_;
    BrowserFactory browserFactory_;
    QString programFilePath_;
    QStringList commandLineFiles_;
    bool shown_ = false;
    std::future<StartupRead> startupRead_;
    std::optional<ReadLevel> startupRoot_;  // taken by the first level
};

} // namespace sorvek
