#pragma once
// Rewrites the answer fields of a page text: into blanks for the question sheet, into their first
// answers for the answer sheet, or (for a quiz page) back into the notation for editing.
#include "authoring/answermarks.h"

#include <QString>
#include <QStringView>

namespace sorvek {

enum class AnswerFieldMode {
    QuestionSheet = 0,  // every answer becomes ideographic blanks between the marks
    AnswerSheet = 1,    // every field shows its first answer
    SourceNotation = 2, // quiz controls go back to the notation; other text is left alone
};

// The text of a field up to its first choice or alternative mark (the whole text without either).
QStringView firstAnswer(QStringView field, const AnswerMarks &marks);

// A text holding "<!--beginSorvek" is a quiz page: its generated blocks are dropped and its text
// boxes ("<INPUT" with a name) and drop-downs ("<SELECT") become fields again. Any other text has
// its fields rewritten in modes 0 and 1 and is returned unchanged in mode 2. Damaged markup (a
// tag or block without its end) and everything after it is kept as it stands.
QString convertAnswerFields(QStringView text, AnswerFieldMode mode, const AnswerMarks &marks);

} // namespace sorvek
