#pragma once
// The syntax of a command link's item list: splitting it into items, the page-counter
// conditions and the counter items.
#include <QString>
#include <QStringList>
#include <optional>

namespace sorvek {

enum class CommandItemKind {
    Empty,     // show the page again; the list ends
    Condition, // "<" or ">"
    Counter,   // "+", "-" or "="
    Command,   // anything else
};

CommandItemKind commandItemKind(const QString &item);

// The item list of a command link target: the text after its first "$", with "," appended.
// The target is taken as it is (the dispatcher decodes "%20" first).
QString commandListOfTarget(const QString &target);

// Splits an item list at ","; after each "," everything up to and including the next "$" is
// skipped. Text after the last "," is no item. Empty items are kept (they end a run).
QStringList splitCommandItems(const QString &list);

// A decimal integer (optional sign, leading blanks allowed), or nothing.
std::optional<int> parseCounterNumber(const QString &text);

// "<N[then][else]" and ">N[then][else]": the item to run instead, "" for none. An N that is
// not an integer compares as 0.
QString evalCondition(const QString &item, int pageCounter);

// The page counter after a "+N", "-N" or "=N" item (for "=" the number follows all leading
// "="); nothing when the number is not an integer, which ends the list.
std::optional<int> changedPageCounter(const QString &item, int pageCounter);

} // namespace sorvek
