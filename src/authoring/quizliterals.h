#pragma once
// The fixed texts that a quiz page carries: the checking script, the answer buttons, the three
// feedback notes and the one-button form of a page without fields. Each line ends with CR LF.
#include <QString>

namespace sorvek::quizliterals {

QString scriptOpen();
QString quizScript();
QString answerButtons();
QString rightNote();
QString againNote();
QString backNote();
QString jumpScript();
QString nextForm();

} // namespace sorvek::quizliterals
