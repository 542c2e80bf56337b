#pragma once
// Turns the answer fields of a page into form controls and adds the two generated blocks of a quiz
// page: the checking script after the BODY start tag, the buttons and feedback notes before
// "</BODY>". A page without answer fields gets a single button to the next page instead.
#include "authoring/answermarks.h"

#include <QString>
#include <QStringView>

namespace sorvek {

enum class QuizPageError {
    None,
    NoBodyStartTag, // no "<BODY" followed by ">": nowhere to put the script, page left unchanged
};

struct QuizPageResult {
    QString page;                            // the quiz page; the page unchanged when not made
    QuizPageError error = QuizPageError::None;
    int fieldCount = 0;                      // answer controls written (the script's kazu)

    bool made() const { return error == QuizPageError::None; }
    // What failed and what was kept, for the user; "" when the page was made.
    QString errorText() const;
};

// A quiz page made of a page in the answer-field notation. A page that already holds generated
// blocks is first turned back into the notation, so making a quiz page twice changes nothing.
QuizPageResult makeQuizPage(QStringView page, const AnswerMarks &marks);

// The form control of one field's content: a text box, a drop-down, or nothing when the field
// stays text (markup or quotes in it, or a choice mark without an alternative mark).
struct QuizControl {
    enum class Kind { Text, TextBox, DropDown };
    Kind kind = Kind::Text;
    QString html;
};
QuizControl quizControlForField(QStringView content, const AnswerMarks &marks);

} // namespace sorvek
