// Start-up to the first painted page, measured on a real X server: the program and a bare
// QWebEngineView showing the same page are started fresh, and the screen is polled from here
// until the page's background colour shows. Also the memory of all their processes after
// start-up, and a page turn (Down, Enter) in a 20,000-page level against one in a 10-page level
// and against a bare view loading the same pages.
// Run under Xvfb (scripts/bench_startup.sh): startup_screen_bench <Sorvek.bin> [runs]
#include "app/tform1.h"
#include "platform/qt/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr QRgb PageColour = 0x11bb66;  // no other pixel of either window has it
constexpr QRgb DemoColour = 0xbacdfa;  // the demo book's first page

QByteArray pageText(const QString &title, qsizetype size)
{
    QByteArray text = "\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML><HEAD>"
                      "<TITLE>" + title.toUtf8() + "</TITLE></HEAD>\r\n<BODY style=\"background:#11bb66\"><P>";
    while (text.size() < size)
        text += "ページの本文です。 ";
    return text + "</P></BODY></HTML>\r\n";
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// A program file beside a book of n pages of the given size; returns the program's path.
QString makeBook(const QString &root, const QString &program, int pages, qsizetype size)
{
    const QString folder = root + QStringLiteral("/Sorvek");
    QDir().mkpath(folder);
    writeFile(folder + QStringLiteral("/index.html"), pageText(QStringLiteral("はじめに"), size));
    for (int i = 1; i < pages; ++i)
        writeFile(folder + QStringLiteral("/%1_p.html").arg(10000 + i), pageText(QStringLiteral("ページ %1").arg(i), size));
    const QString copy = root + QStringLiteral("/Sorvek.bin");
    QFile::copy(program, copy);
    return copy;
}

bool colourShows(QRgb colour)
{
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    for (int y = 4; y < shot.height(); y += 16)
        for (int x = 4; x < shot.width(); x += 16)
            if ((shot.pixel(x, y) & 0xffffff) == colour)
                return true;
    return false;
}

// All processes below pid, pid included.
QList<qint64> processTree(qint64 pid)
{
    QList<qint64> tree{pid};
    for (int k = 0; k < tree.size(); ++k) {
        for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            const QByteArray text = stat.readAll();
            const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 1 && fields.at(1).toLongLong() == tree.at(k))
                tree.append(entry.toLongLong());
        }
    }
    return tree;
}

double pssMegabytes(qint64 pid, int *count)
{
    double kb = 0;
    const QList<qint64> tree = processTree(pid);
    *count = int(tree.size());
    for (qint64 p : tree) {
        QFile f(QStringLiteral("/proc/%1/smaps_rollup").arg(p));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : f.readAll().split('\n'))
            if (line.startsWith("Pss:"))
                kb += line.mid(4).trimmed().split(' ').first().toDouble();
    }
    return kb / 1024;
}

struct Run {
    double ms = -1;
    double pssMb = 0;
    int processes = 0;
};

