// TForm1: the page recordings, their play button and the recorder.
#include "app/tform1.h"

#include "commands/pagesound.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace sorvek {

QString TForm1::PageSoundFile()
{
    const QString path = pageSoundFile(windowTitle(), levels_.topFolder(), levels_.depth(), BookFolder);
    const bool exists = QFileInfo(path).isFile();
    BitBtn1->setProperty("Tag", exists ? 1 : 0);
    if (exists) {
        BitBtn1->move(BitBtn1->x(), 2);
        placeBitBtn1();
        BitBtn1->raise();
    }
    BitBtn1->setVisible(exists);
    return path;
}

void TForm1::RecordPageSound(const QString &path)
{
    const RecordingStart start = prepareRecording(path);
    if (!start.ok) {
        if (services().prompt)
            services().prompt->warning(this, start.error);
        return;
    }
    const QString recorder = recorderProgram(QCoreApplication::applicationDirPath());
    if (!WaitForProgram(recorder, {path}))
        ShowNotice(QStringLiteral("録音のプログラムを起動できません: ") + recorder + QStringLiteral("　"), 4000);
    keepRecording(path);
    PageSoundFile();
}

void TForm1::RecordSound()
{
    if (hasPagesForSound(PageCount()))
        RecordPageSound(PageSoundFile());
}

void TForm1::DeleteSound()
{
    if (!hasPagesForSound(PageCount()))
        return;
    const QString path = PageSoundFile();
    if (QFileInfo(path).isFile())
        RecycleFile(path);
}

void TForm1::RecycleFile(const QString &path)
{
    if (services().prompt && services().prompt->question(this, recycleQuestion(path), DefaultAnswer::No) && services().shell
        && !services().shell->moveToTrash(path))
        services().prompt->warning(this, QStringLiteral("ゴミ箱に移せませんでした: ") + path);
    ShowPage(true);
}

void TForm1::Timer3Timer()
{
    Timer3->stop();
    const QString path = PageSoundFile();
    if (QFileInfo(path).isFile() && services().sound)
        services().sound->playFile(path);
}

void TForm1::hSAISEIMouseUp(Qt::MouseButton button)
{
    const QString path = PageSoundFile();
    const bool exists = QFileInfo(path).isFile();
    switch (playButtonAction(button == Qt::RightButton, exists)) {
    case PlayButtonAction::Recycle:
        RecycleFile(path);
        PageSoundFile();
        break;
    case PlayButtonAction::Play:
        if (services().sound)
            services().sound->playFile(path);
        break;
    case PlayButtonAction::Nothing:
        break;
    }
    if (PageButton *current = PageButtons.value(PageIndex()))
        current->setFocus();
}

} // namespace sorvek
