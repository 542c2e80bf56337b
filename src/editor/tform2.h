#pragma once
// The editor window: one page's fields, its five layouts, its picture and the closing buttons.
// The page editor fills the fields, shows the window modally and reads the fields back.
#include "app/controls_ui.h"
#include "app/filestamp.h"
#include "editor/editortext.h"
#include "platform/ports.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QGroupBox;
class QLineEdit;
class QScrollBar;
class QTextEdit;

namespace sorvek {

struct EditorClosing;
struct PageEditFields;
namespace stylepreview {
struct FieldLook;
}

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(const PlatformServices &services, QWidget *parent = nullptr);
    ~TForm2() override;

    // What LoadImage found at a path.
    enum class ImageLoad { Missing, Loaded, Unreadable };

    // Operations
    static QString SetTagAttribute(const QString &tag, const QString &attr);
    static QString GetTagSrc(const QString &tag);
    QString DefaultImageName() const;
    void LoadTagState();
    void SizeImagePanel(int mode);
    void SetLayoutTextOnly();
    void SetLayoutTable();
    void SetLayoutImageCentre();
    void SetLayoutImageLeft();
    void SetLayoutImageRight();
    ImageLoad LoadImage(const QString &path);
    void ClearImage();
    void BackupImageTags();
    void RestoreImageTags();
    void ReloadImage();
    bool gomi(const QString &path);

    // Handlers: fields, layouts and pictures
    void FormShow();
    void FormResize();
    void Panel16Resize();
    void ScrollBar1Scroll(int position);
    void Image1DblClick();
    void SpeedButton1MouseDown(Qt::MouseButton button);
    void SpeedButton2MouseDown(Qt::MouseButton button);
    void SpeedButton1MouseUp();
    void SpeedButton2MouseUp();
    void SpeedButton10MouseUp();
    void SpeedButton11MouseUp();
    void SpeedButton12MouseUp();
    void SpeedButton13MouseUp();
    void SpeedButton18MouseUp();
    void SpeedButton14MouseUp();
    void SpeedButton15MouseUp();
    void SpeedButton16MouseUp();

    // Handlers: editing commands and closing
    void SpeedButton3MouseUp();
    void SpeedButton23MouseUp();
    void SpeedButton27Click();
    void SpeedButton4MouseUp();
    void SpeedButton5MouseUp();
    void SpeedButton6MouseUp();
    void SpeedButton7MouseUp();
    void SpeedButton8MouseUp();
    void SpeedButton9MouseUp();
    void SpeedButton19Click();
    void SpeedButton20Click();
    void SpeedButton21Click();
    void SpeedButton24Click();
    void SpeedButton25Click();
    void SpeedButton26Click();
    void SpeedButton17MouseEnter();
    void SpeedButton17MouseUp();
    void SpeedButton22MouseUp();
    void Edit1Change();
    void Memo4Enter();
    void Memo4Exit();
    void Memo5Enter();
    void Memo5Exit();
    void Memo1Enter();
    void Memo1Exit();
    void Memo2Enter();
    void Memo2Exit();
    void BitBtn1MouseUp();
    void BitBtn3Click();
    void BitBtn2MouseUp();
    void FormClose();

    // The page editor's side: fill the fields from a page before showing (Caption, Label5, the
    // style, the title, headings, table, picture and paragraphs; GX, GY and GX's tag only when the
    // page gave a size), read them back after closing, and what the closing decided.
    void FillFromPage(const PageEditFields &fields);
    void ReadIntoPage(PageEditFields &fields) const;
    EditorClosing ClosingResult() const;

    // What the page editor sets before showing and reads afterwards
    int EditResult = 0;          // 0 closed without saving, 1 "保存", 2 "ボタン保存" (quiz page)
    QString SaveDialog1FileName; // the file confirmed in the save-as dialog (BitBtn1Tag 1)
    QString Folder;              // the current folder, with a trailing "/"
    int BaseWidth = 1024;        // the largest picture width the scroll bar offers
    // The drawing program waited for, with the window disabled meanwhile; empty: the desktop's
    // program for pictures. Starts from SORVEK_PAINT.
    QString PaintProgram;
    // The fields hold the author's work from a save that did not happen: Esc asks even when
    // nothing was changed since the window opened again.
    bool KeptEdits = false;
    // The memo window on "Edit.txt": shows it, or closes (and so saves) it when it is shown.
    std::function<void(const QString &path)> OpenMemo;
    // Closes the memo window, which saves its text; run whenever this window closes.
    std::function<void()> CloseMemo;

    bool RightButtonDown = false;
    double ImageAspect = 0;

    // Hidden fields
    QString ETAGH1, ETAGH2, ETAGP1, ETAGHYO1, ETAGSRC1, Edit7;
    QString TAIHI1, TAIHI2, TAIHI3, TAIHI4, TAIHI5;
    QString Label5; // non-empty: saving asks for a file name

