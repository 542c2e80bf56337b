#pragma once
// The main window: side menu, page area, page-button column and bottom bar.
#include "app/bookfolder.h"
#include "app/controls_ui.h"
#include "platform/browser_ui.h"
#include "platform/ports.h"

#include <QMenu>
#include <QScrollArea>
#include <QStringList>
#include <QTimer>

namespace sorvek {

class TForm1 : public AlignPanel {
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

    // Page authoring entry point used by the command-line import (built with page authoring).
    void MakePagesFromFiles(const QString &folder);

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

    // Components (the design's names)
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
    QScrollArea *ScrollBox1;
    AlignPanel *kabe;
    ImageControl *Image1;
    AlignPanel *kabeBrowser;
    BrowserControl *WebBrowser1;
    QFrame *Pmathub;
    QFrame *Pmathu;
    QLabel *PmathuCaption;
    QLabel *Label2;
    QPushButton *BitBtn1;
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
    void showEvent(QShowEvent *event) override;

private:
    void createComponents();
    void createSideMenu();
    void createButtonColumn();
    void createPageArea();
    void createBottomBar();
    void createStartMenu();
    void placeLeftGroup();
    void placeRightGroup();
    void placeBitBtn1();

    PlatformServices services_;
    BrowserFactory browserFactory_;
    QString programFilePath_;
    QStringList commandLineFiles_;
    bool shown_ = false;
};

} // namespace sorvek
