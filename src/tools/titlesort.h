#pragma once
// The order of the title index: by title for the searches, by the length of the title's second
// line for LOOK auto-links. Equal keys keep the walk's order, so the auto-links, which read the
// index from the end, come out the same every time.
#include "tools/titlelist.h"

namespace sorvek {

// ASCII letters without regard to case, every other character by its UTF-16 code unit; a
// shorter text that begins the longer one comes first. Negative, zero or positive.
int compareText(const QString &a, const QString &b);
// The length of the title's part after its first "#", cut before the first "?" after it; a title
// without "#" counts whole.
qsizetype titleLengthKey(const QString &title);

// Sorts paths with titles in step: by compareText of the titles, or by titleLengthKey in
// SearchMode::TitleLength. Ascending; equal keys keep their order.
void sortTitleList(TitleList &list, SearchMode mode);

} // namespace sorvek
