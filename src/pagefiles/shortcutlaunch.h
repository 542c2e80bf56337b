#pragma once
// How a shortcut of the page menu is started with the page shown, so that its program opens it.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace sorvek {

struct ShortcutLaunch {
    QString program;
    QStringList arguments;
};

// A shortcut that is itself a program (a script or a link to one) gets the page as its argument;
// any other is handed to registeredCommand (the desktop's program for its type, without its file
// placeholder; asked only then) followed by the shortcut and the page. Nothing when neither can
// start it.
std::optional<ShortcutLaunch> shortcutLaunch(const QString &shortcut, const QString &pageFile,
                                             const std::function<QString()> &registeredCommand);

} // namespace sorvek
