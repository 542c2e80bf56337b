#pragma once
// The style section of a page's head for the five page styles (0 none, 1 notebook, 2 screen,
// 3 contents, 4 cover), and the rule that recovers the style number from a page's style text.
#include <QString>
#include <QStringList>
#include <QStringView>

namespace sorvek {

inline constexpr int kMinPageStyle = 0;
inline constexpr int kMaxPageStyle = 4;

// The lines of the style section of a style; empty for 0 and for a number outside 0..4.
QStringList styleBlockLines(int style);
// The style section as page text: the lines joined by CR, no CR after the last one.
QString buildStyleBlock(int style);
// The caption of a style in the editor ("設定無し", "ノート", "スクリーン", "目次", "表紙").
QString pageStyleName(int style);

// The style of a page from the text of its style section (with or without the markers): the text
// up to its first "mm;" is tested for "9mm" (4), "8mm" (3), "7mm" (2) and "6mm" (1) in that order,
// a later hit replacing an earlier one. Empty text, or text without "mm;", gives 0.
int pageStyleFromStyleText(QStringView styleText);
// The same for a whole page: its style section between the style markers, 0 without one.
int pageStyleOfPage(QStringView page);

} // namespace sorvek