    // Tags
    int Tag = 0;              // 1 from the state load at show until the window closes
    int Edit1Tag = 0;         // 0: typing in Edit1 is copied into Memo4
    int Memo4Tag = 0, Memo5Tag = 0, Memo1Tag = 0, Memo2Tag = 0; // 1 while focused
    int Panel6Tag = 0;        // layout: 0 text or table, 1 image centre, 2 left, 3 right
    int GXTag = 0;            // 1: GX and GY hold a size to keep
    int Image1Tag = 0;        // 1: a picture of known size is loaded
    int ETAGHYO1Tag = 0;      // 1: the page has table cells beyond the framed text
    int SpeedButton17Tag = 1; // 1 text link, 2 link the picture
    int SpeedButton4Tag = 0, SpeedButton7Tag = 0, SpeedButton19Tag = 0;
    int GroupBox1Tag = 0;     // page style 0 to 4
    int BitBtn1Tag = 0;       // 1: a file name for saving was confirmed

    // Components
    QLineEdit *Edit1, *Edit5, *Edit6, *Edit2, *Edit3, *Edit4, *GX, *GY;
    QTextEdit *Memo1, *Memo2, *Memo4, *Memo5;
    std::array<QTextEdit *, 77> GridMemos{}; // Memo3, Memo6 ... Memo81
    QTextEdit *Memo(int number) const;       // Memo1 ... Memo81 by number
    AlignPanel *Panel7, *Panel10, *Panel6, *PanelImage1, *Panel4, *Panel16;
    ImageControl *Image1;
    QLabel *Gname;
    QScrollBar *ScrollBar1;
    QGroupBox *GroupBox1, *GroupBox3;
    SpeedButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5, *SpeedButton6,
        *SpeedButton7, *SpeedButton8, *SpeedButton9, *SpeedButton10, *SpeedButton11, *SpeedButton12,
        *SpeedButton13, *SpeedButton14, *SpeedButton15, *SpeedButton16, *SpeedButton17, *SpeedButton18,
        *SpeedButton19, *SpeedButton20, *SpeedButton21, *SpeedButton22, *SpeedButton23, *SpeedButton24,
        *SpeedButton25, *SpeedButton26, *SpeedButton27;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createComponents();
    void createTopStrip(QWidget *root);
    void createMainArea(QWidget *root);
    void createPanel7(QWidget *parent);
    void createPictureArea(QWidget *parent);
    void createGrid(QWidget *parent);
    void createLinkStrip(QWidget *parent);
    void createToolColumn(QWidget *root);
    int createAlignmentGroup(QWidget *column, int top);
    int createStyleGroup(QWidget *column, int top);
    int createAttributeGroup(QWidget *column, int top);
    int createLayoutGroup(QWidget *column, int top);
    int createPictureGroup(QWidget *column, int top);
    int createClosingButtons(QWidget *column, int top);
    void connectHandlers();

    // Shared steps of the handlers
    QString inFolder(const QString &name) const;
    void showLayout(int panelMode, SpeedButton *raised, int panel7Height);
    void placeImagePanel(int mode);
    void applyImageTags(editortext::LayoutMode mode);
    void showLayoutForTags(const editortext::ImageTags &tags);
    void setImagePanelSize(int width, int height);
    void setScrollBar(int position);
    void raiseOne(const QList<SpeedButton *> &group, SpeedButton *raised);
    void alignMemos(const QList<QTextEdit *> &memos, Qt::Alignment alignment);
    void alignHeading(int level, const QString &align);
    void alignTable(const QString &align);
    bool applyStoredAlignment(const QString &tag, const QList<SpeedButton *> &buttons,
                              const QList<QTextEdit *> &memos, bool rightKeepsLeft);
    QTextEdit *firstMemoWithSelection() const;
    void wrapFocusedSelection(editortext::Wrapping wrapping);
    void chooseLinkFile();
    bool choosePicture();
    bool copyPictureInto(const QString &source, const QString &target);
    bool writeWhitePicture(const QString &path);
    void startPaint(const QString &path);
    void waitForPaint(const QString &program, const QStringList &arguments, const QString &path);
    void afterPaint(const QString &path);
    void closeWithSave(int result);
    // The page as it was on disk when the fields were filled from it; a save over the page that
    // another program changed since asks first. False: nothing is written, editing goes on.
    void rememberPageOnDisk();
    bool mayWriteOverPage();
    void dropOrSizePicture();
    void applyStylePreview();
    static void applyLook(QTextEdit *memo, const stylepreview::FieldLook &look, const QPalette &system);
    static void setMemoPalette(QTextEdit *memo, const QPalette &palette);
    bool mouseUpInside(QObject *watched, QEvent *event) const;

    PlatformServices services_;
    bool built_ = false; // the components exist (a resize may come before)
    bool waitingForPaint_ = false;
    bool composing_ = false;  // the input method holds text not yet given to a field
    QString pageAtShow_;      // the page as the fields gave it when the window was shown
    QString pageAsShown() const;
    // The picture's tags are written as the page gave them until the author works on the picture
    // (a layout, the picture buttons, its size): the window never rewrites what it only shows.
    bool pictureEdited_ = false;
    QString pictureAtOpen_; // the local picture file the page showed when it was opened, or ""
    QString pageOnDiskPath_;
    FileState pageOnDisk_;
    // The memos as filled from the page: a memo the author left as it was gives back the page's
    // own text, special spaces and separators included.
    std::array<QString, 82> filledMemoText_{};
    std::array<QString, 82> filledMemoShown_{};
    QString rawMemoText(int number) const;
    bool pictureFileGone(const QString &picture) const;
};

} // namespace sorvek
