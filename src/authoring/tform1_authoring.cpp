// TForm1: the page format's writers as the main window offers them to the page authoring code.
#include "app/tform1.h"

#include "authoring/styleblock.h"

namespace sorvek {

QString TForm1::BuildStyleBlock(int style) const
{
    return buildStyleBlock(style);
}

QuizPageResult TForm1::MakeQuizPage(const QString &page) const
{
    return makeQuizPage(page, answerMarks());
}

QString TForm1::ConvertAnswerFields(const QString &text, AnswerFieldMode mode) const
{
    return convertAnswerFields(text, mode, answerMarks());
}

} // namespace sorvek
