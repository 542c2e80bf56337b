// The commands of CommandRunner that record, draw, fetch, copy and write files, and that
// start programs.
#include "commands/commandrunner.h"

#include "commands/historypages.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"
#include "commands/variablefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sorvek {

namespace {

constexpr int kNoticeMs = 2000;

} // namespace

void CommandRunner::recordSound(const PreparedCommand &command)
{
    QString path = bookOrFolderPath(command.argumentText, folders());
    if (extensionOf(command.first).isEmpty())
        path += QStringLiteral(".wav");
    host_.recordPageSound(path);
}

void CommandRunner::paint(const PreparedCommand &command)
{
    QString path = bookOrFolderPath(command.argumentText, folders());
    if (extensionOf(command.first).isEmpty())
        path += QStringLiteral(".bmp");
    if (!QFileInfo::exists(path)) {
        // A whole white picture: a bare header without pixels opens in no image editor.
        const WriteResult written = writeBytesSafely(path, blankPictureBytes());
        if (!written) {
            host_.showNotice(QStringLiteral("画像を作成できません: ") + written.error, kNoticeMs);
            return;
        }
    }
    host_.openInImageEditor(path);
}

bool CommandRunner::makeTargetFolder(const QString &target)
{
    // Drive letters, network shares and addresses name no file here.
    if (target.startsWith(u'/') && !target.startsWith(QStringLiteral("//"))) {
        const QString folder = folderPart(target);
        QDir().mkdir(folder); // one level; an existing folder is no error
        if (QFileInfo(folder).isDir())
            return true;
    }
    host_.showNotice(QStringLiteral("保存先を作れません: ") + target, kNoticeMs);
    return false;
}

void CommandRunner::download(const PreparedCommand &command)
{
    const std::optional<QString> address = downloadAddress(command.first);
    if (!address) {
        host_.showNotice(QStringLiteral("http か https のアドレスだけを保存できます: ") + command.first, kNoticeMs);
        return;
    }
    const QString target = fullBookOrFolderPath(command.second, folders());
    if (makeTargetFolder(target))
        host_.startDownload(*address, target);
}

void CommandRunner::copy(const PreparedCommand &command)
{
    const QString source = fullBookOrFolderPath(command.first, folders());
    const QString target = fullBookOrFolderPath(command.second, folders());
    if (!makeTargetFolder(target))
        return;
    // Read whole before the target is touched: a failed read leaves the target as it was.
    const BookFileRead read = readBookFile(source, BookFileKind::AnyFile);
    if (!read) {
        host_.showNotice(QStringLiteral("コピーできません: ") + read.message, kNoticeMs);
        return;
    }
    const WriteResult written = writeBytesSafely(target, read.bytes);
    if (!written)
        host_.showNotice(QStringLiteral("コピーできません: ") + written.error, kNoticeMs);
}

void CommandRunner::writeVariableFile(const QString &path, const QString &assignment)
{
    const VariableWriteResult result = writeVariable(host_.bookFolder(), path, assignment);
    if (result.outcome == VariableWriteResult::Outcome::Deleted)
        host_.showPage(true);
    else if (!result.ok())
        host_.showNotice(result.error, kNoticeMs);
    else if (result.unmappable > 0 && !toldUnmappable_) {
        toldUnmappable_ = true;
        host_.showNotice(QStringLiteral("変数ファイルに書けない文字は「?」にしました"), kNoticeMs);
    }
}

void CommandRunner::switchHistory(const QString &argumentText)
{
    const QString name = historyNameFor(argumentText);
    host_.setHistoryName(name);
    QDir().mkpath(host_.bookFolder() + QStringLiteral("/history"));
    const QString source = historyScriptSource(host_.bookFolder(), host_.topFolder(), name);
    const HistoryRewriteResult result = rewriteHistoryPages(host_.pageList(), host_.topFolder(), source);
    if (!result.failed.isEmpty())
        host_.showNotice(QStringLiteral("履歴ページを更新できません: ") + result.failed.join(u' '),
                         kNoticeMs);
}

void CommandRunner::launchProgram(const PreparedCommand &command, CommandOrigin origin)
{
    const QString program = bookOrFolderPath(command.word, folders());
    QStringList paths;
    for (const QString &token : command.tokens.mid(1))
        paths.append(bookOrFolderPath(token, folders()));
    // All further paths travel as one quoted parameter, as links have always passed them.
    const QStringList arguments = paths.isEmpty() ? QStringList() : QStringList{paths.join(u' ')};
    const QString parameters = paths.isEmpty() ? QString() : u'"' + paths.join(u' ') + u'"';
    host_.setCaption(program + u' ' + parameters + QStringLiteral("KKK"));
    if (urlFileName(program).toLower() == u"mwex.exe") {
        host_.startProgram(program, arguments, false);
        return;
    }
    host_.showNotice(program + u'\u3000', 1700);
    host_.startProgram(program, arguments, program.contains(QStringLiteral(".EXE")));
    reloadLevel(origin);
}

} // namespace sorvek
