#include "pagefiles/shortcutlaunch.h"

#include <QFileInfo>
#include <QProcess>

namespace sorvek {

std::optional<ShortcutLaunch> shortcutLaunch(const QString &shortcut, const QString &pageFile,
                                             const std::function<QString()> &registeredCommand)
{
    const QFileInfo file(shortcut);
    if (file.isFile() && file.isExecutable())
        return ShortcutLaunch{shortcut, {pageFile}};
    QStringList words = QProcess::splitCommand(registeredCommand ? registeredCommand() : QString());
    if (words.isEmpty())
        return std::nullopt;
    const QString program = words.takeFirst();
    return ShortcutLaunch{program, words << shortcut << pageFile};
}

} // namespace sorvek
