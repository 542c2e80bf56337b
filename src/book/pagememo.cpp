#include "book/pagememo.h"

#include "commands/texthelpers.h"

#include <QFileInfo>

namespace sorvek {

QString pageMemoPath(const QString &topFolder, const QString &pageReference)
{
    // A reference relative to the level (a search result "sub/page.html") keeps its folder, so
    // the memo lies beside its page; an address or an absolute path gives its last segment.
    const QString reference = toSlashes(pageReference);
    const bool relative = !reference.startsWith(u'/') && !reference.contains(u':');
    QString name = relative ? reference : urlFileName(reference);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > name.lastIndexOf(u'/'))
        name.truncate(dot);
    return topFolder + name + QStringLiteral(".txt");
}

MemoText loadMemoFile(const QString &path)
{
    MemoText memo;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return memo;
    // Memos written on old machines are code page 932; the bytes tell which a memo is.
    const ReadResult read = readTextByContent(path);
    memo.readable = read.ok;
    memo.text = read.ok ? read.text : QString();
    memo.error = read.error;
    return memo;
}

WriteResult saveMemoFile(const QString &path, const QString &text)
{
    if (path.isEmpty())
        return {false, QStringLiteral("メモのファイル名がありません。")};
    return writePageText(path, text);
}

MemoSyncOutcome syncPageMemo(const QString &memoPath, const MemoWindowState &window, bool dropOld)
{
    using Action = MemoSyncOutcome::Action;
    const QString caption = window.shown && window.path.isEmpty() ? memoPath : window.path;
    if (memoPath == caption)
        return window.shown ? MemoSyncOutcome{Action::Close, memoPath, {}, true, {}} : MemoSyncOutcome{};
    if (window.shown && !dropOld && !window.keepFile) {
        const WriteResult stored = saveMemoFile(caption, window.text);
        if (!stored)
            return {Action::Blocked, caption, window.text, true, stored.error};
    }
    const MemoText next = loadMemoFile(memoPath);
    return {Action::Switch, memoPath, next.text, next.readable, next.error};
}

MemoButtonAction memoButtonAction(int pageCount, bool rightButton, bool memoShown)
{
    if (pageCount < 1)
        return MemoButtonAction::None;
    if (!rightButton && !memoShown)
        return MemoButtonAction::SyncAndShow;
    return MemoButtonAction::Close;
}

} // namespace sorvek
