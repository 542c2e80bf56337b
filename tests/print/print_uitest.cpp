// The print documents in the real engine offscreen: the merged pages print to a PDF with real
// text, the preview waits for the reloaded document, and the snapshot zooms and saves as JPEG.
#include "platform/qt/qtcapture.h"
#include "platform/qt/webenginebrowser.h"
#include "print/mergejob.h"
#include "print/printpreview_ui.h"
#include "print/snapshot_ui.h"

#include "fakes/fakebrowser_ui.h"
#include "printpages.h"
#include "testutil.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

QString pdfText(const QString &pdf)
{
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!run.waitForFinished(30000) || run.exitCode() != 0)
        return QString();
    return QString::fromUtf8(run.readAllStandardOutput());
}

// The first page of a PDF as a picture of 50 dots per inch.
QImage firstPage(const QString &pdf)
{
    const QString stem = pdf + QStringLiteral("-page");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

int darkPixels(const QImage &image, const QRect &area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

// pdftotext breaks lines between runs of Latin and Japanese text: compare without blanks.
QString withoutBlanks(const QString &text)
{
    QString result;
    for (const QChar c : text)
        if (!c.isSpace())
            result += c;
    return result;
}

// Two pages of a level merged into the print folder, loaded in a print browser of height 0.
class MergedPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        const QString book = dir_.filePath(QStringLiteral("book"));
        testutil::writePage(book, QStringLiteral("1010_a.html"),
                            printpages::page(QStringLiteral("\"!\"どうぶつ"), QStringLiteral("<H1>ねこの耳</H1><P>[]は三角</P>")));
        testutil::writePage(book, QStringLiteral("1020_b.html"),
                            printpages::page(QStringLiteral("\"!\"きせつ"), QStringLiteral("<P>Spring [] 春のさくら</P>")));
        const MergeOutcome outcome = mergePages({{QStringLiteral("1010_a.html"), QStringLiteral("1020_b.html")},
                                                 book + QLatin1Char('/'), book, dir_.filePath(QStringLiteral("docs")),
                                                 MergeMode::Marked});
        ASSERT_TRUE(outcome.preview());
        browser_.resize(600, 0);  // the print browser is kept at height 0
        QSignalSpy loaded(&browser_, &BrowserControl::DocumentComplete);
        browser_.Navigate(QUrl::fromLocalFile(outcome.mergedPath), NavigationStart::localBookPage());
        ASSERT_TRUE(loaded.wait(20000));
    }

    void expectMergedText(const QString &pdf)
    {
        const QString text = withoutBlanks(pdfText(pdf));
        if (text.isEmpty() && QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-v")}) < 0)
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        EXPECT_TRUE(text.contains(QStringLiteral("ねこの耳"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("[1]は三角"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Spring[2]春のさくら"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("color"))) << "the style elements are not part of the print";
    }

    QTemporaryDir dir_;
    WebEngineBrowser browser_;
};

TEST_F(MergedPrintTest, PrintsToPdfWithRealText)
{
    const QString pdf = dir_.filePath(QStringLiteral("merged.pdf"));
    QSignalSpy printed(browser_.view()->page(), &QWebEnginePage::pdfPrintingFinished);
    browser_.view()->page()->printToPdf(pdf);
    ASSERT_TRUE(printed.wait(30000));
    ASSERT_TRUE(printed.first().at(1).toBool());
    expectMergedText(pdf);
}

// What the print preview paints: the browser's own print on a printer.
TEST_F(MergedPrintTest, PreviewPrinterGetsTheSameText)
{
    const QString pdf = dir_.filePath(QStringLiteral("preview.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    bool done = false, ok = false;
    browser_.PrintTo(&printer, [&](bool result) {
        ok = result;
        done = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&done] { return done; }, 30000));
    ASSERT_TRUE(ok);
    // Qt 6.4 prints a web view on a printer as a picture of each page: look at the picture.
    const QImage shown = firstPage(pdf);
    if (shown.isNull() && QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-v")}) < 0)
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    ASSERT_FALSE(shown.isNull());
    EXPECT_GT(darkPixels(shown, QRect(0, 0, shown.width(), shown.height() / 5)), 200) << "the text at the top";
    EXPECT_EQ(darkPixels(shown, QRect(0, shown.height() / 2, shown.width(), shown.height() / 2)), 0);
}

TEST(PrintPreviewHandshake, PreviewOpensOnceTheReloadedDocumentHasLoaded)
{
    fakes::FakeBrowser browser;
    browser.resize(300, 200);
    PrintPreviewHandshake handshake(&browser);
    int opening = 0, closed = 0;
    const QString sheet = QStringLiteral("/docs/Sorvek$/_$$$test.html");  // asked for while the preview paints: it waits
    QObject::connect(&handshake, &PrintPreviewHandshake::previewOpening, [&] { ++opening; handshake.start(sheet, false); EXPECT_EQ(browser.navigations.size(), 1); });
    QObject::connect(&handshake, &PrintPreviewHandshake::previewClosed, [&closed] { ++closed; });

    handshake.start(QStringLiteral("/docs/Sorvek$/_合体.html"), true);
    EXPECT_EQ(handshake.Tag, 1);
    EXPECT_EQ(browser.height(), 0);
    EXPECT_EQ(browser.navigations, QStringList{QUrl::fromLocalFile(QStringLiteral("/docs/Sorvek$/_合体.html")).toString()});
    browser.complete();
    EXPECT_EQ(browser.refreshes, 1);
    EXPECT_EQ(browser.previews, 0);
    browser.complete();
    EXPECT_EQ(browser.previews, 1);
    EXPECT_EQ(opening, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(browser.location.toLocalFile(), sheet);
    EXPECT_EQ(handshake.Tag, 1);
    browser.complete();  // a later document of the print browser opens nothing
    EXPECT_EQ(browser.previews, 1);
}

// Paints a picture with a distinct colour in each quarter.
QPixmap quarters(QSize size)
{
    QPixmap picture(size);
    QPainter painter(&picture);
    const int w = size.width() / 2, h = size.height() / 2;
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, size.width() - w, h, Qt::green);
    painter.fillRect(0, h, w, size.height() - h, Qt::blue);
    painter.fillRect(w, h, size.width() - w, size.height() - h, Qt::yellow);
    return picture;
}

TEST(Snapshot, ZoomKeepsTheClickedPointAndDoubles)
{
    const QPixmap picture = quarters({200, 100});
    // A click in the top-left quarter near its corner: that quarter fills the picture.
    const QImage once = zoomSnapshot(picture, {0, 0}).toImage();
    EXPECT_EQ(once.size(), QSize(200, 100));
    EXPECT_EQ(once.pixelColor(190, 90), QColor(Qt::red));
    // Zooming again around the centre of the first zoom stays red: four times in all.
    const QImage twice = zoomSnapshot(QPixmap::fromImage(once), {100, 50}).toImage();
    EXPECT_EQ(twice.pixelColor(5, 5), QColor(Qt::red));
    // A click at the centre of the original keeps the four colours around it.
    const QImage centre = zoomSnapshot(picture, {100, 50}).toImage();
    EXPECT_EQ(centre.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(centre.pixelColor(190, 90), QColor(Qt::yellow));
}

class FakeCapture : public IScreenCapture {
public:
    QPixmap grab(QWidget *) override { return picture; }
    void copyToClipboard(const QPixmap &p) override { clipboard = p; }
    QPixmap picture, clipboard;
};

TEST(Snapshot, CaptureShowsCopiesAndSavesAJpeg)
{
    QTemporaryDir dir;
    FakeCapture capture;
    capture.picture = quarters({300, 200});
    QWidget area;
    QLabel image(&area);
    const QString jpg = dir.filePath(QStringLiteral("_$$$1010_a.jpg"));
    ASSERT_TRUE(captureSnapshot(capture, &area, &image, {298, 198}, jpg).ok);
    EXPECT_EQ(image.geometry(), QRect(0, 0, 298, 198));
    EXPECT_EQ(capture.clipboard.size(), QSize(298, 198));
    const QImage saved(jpg);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(298, 198));
    EXPECT_TRUE(testutil::readBytes(jpg).startsWith("\xFF\xD8"));
}

TEST(Snapshot, UnwritableJpegIsReported)
{
    FakeCapture capture;
    capture.picture = quarters({40, 40});
    QWidget area;
    QLabel image(&area);
    const WriteResult result = captureSnapshot(capture, &area, &image, {40, 40}, QStringLiteral("/nonexistent-dir/x.jpg"));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
}

} // namespace

namespace {

// The resume photographs the real page: the picture of the page area holds the page's colours.
// As in the main window, the snapshot label lies behind the panel that holds the browser.
TEST(Snapshot, RealPageAreaIsPhotographed)
{
    QTemporaryDir dir;
    const QString path = testutil::writePage(dir.path(), QStringLiteral("a.html"),
        printpages::kDoctype + QStringLiteral("<HTML><BODY style=\"margin:0;background:#0000ff\"><P>あ</P></BODY></HTML>"));
    QWidget kabe;
    kabe.resize(400, 300);
    QLabel image(&kabe);
    QWidget kabeBrowser(&kabe);
    kabeBrowser.setGeometry(0, 0, 400, 300);
    WebEngineBrowser browser(&kabeBrowser);
    browser.setGeometry(0, 0, 400, 300);
    kabe.show();
    QSignalSpy loaded(&browser, &BrowserControl::DocumentComplete);
    browser.Navigate(QUrl::fromLocalFile(path), NavigationStart::localBookPage());
    ASSERT_TRUE(loaded.wait(20000));
    QtScreenCapture capture;
    QImage picture;
    // The engine paints a moment after the load; the resume waits 2 s for the same reason.
    (void)QTest::qWaitFor([&] {
        captureSnapshot(capture, &kabeBrowser, &image, {398, 298}, QString());
        picture = image.pixmap().toImage();
        return !picture.isNull() && picture.pixelColor(200, 250) == QColor(0, 0, 255);
    }, 5000);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(398, 298));
    EXPECT_EQ(picture.pixelColor(200, 250), QColor(0, 0, 255));
}

} // namespace
