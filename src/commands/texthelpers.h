#pragma once
// Small text and path operations shared by navigation, link commands and page authoring.
// Paths use "/"; positions are UTF-16 code units.
#include "commands/textfile.h"

#include <QString>

namespace sorvek {

QString repeatText(const QString &text, int n);
// Apostrophe, *, ?, double quote, |, /, < and > become "_"; the length never changes.
QString safeFileName(const QString &text);
// Only "%20" is decoded.
QString decodeSpaces(const QString &text);
// The text after the last "/" (the whole text without one).
QString urlFileName(const QString &text);
// The path up to and including its last "/"; "" without one.
QString folderPart(const QString &path);
// The name between the last two "/"; "" without a "/".
QString folderName(const QString &path);
QString escapeAngles(const QString &text);
// Exact case: "&LT;" stays.
QString unescapeAngles(const QString &text);

// A web address is any URL whose scheme is not file (http, https, ftp, ...).
bool isWebAddress(const QString &text);
// An http or https address: the only web addresses handed on as the web's (videos, new windows).
bool isHttpAddress(const QString &text);
// A URL the page cannot show itself (mailto:, smb:, foo: ...): only the desktop would open it.
bool isDesktopAddress(const QString &text);
// A URL with a scheme, or an absolute "/" path (a leading "/$" is a command link, not a path).
bool isAbsoluteOrUrl(const QString &text);
// Turns "\" from book content (link targets, src values, stored names) into "/".
QString toSlashes(const QString &text);

// The local path of a shown page's URL: "" for a web address; a file URL through QUrl; other
// text unchanged.
QString urlToLocalPath(const QString &url);
// Resolves "file:///", "./", "../" and "/" prefixes of an href or src for the linked-file scan: a file
// URL stays where it points, "/x" lies in the book folder.
QString resolveLinkPath(const QString &link, const QString &bookFolder);

// Code page 932 lead-byte test on the low byte of a UTF-16 unit (0x81-0x9F, 0xE0-0xFC).
bool isLeadByte(char16_t unit);
// Pads text with n - 2 x length blanks, then cuts it to captionWidth units (one more when the
// unit at captionWidth is a lead byte).
QString padCaption(const QString &text, int n, int captionWidth = 20);

// The file URL of a local path ("file:///..."), and a local path from a file URL.
QString fileUrl(const QString &localPath);

// The file a page's src or href value names in folder (ending with "/"): the name as written, or
// percent-decoded when only that spelling names a file ("my%20cat.png" for "my cat.png").
QString linkedFileInFolder(const QString &folder, const QString &name);

// A page file's bytes as text. A UTF-8 byte-order mark, or bytes that are valid UTF-8, make it
// UTF-8. Other bytes are code page 932 when the page declares Shift_JIS in any spelling
// (Shift-JIS, x-sjis, MS932, windows-31j, cp932 ...) or declares no charset at all.
struct DecodedPage {
    QString text;
    bool declaresShiftJis = false; // the head names Shift_JIS, whatever the bytes turned out to be
    bool clean = true;             // the text holds every character the page shows (no bytes lost)
};
DecodedPage decodePageBytes(const QByteArray &bytes);
// The charset value of the first "charset=" (any case) replaced by "UTF-8"; text without one unchanged.
QString declareUtf8(const QString &pageText);
// A page's text for a tool that writes it back in UTF-8 (marks, LOOK links, picture names, the
// side menu): read as the editor reads it, and declared UTF-8 when it named Shift_JIS. Fails when
// its bytes are neither UTF-8 nor code page 932, as writing them back would lose the page's text.
ReadResult readPageToRewrite(const QString &path);

} // namespace sorvek