// Starts a program and waits until colour shows on the screen; with settleMs, measures its memory then.
Run startAndWatch(const QString &program, const QStringList &arguments, QRgb colour, int settleMs = 0)
{
    Run run;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(program, arguments);
    while (clock.elapsed() < 60000 && child.state() != QProcess::NotRunning) {
        if (colourShows(colour)) {
            run.ms = double(clock.nsecsElapsed()) / 1e6;
            break;
        }
        QThread::msleep(5);
    }
    if (settleMs > 0 && run.ms >= 0) {
        QThread::msleep(settleMs);
        run.pssMb = pssMegabytes(child.processId(), &run.processes);
    }
    child.kill();
    child.waitForFinished(10000);
    QElapsedTimer gone;
    gone.start();
    while (colourShows(colour) && gone.elapsed() < 5000)
        QThread::msleep(10);
    return run;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

int bareView(const QString &page)
{
    QWebEngineView view;
    view.resize(1024, 742);
    view.load(QUrl::fromLocalFile(page));
    view.show();
    return QApplication::exec();
}

// Paints now what the turn left to be painted in the window. repaint() would repaint every
// widget of the window, which no page turn does, and the window system's flush of it would fall
// into the next turn.
void paintPending(QWidget *window)
{
    QCoreApplication::sendPostedEvents(window, QEvent::UpdateRequest);
}

// Turns pages with the keys in the program's own window and prints the median time of one turn
// (Down, Enter, until the new page is loaded and what changed in the window painted; Esc after the
// last page).
int pageTurns(const QString &program, int turns)
{
    using namespace sorvek;
    QtPlatform platform;
    TForm1 form(platform.services(), QtPlatform::browsers(), program, {});
    bool loaded = false;
    QObject::connect(form.WebBrowser1, &BrowserControl::DocumentComplete, &form, [&] { loaded = true; });
    form.show();
    form.activateWindow();
    const auto waitLoaded = [&] {
        QElapsedTimer t;
        t.start();
        while (!loaded && t.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        loaded = false;
    };
    waitLoaded();
    const auto key = [](int k) {
        QWidget *target = QApplication::focusWidget();
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        if (target) {
            QCoreApplication::sendEvent(target, &press);
            QCoreApplication::sendEvent(target, &release);
        }
    };
    std::vector<double> times;
    for (int i = 0; i < turns; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (form.PageIndex() < form.PageCount() - 1) {
            key(Qt::Key_Down);
            key(Qt::Key_Return);
        } else {
            key(Qt::Key_Escape);  // from the last page back to the first: still a new page each time
        }
        waitLoaded();
        paintPending(&form);
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::printf("%.2f\n", median(times));
    std::fflush(stdout);
    std::_Exit(0);
}

// The same turns in a bare view: each of the book's next pages loaded in turn, until it has
// loaded and the view is painted.
int bareTurns(const QString &program, int turns)
{
    const QString folder = QFileInfo(program).path() + QStringLiteral("/Sorvek/");
    QWebEngineView view;
    view.resize(1024, 742);
    bool loaded = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, &view, [&] { loaded = true; });
    const auto loadAndWait = [&](const QString &page) {
        view.load(QUrl::fromLocalFile(folder + page));
        QElapsedTimer t;
        t.start();
        while (!loaded && t.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        loaded = false;
    };
    view.show();
    loadAndWait(QStringLiteral("index.html"));
    std::vector<double> times;
    for (int i = 1; i <= turns; ++i) {
        QElapsedTimer clock;
        clock.start();
        loadAndWait(QStringLiteral("%1_p.html").arg(10000 + i));
        paintPending(&view);
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::printf("%.2f\n", median(times));
    std::fflush(stdout);
    std::_Exit(0);
}

double turnMedian(const QString &self, const QString &program, const char *mode = "--turns")
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(self, {QString::fromLatin1(mode), program});
    child.waitForFinished(300000);
    return child.readAllStandardOutput().trimmed().toDouble();
}

void row(const char *what, double sorvek, double bare, const char *goal)
{
    std::printf("  %-34s %9.1f vs %9.1f  %6.2fx  (goal %s)\n", what, sorvek, bare, bare > 0 ? sorvek / bare : 0.0, goal);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 3 && args.at(1) == QStringLiteral("--bare"))
        return bareView(args.at(2));
    if (args.size() >= 3 && args.at(1) == QStringLiteral("--turns"))
        return pageTurns(args.at(2), 31);
    if (args.size() >= 3 && args.at(1) == QStringLiteral("--bare-turns"))
        return bareTurns(args.at(2), 31);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: startup_screen_bench <Sorvek.bin> [runs]\n");
        return 2;
    }
    const QString program = QFileInfo(args.at(1)).absoluteFilePath();
    const int runs = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 5;
    const QString self = QCoreApplication::applicationFilePath();
    QTemporaryDir dir;
    struct Book {
        const char *name;
        int pages;
        qsizetype size;
        const char *goal;
        QString program;
    };
    std::vector<Book> books{{"1 page", 1, 2048, "<= 1.1x", {}},
                            {"2,000 pages of 20 KB", 2000, 20480, "<= 1.1x", {}},
                            {"20,000 pages of 2 KB", 20000, 2048, "<= 1.3x", {}}};
    for (std::size_t b = 0; b < books.size(); ++b)
        books[b].program = makeBook(dir.filePath(QString::number(b)), program, books[b].pages, books[b].size);

    std::printf("start-up to the first painted page, ms (median of %d runs), Sorvek vs a bare QWebEngineView\n", runs);
    for (const Book &book : books) {
        const QString page = QFileInfo(book.program).path() + QStringLiteral("/Sorvek/index.html");
        std::vector<double> sorvek, bare;
        for (int i = 0; i < runs; ++i) {
            sorvek.push_back(startAndWatch(book.program, {}, PageColour).ms);
            bare.push_back(startAndWatch(self, {QStringLiteral("--bare"), page}, PageColour).ms);
        }
        row(book.name, median(sorvek), median(bare), book.goal);
    }

    // Memory on the demo book, once the first page shows and the program has settled.
    const QString demoRoot = dir.filePath(QStringLiteral("demo"));
    QDir().mkpath(demoRoot);
    QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(SORVEK_SOURCE_DIR "/examples/book"),
                                             demoRoot + QStringLiteral("/Sorvek")});
    QFile::copy(program, demoRoot + QStringLiteral("/Sorvek.bin"));
    // PSS shares library pages with every other process that maps them: alternate and take medians.
    std::vector<double> sorvekMb, bareMb;
    Run sorvekMemory, bareMemory;
    for (int i = 0; i < std::max(3, runs / 2); ++i) {
        sorvekMemory = startAndWatch(demoRoot + QStringLiteral("/Sorvek.bin"), {}, DemoColour, 3000);
        bareMemory = startAndWatch(self, {QStringLiteral("--bare"), demoRoot + QStringLiteral("/Sorvek/index.html")},
                                   DemoColour, 3000);
        sorvekMb.push_back(sorvekMemory.pssMb);
        bareMb.push_back(bareMemory.pssMb);
    }
    std::printf("memory after start-up on the demo book, PSS of all processes, MB (median of %d runs)\n",
                int(sorvekMb.size()));
    row(qPrintable(QStringLiteral("%1 vs %2 processes").arg(sorvekMemory.processes).arg(bareMemory.processes)),
        median(sorvekMb), median(bareMb), "<= 1.15x");

    // Page turns, in the program's own window on this display.
    const QString tenRoot = dir.filePath(QStringLiteral("ten"));
    const QString ten = makeBook(tenRoot, program, 10, 2048);
    std::printf("a page turn (Down, Enter, loaded and painted), ms, median of 31\n");
    const double turn = turnMedian(self, books[2].program);
    row("20,000-page level vs 10-page level", turn, turnMedian(self, ten), "<= 1.3x");
    row("20,000-page level vs the bare view", turn, turnMedian(self, books[2].program, "--bare-turns"), "<= 1.1x");
    return 0;
}
