// The page recorder: records a page's sound into the WAV file named on its command line.
#include "recorder/recorderwindow.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sorvek-recorder"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        QMessageBox::warning(nullptr, QStringLiteral("録音"), QStringLiteral("録音するファイルの名前がありません。"));
        return 2;
    }
    sorvek::RecorderWindow window(arguments.at(1));
    window.resize(320, 100);
    window.show();
    return app.exec();
}
