// The program: creates the platform services and the windows, then runs the event loop.
#include "app/tform1.h"
#include "platform/qt/qtplatform.h"
#include "tools/tform8.h"

#include <QApplication>

#include <unistd.h>

int main(int argc, char **argv)
{
    // Chromium refuses to run as root with its sandbox on.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    using namespace sorvek;
    const QStringList files = QCoreApplication::arguments().mid(1);
    // The splash shows while the windows are made; a command-line import shows no window at all.
    auto *splash = files.isEmpty() ? new TForm8 : nullptr;
    if (splash) {
        splash->show();
        splash->repaint();
        QCoreApplication::processEvents();
    }
    QtPlatform platform;
    TForm1 form1(platform.services(), QtPlatform::browsers(), QCoreApplication::applicationFilePath(), files);
    TForm2 form2(platform.services(), &form1);
    TForm3 form3(platform.services(), &form1);
    TForm4 form4(QtPlatform::browsers(), platform.prompt, form1.IndexedFolder, &form1);
    TForm5 form5(&form1);
    TForm6 form6(platform.prompt);
    TForm10 form10(&form1);
    TForm11 form11;
    TForm12 form12(platform.prompt);
    form1.SetEditor(&form2);
    form1.SetFileTools(&form3, &form5, &form10);
    form1.SetSearchWindow(&form4);
    form1.SetVideoPlayer(&form6);
    form1.SetToolWindows(&form11, &form12);
    platform.prompt.setParent(&form1);
    QApplication::setApplicationName(form1.ApplicationTitle);
    delete splash;
    if (files.isEmpty())
        form1.show();
    else
        form1.FormShow();  // a batch import ends the program without a window
    return QApplication::exec();
}
