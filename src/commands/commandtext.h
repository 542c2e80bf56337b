#pragma once
// The text rules of one link command: tokens, the argument text, extensions, the three path
// rules, page-name matching for GO and GOSUB, and the fixed data some commands write.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace sorvek {

// A command text taken apart.
struct PreparedCommand {
    QStringList tokens;
    QString word;         // token 0, or the whole text when it has no token
    QString first;        // token 1 ("" when missing)
    QString second;       // token 2 ("" when missing)
    QString argumentText; // after the first blank; a leading "$" makes every "$" a "/"
};

// Blanks separate tokens (runs count as one); a token that begins with a double quote runs to
// the next one, both quotes dropped. A quote that is never closed is dropped and the rest is
// split as usual, so well-formed tokens are never changed.
QStringList tokenizeCommand(const QString &text);

// Replaces every "DESKTOP" by the desktop folder, then takes the text apart.
PreparedCommand prepareCommand(const QString &text, const QString &desktopFolder);

// The text from the last "." when no "/", "\" or ":" follows it; "" otherwise.
QString extensionOf(const QString &name);

// The folders the path rules resolve against: the book folder (no trailing "/") and the
// current level's folder (with "/").
struct CommandFolders {
    QString bookFolder;
    QString topFolder;
};

// Text beginning with "." is below the book folder, anything else below the top folder.
QString bookOrFolderPath(const QString &text, const CommandFolders &folders);
// As bookOrFolderPath, but an absolute path or a URL stays as it is.
QString fullBookOrFolderPath(const QString &text, const CommandFolders &folders);
// DIR's folder: an absolute path stays, "." names a folder beside the book, else below the top.
QString levelFolderPath(const QString &text, const CommandFolders &folders);

// The stem of a page entry: its last path segment without the extension.
QString pageStem(const QString &entry);
// The first entry whose stem is name or ends with "_" + name; -1 for none.
int findPageByName(const QStringList &pages, const QString &name);

// SAVE's address: "\" becomes "/", and "http://" is put in front when no "scheme://" leads it.
// Nothing for any address that is not http or https (file:, ftp: ...): SAVE fetches from the web.
std::optional<QString> downloadAddress(const QString &text);

// The picture PAINT starts from: a white 640 x 480 bitmap of 24 bits (921,654 bytes).
QByteArray blankPictureBytes();

} // namespace sorvek
