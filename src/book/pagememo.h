#pragma once
// The footnote memo of a page: which memo file belongs to the page shown, when the memo window
// follows it to another page's file, and how a memo is read and stored without losing its text.
#include "commands/textfile.h"

#include <QString>

namespace sorvek {

// The memo file of a page: its reference with the extension changed to ".txt" (added when it
// has none), in the top folder (which ends with "/"). A relative reference keeps its folder
// ("sub/p.html", also written "sub\p.html"); of an address or an absolute path only the last
// segment counts.
QString pageMemoPath(const QString &topFolder, const QString &pageReference);

// A memo file's text, UTF-8 or code page 932 as its bytes are: "" for a file that does not exist. readable is false when a file exists
// but could not be read (its text is unknown and must not be overwritten by an empty memo).
struct MemoText {
    QString text;
    bool readable = true;
    QString error;
};
MemoText loadMemoFile(const QString &path);

// Stores a memo: UTF-8 with byte-order mark, CR LF after every line (the last one too); an empty
// memo leaves only the byte-order mark. An empty path is a failure, never a silent success.
WriteResult saveMemoFile(const QString &path, const QString &text);

// The memo window as the sync sees it.
struct MemoWindowState {
    bool shown = false;     // Tag >= 1
    QString path;           // its caption: the memo file shown
    QString text;           // Memo1
    bool keepFile = false;  // the memo was not edited and its file is there (or unreadable): leave it
};

// What keeping the memo window on the page's memo file comes to.
struct MemoSyncOutcome {
    enum class Action {
        None,     // the window stays as it is
        Close,    // close the window (which stores its text) after taking path as its caption
        Switch,   // the window now edits path with text; it stays shown or hidden as it was
        Blocked,  // the shown memo could not be stored: it stays, error says why
    };
    Action action = Action::None;
    QString path;
    QString text;
    bool readable = true;  // Switch: false when the new file exists but could not be read
    QString error;         // Blocked: the write error; Switch with !readable: the read error
};

// SyncPageMemo for the memo file memoPath of the page just shown: a shown window without a file
// takes memoPath; another file makes the window switch, storing the shown memo first (unless
// dropOld, the user's choice after a Blocked outcome); the same file closes a shown window.
MemoSyncOutcome syncPageMemo(const QString &memoPath, const MemoWindowState &window, bool dropOld = false);

// The footnote memo button (textup): a left press opens the page's memo, any other press or a
// press while it is shown closes it; nothing without pages.
enum class MemoButtonAction { None, SyncAndShow, Close };
MemoButtonAction memoButtonAction(int pageCount, bool rightButton, bool memoShown);

} // namespace sorvek
