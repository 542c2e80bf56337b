// The editor window's picture: loading and sizing it, its tag backups, the picture buttons and Paint.
#include "editor/tform2.h"

#include "commands/mwex.h"
#include "commands/textfile.h"
#include "editor/editorgeometry.h"
#include "editor/editortext.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QProcess>

namespace sorvek {

namespace {

const QString kPictureFilter = QStringLiteral(
    "画像ファイル (*.jpg *.jpeg *.bmp *.gif *.png);;JPEG画像ファイル (*.jpg *.jpeg);;BMP画像ファイル (*.bmp);;"
    "GIF画像ファイル (*.gif);;PNG画像ファイル (*.png)");
// A preview never needs more pixels than the widest picture the page may show.
const QSize kPreviewLimit(1024, 1024);

bool isFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

// Two spellings of one file (a link, "./") count as the same file.
bool sameFile(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

// Reads a picture for the preview; its own size in pixels, or a null image when it is no picture.
QImage readPicture(const QString &path, QSize *ownSize)
{
    QImageReader reader(path);
    QSize size = reader.size();
    if (size.isValid() && (size.width() > kPreviewLimit.width() || size.height() > kPreviewLimit.height()))
        reader.setScaledSize(size.scaled(kPreviewLimit, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (!size.isValid())
        size = image.size();
    *ownSize = image.isNull() ? QSize() : size;
    return image;
}

} // namespace

TForm2::ImageLoad TForm2::LoadImage(const QString &path)
{
    if (!isFile(path))
        return ImageLoad::Missing;
    QSize own;
    const QImage image = readPicture(path, &own);
    const bool readable = !image.isNull();
    if (readable)
        Image1->setPixmap(QPixmap::fromImage(image));
    else
        Image1->clear();
    GroupBox3->setEnabled(true);
    const editorgeometry::LoadedSize size =
        editorgeometry::sizeAfterLoad({readable, own.width(), own.height(), GXTag > 0, GX->text(), GY->text()});
    GX->setText(size.width);
    GY->setText(size.height);
    GXTag = qMax(GXTag, 1);
    Image1Tag = size.sizeKnown ? 1 : 0;
    ImageAspect = size.aspect;
    setImagePanelSize(editortext::sizeFieldValue(GX->text()), editortext::sizeFieldValue(GY->text()));
    Gname->setText(editortext::pictureNameInFolder(path, Folder));
    if (Edit7.isEmpty()) {
        ETAGSRC1 = QStringLiteral("<P>");
        Edit7 = editortext::pictureTag(Gname->text(), GX->text(), GY->text(),
                                       editortext::picturePlaceForMode(Panel6Tag), true);
    }
    BackupImageTags();
    return readable ? ImageLoad::Loaded : ImageLoad::Unreadable;
}

void TForm2::setImagePanelSize(int width, int height)
{
    PanelImage1->resize(width, height);
    if (Panel6Tag == 1) {
        Panel6->resize(Panel6->width(), height);
        PanelImage1->move(editorgeometry::centredLeft(Panel6->width(), width), 0);
    } else {
        Panel6->resize(width, Panel6->height());
        PanelImage1->move(0, 0);
    }
    if (auto *parent = qobject_cast<AlignPanel *>(Panel6->parentWidget()))
        parent->realign();
    setScrollBar(width);
}

void TForm2::ScrollBar1Scroll(int position)
{
    pictureEdited_ = true;
    GX->setText(QString::number(position));
    const int height = editorgeometry::scrolledHeight(position, ImageAspect);
    GY->setText(QString::number(height));
    setImagePanelSize(position, height);
}

void TForm2::ClearImage()
{
    ETAGSRC1.clear();
    Edit7.clear();
    Gname->clear();
    Image1->clear();
    if (TAIHI2.isEmpty())
        Image1Tag = 0;
    if (!Edit2->text().isEmpty())
        TAIHI4 = Edit2->text();
    if (!Edit3->text().isEmpty())
        TAIHI5 = Edit3->text();
    Edit2->clear();
    Edit3->clear();
    SpeedButton17Tag = 1;
}

void TForm2::BackupImageTags()
{
    if (Gname->text().isEmpty())
        return;
    TAIHI1 = ETAGSRC1;
    TAIHI2 = Edit7;
    TAIHI3 = Gname->text();
}

void TForm2::RestoreImageTags()
{
    if (TAIHI3.isEmpty()) {
        ETAGSRC1 = QStringLiteral("<P>");
        Edit7 = editortext::defaultPictureTag(DefaultImageName());
        return;
    }
    ETAGSRC1 = TAIHI1;
    Edit7 = TAIHI2;
    Gname->setText(TAIHI3);
    if (!TAIHI4.isEmpty())
        Edit2->setText(TAIHI4);
    if (!TAIHI5.isEmpty())
        Edit3->setText(TAIHI5);
}

void TForm2::ReloadImage()
{
    if (!TAIHI3.isEmpty() && isFile(inFolder(TAIHI3)))
        LoadImage(inFolder(TAIHI3));
}

bool TForm2::gomi(const QString &path)
{
    const QString question = QStringLiteral("「%1」をごみ箱に移動しますか？").arg(path);
    if (!services_.prompt->question(this, question, DefaultAnswer::No))
        return false;
    return services_.shell->moveToTrash(path);
}

void TForm2::Image1DblClick()
{
    if (!Gname->text().isEmpty())
        services_.shell->openWithDefault(inFolder(Gname->text()));
}

void TForm2::SpeedButton1MouseDown(Qt::MouseButton button)
{
    RightButtonDown = button == Qt::RightButton;
}

void TForm2::SpeedButton2MouseDown(Qt::MouseButton button)
{
    RightButtonDown = button == Qt::RightButton;
}

void TForm2::SpeedButton10MouseUp()
{
    pictureEdited_ = true;
    RestoreImageTags();
    SetLayoutImageLeft();
    ReloadImage();
}

void TForm2::SpeedButton11MouseUp()
{
    pictureEdited_ = true;
    RestoreImageTags();
    SetLayoutImageCentre();
    ReloadImage();
}

void TForm2::SpeedButton12MouseUp()
{
    pictureEdited_ = true;
    RestoreImageTags();
    SetLayoutImageRight();
    ReloadImage();
}

void TForm2::SpeedButton1MouseUp()
{
    pictureEdited_ = true;
    const QString current = inFolder(Gname->text());
    if (RightButtonDown && !Gname->text().isEmpty() && isFile(current)) {
        if (gomi(current)) {
            ClearImage();
            GXTag = 0;
            SizeImagePanel(Panel6Tag);
            Edit2->clear();
            Edit3->clear();
        }
        return;
    }
    choosePicture();
    LoadTagState();
}

bool TForm2::choosePicture()
{
    const QString chosen = services_.fileDialogs->openFile(QStringLiteral("画像の読み込み"), Folder, kPictureFilter);
    if (chosen.isEmpty())
        return false;
    const QString name = QFileInfo(chosen).fileName();
    const QString target = Folder + name;
    const bool same = sameFile(chosen, target);
    const QString replace = QStringLiteral("このフォルダーにはもう「%1」があります。選んだ画像で置き換えますか？").arg(name);
    if (!same && QFileInfo::exists(target) && !services_.prompt->question(this, replace, DefaultAnswer::No))
        return false;
    if (Panel6Tag < 2) {
        RestoreImageTags();
        SetLayoutImageCentre();
        ReloadImage();
    }
    if (!same)
        copyPictureInto(chosen, target);
    GXTag = 0;
    if (LoadImage(target) == ImageLoad::Unreadable)
        services_.prompt->warning(this, QStringLiteral("画像として読めません: %1。大きさは後で決めてください。").arg(target));
    SpeedButton17Tag = 2;
    Gname->setText(name);
    Edit7 = editortext::pictureTag(name, GX->text(), GY->text(), editortext::picturePlaceForMode(Panel6Tag), false);
    return true;
}

bool TForm2::copyPictureInto(const QString &source, const QString &target)
{
    const BookFileRead read = readBookFile(source, BookFileKind::Picture);
    QString error;
    if (!read) {
        error = read.message;
    } else {
        const WriteResult written = writeBytesSafely(target, read.bytes);
        if (written)
            return true;
        error = written.error;
    }
    services_.prompt->warning(this, QStringLiteral("画像をコピーできません: %1。フォルダーのファイルはそのままです。").arg(error));
    return false;
}

bool TForm2::writeWhitePicture(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const char *format = suffix == QStringLiteral("bmp") ? "BMP" : (suffix == QStringLiteral("jpg") ? "JPG" : nullptr);
    const QSize size = PanelImage1->size();
    if (!format || size.isEmpty())
        return false;
    QImage white(size, QImage::Format_RGB888);
    white.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (white.save(&buffer, format, 90)) {
        const WriteResult written = writeBytesSafely(path, bytes);
        if (written)
            return true;
        services_.prompt->warning(this, QStringLiteral("新しい画像を書けません: %1").arg(written.error));
    }
    return false;
}

void TForm2::SpeedButton2MouseUp()
{
    pictureEdited_ = true;
    if (RightButtonDown || Gname->text().isEmpty()) {
        const QString name = DefaultImageName();
        Edit7 = SetTagAttribute(Edit7, QStringLiteral("src=\"") + name + QLatin1Char('"'));
        Gname->setText(name);
        if (isFile(inFolder(name)))
            gomi(inFolder(name));
    }
    const QString path = inFolder(Gname->text());
    if (!isFile(path)) {
        if (Panel6Tag < 1) {
            RestoreImageTags();
            SetLayoutImageCentre();
            ReloadImage();
        }
        writeWhitePicture(path);
    }
    startPaint(path);
}

void TForm2::startPaint(const QString &path)
{
    // The window stays disabled until the drawing program has ended, then loads what was drawn.
    waitingForPaint_ = true;
    setEnabled(false);
    if (!PaintProgram.isEmpty()) {
        waitForPaint(PaintProgram, {path}, path);
        return;
    }
    // The desktop's program for pictures, started from its desktop entry so that it can be
    // waited for (an opener such as xdg-open returns at once).
    QPointer<TForm2> self(this);
    services_.shell->defaultProgramForLater(QStringLiteral("image/png"), this, [self, path](const QString &entry) {
        if (!self || !self->waitingForPaint_)
            return;
        const QStringList words = QProcess::splitCommand(mwexCommandForEntry(entry, applicationFolders()));
        if (words.isEmpty()) {
            self->services_.prompt->warning(self,
                QStringLiteral("画像を編集するプログラムが見つかりません。画像の既定のプログラムを設定してください。"));
            self->afterPaint(path);
            return;
        }
        self->waitForPaint(words.first(), words.mid(1) << path, path);
    });
}

void TForm2::waitForPaint(const QString &program, const QStringList &arguments, const QString &path)
{
    QPointer<TForm2> self(this);
    const auto ended = [self, path, program](bool started) {
        if (!self || !self->waitingForPaint_)
            return;
        if (!started)
            self->services_.prompt->warning(self, QStringLiteral("画像を編集するプログラムを起動できません: %1").arg(program));
        self->afterPaint(path);
    };
    if (!services_.processes->startAndWait(program, arguments, QString(), ended))
        ended(false);
}

void TForm2::afterPaint(const QString &path)
{
    waitingForPaint_ = false;
    setEnabled(true);
    if (isFile(path)) {
        GXTag = 0;
        if (LoadImage(path) == ImageLoad::Unreadable)
            services_.prompt->warning(this, QStringLiteral("画像として読めません: %1。大きさは後で決めてください。").arg(path));
    }
    LoadTagState();
}

} // namespace sorvek
