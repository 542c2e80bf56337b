#include "platform/qt/qtdesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace sorvek {

int QtUserPrompt::ask(QWidget *asker, int icon, const QString &text, int buttons, int defaultButton)
{
    QWidget *owner = asker ? asker->window() : mainWindow_;
    QMessageBox box(QMessageBox::Icon(icon), QApplication::applicationName(), text,
                    QMessageBox::StandardButtons(buttons), owner);
    box.setDefaultButton(QMessageBox::StandardButton(defaultButton));
    // A box owned by an always-on-top tool must rise above it, or the tool hides the question it blocks on.
    if (owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec();
}

void QtUserPrompt::information(QWidget *asker, const QString &text)
{
    ask(asker, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtUserPrompt::warning(QWidget *asker, const QString &text)
{
    ask(asker, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtUserPrompt::question(QWidget *asker, const QString &text, DefaultAnswer onReturn)
{
    const int defaultButton = onReturn == DefaultAnswer::No ? QMessageBox::No : QMessageBox::Yes;
    return ask(asker, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, defaultButton)
           == QMessageBox::Yes;
}

int QtUserPrompt::choose(QWidget *asker, const QString &text, const QStringList &buttons, int safeChoice)
{
    QWidget *owner = asker ? asker->window() : mainWindow_;
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), text, QMessageBox::NoButton, owner);
    if (owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    QList<QAbstractButton *> pressed;
    for (const QString &caption : buttons)
        pressed.append(box.addButton(caption, QMessageBox::ActionRole));
    if (safeChoice >= 0 && safeChoice < pressed.size()) {
        box.setDefaultButton(qobject_cast<QPushButton *>(pressed[safeChoice]));
        box.setEscapeButton(pressed[safeChoice]);
    }
    box.exec();
    const qsizetype index = pressed.indexOf(box.clickedButton());
    return index < 0 ? safeChoice : int(index);
}

QString QtFileDialogs::openFile(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
}

QString QtFileDialogs::saveFile(const QString &title, const QString &suggestedPath, const QString &filter)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggestedPath, filter);
}

bool QtShell::openWithDefault(const QString &pathOrUrl)
{
    const QUrl url = QUrl::fromUserInput(pathOrUrl, QDir::currentPath(), QUrl::AssumeLocalFile);
    return QDesktopServices::openUrl(url);
}

bool QtShell::openFolder(const QString &folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool QtShell::openInImageEditor(const QString &path)
{
    // A configured paint command wins; otherwise the desktop's program for the picture.
    const QString command = qEnvironmentVariable("SORVEK_PAINT");
    if (!command.isEmpty())
        return QProcess::startDetached(command, {path});
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtShell::moveToTrash(const QString &path)
{
    // Without ~/.local/share Qt drops the file into ./files/ of the current folder.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return QFile::moveToTrash(path);
}

QString QtShell::defaultProgramFor(const QString &mimeType)
{
    QProcess xdg;
    xdg.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!xdg.waitForFinished(3000))
        return QString();
    return QString::fromUtf8(xdg.readAllStandardOutput()).trimmed();
}

void QtShell::defaultProgramForLater(const QString &mimeType, QObject *context,
                                     std::function<void(const QString &)> done)
{
    // xdg-mime is a shell script that starts a dozen programs: a blocking call costs the window
    // about 100 ms.
    auto *xdg = new QProcess(context);
    const auto answer = [xdg, done = std::move(done)](const QString &entry) {
        if (xdg->property("answered").toBool())
            return;
        xdg->setProperty("answered", true);
        xdg->deleteLater();
        done(entry);
    };
    QObject::connect(xdg, &QProcess::finished, context, [xdg, answer] {
        answer(QString::fromUtf8(xdg->readAllStandardOutput()).trimmed());
    });
    QObject::connect(xdg, &QProcess::errorOccurred, context, [answer](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)  // no "finished" follows
            answer(QString());
    });
    QTimer::singleShot(3000, xdg, [xdg] { xdg->kill(); });
    xdg->start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
}

QString QtStandardFolders::documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString QtStandardFolders::desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

bool QtClipboard::hasAnyFormat()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return data && !data->formats().isEmpty();
}

QStringList QtClipboard::copiedFiles()
{
    QStringList files;
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data)
        return files;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace sorvek
