// Start-up: time from process start to the first page shown, for Sorvek and for a minimal
// QWebEngineView program loading the same page, measured by a parent that starts each as a
// fresh process and waits for its "shown" line. Prints the medians and their ratio.
#include "app/tform1.h"
#include "platform/qt/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>

namespace {

void reportShownAndQuit()
{
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    std::_Exit(0);  // only the time to the first page counts, not the teardown
}

int runSorvek(const QString &programPath)
{
    using namespace sorvek;
    QtPlatform platform;
    TForm1 form(platform.services(), QtPlatform::browsers(), programPath, {});
    QObject::connect(form.WebBrowser1, &BrowserControl::DocumentComplete, &form, [] { reportShownAndQuit(); });
    form.show();
    return QApplication::exec();
}

int runMinimal(const QString &pagePath)
{
    QWebEngineView view;
    view.resize(1024, 742);
    QObject::connect(&view, &QWebEngineView::loadFinished, &view, [] { reportShownAndQuit(); });
    view.load(QUrl::fromLocalFile(pagePath));
    view.show();
    return QApplication::exec();
}

double timeChild(const QString &self, const QStringList &arguments)
{
    QProcess child;
    QElapsedTimer clock;
    clock.start();
    child.start(self, arguments);
    while (child.waitForReadyRead(60000)) {
        if (child.readAll().contains("shown"))
            break;
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    child.waitForFinished(10000);
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 4 && QByteArray(argv[1]) == "--child") {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        QApplication app(argc, argv);
        const QString mode = QString::fromLocal8Bit(argv[2]);
        const QString path = QString::fromLocal8Bit(argv[3]);
        return mode == QStringLiteral("sorvek") ? runSorvek(path) : runMinimal(path);
    }
    QCoreApplication app(argc, argv);
    const QString demo = QStringLiteral(SORVEK_SOURCE_DIR "/examples/book");
    QTemporaryDir dir;
    QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), demo, dir.filePath(QStringLiteral("Sorvek"))});
    const QString program = dir.filePath(QStringLiteral("Sorvek.bin"));
    const QString page = dir.filePath(QStringLiteral("Sorvek/index.html"));
    const QString self = QCoreApplication::applicationFilePath();
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    std::vector<double> sorvekTimes, minimalTimes;
    for (int i = 0; i < runs; ++i) {
        sorvekTimes.push_back(timeChild(self, {QStringLiteral("--child"), QStringLiteral("sorvek"), program}));
        minimalTimes.push_back(timeChild(self, {QStringLiteral("--child"), QStringLiteral("minimal"), page}));
    }
    const double s = median(sorvekTimes), m = median(minimalTimes);
    std::printf("start-up to first page shown (median of %d runs)\n", runs);
    std::printf("  Sorvek:                 %8.1f ms\n", s);
    std::printf("  minimal QWebEngineView: %8.1f ms\n", m);
    std::printf("  ratio:                  %8.2f\n", s / m);
    return 0;
}
