#include "commands/pagesound.h"

#include "commands/commandtext.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"
#include "commands/wavfile.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace sorvek {

namespace {

// The page file name of the register: a file URL through QUrl (so "%20" and the like are
// decoded), any other text from its last "/".
QString registerFileName(const QString &currentUrl)
{
    const QUrl url(currentUrl);
    if (url.isLocalFile())
        return urlFileName(url.toLocalFile());
    return urlFileName(currentUrl);
}

} // namespace

QString pageSoundFile(const QString &currentUrl, const QString &topFolder, int levelDepth, const QString &bookFolder)
{
    QString folder = levelDepth >= 2 ? topFolder : bookFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    QString name = registerFileName(currentUrl);
    if (name.isEmpty())
        name = QStringLiteral("index.html");
    return folder + name.left(name.size() - extensionOf(name).size()) + QStringLiteral(".wav");
}

QString recorderProgram(const QString &programFolder)
{
    return programFolder + QStringLiteral("/sorvek-recorder");
}

RecordingStart prepareRecording(const QString &path)
{
    if (QFileInfo::exists(path))
        return {true, false, {}};
    const WriteResult written = writeBytesSafely(path, emptyRecordingFile());
    if (!written)
        return {false, false, QStringLiteral("録音ファイルを作れません: ") + written.error};
    return {true, true, {}};
}

bool keepRecording(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return false;
    if (file.size() >= kKeptRecordingBytes)
        return true;
    QFile::remove(path);
    return false;
}

PlayButtonAction playButtonAction(bool rightButton, bool recordingExists)
{
    if (!recordingExists)
        return PlayButtonAction::Nothing;
    return rightButton ? PlayButtonAction::Recycle : PlayButtonAction::Play;
}

QString recycleQuestion(const QString &path)
{
    return QStringLiteral("ページ録音「") + urlFileName(path) + QStringLiteral("」をごみ箱に移しますか？");
}

} // namespace sorvek
