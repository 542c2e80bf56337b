#pragma once
// The three ways a page's title is read from its file. They differ on purpose:
// - the level's title list (read for every page when a folder opens): tags in any case, an empty
//   title falls back to the file name, "&lt;" and "&gt;" unescaped, Shift_JIS pages migrated;
// - one title re-read after an edit or a mark: upper-case tags only, an empty title stays empty,
//   entities stay as written, no migration;
// - the refresh of one page button: "<TITLE" in any case up to "</TITLE" in any case, entities
//   stay, an empty title falls back to the file name.
// All three need the DOCTYPE line "<!DOCTYPE HTML PUBLIC" (exact case) somewhere in the page.
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace sorvek {

// The title a page gets from its file name: the name (after the last "/") without extension,
// less everything up to and including its first "_" ("1010_Intro.html" -> "Intro").
QString titleFromFileName(const QString &pageRef);

// Title-list rule on a page's UTF-8 text (byte-order mark allowed). nullopt when the page has no
// usable title, so the file-name rule applies.
std::optional<QString> levelTitleFromUtf8(QByteArrayView utf8);

// The title-list entry of the page file at path, read once: a Shift_JIS page is migrated to
// UTF-8 first. nullopt when the file does not exist (the caller takes the level below's title).
std::optional<QString> readLevelTitle(const QString &path);

// The title list of a folder level: one title per page of folder (which ends with "/"); a page
// gone since the listing takes the title at its position in titlesBelow (the level below), or
// its file name when that level has none there. Pages past the page cap, titled by their file
// names, are added to tooLarge when given.
QStringList readLevelTitles(const QStringList &pages, const QString &folder, const QStringList &titlesBelow,
                            QStringList *tooLarge = nullptr);

// Re-read rule on a page's text: the exact-case "<TITLE>" ... "</TITLE>" text, possibly empty;
// nullopt when the page has no "<TITLE>" or no DOCTYPE line (the file-name rule applies).
std::optional<QString> rereadTitleFromText(const QString &text);

// Button-refresh rule on a page's text: nullopt when the title is empty or missing, or the page
// has no DOCTYPE line (the file-name rule applies).
std::optional<QString> buttonTitleFromText(const QString &text);

} // namespace sorvek
