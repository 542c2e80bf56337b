// Feeds arbitrary text to the quiz writer, the answer-field conversion in every mode and the page
// format readers. Besides the sanitizers' checks it asserts what must hold for any input: a page
// that cannot be made is returned unchanged, and taking a made quiz page back to the notation
// never yields more than the author's text plus the close marks of unclosed fields (no text twice).
#include "authoring/answerfields.h"
#include "authoring/pageformat.h"
#include "authoring/pagetitle.h"
#include "authoring/quizpage.h"
#include "authoring/styleblock.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

using namespace sorvek;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void convertEveryMode(const QString &text, const AnswerMarks &marks)
{
    for (AnswerFieldMode mode :
         {AnswerFieldMode::QuestionSheet, AnswerFieldMode::AnswerSheet, AnswerFieldMode::SourceNotation})
        (void)convertAnswerFields(text, mode, marks);
}

void exerciseMarks(const QString &text, const AnswerMarks &marks)
{
    convertEveryMode(text, marks);
    const QuizPageResult quiz = makeQuizPage(text, marks);
    if (!quiz.made()) {
        check(quiz.page == text);
        return;
    }
    convertEveryMode(quiz.page, marks);
    const QString notation = convertAnswerFields(quiz.page, AnswerFieldMode::SourceNotation, marks);
    if (!pageformat::hasGeneratedBlock(text))
        check(notation.size() <= text.size() + 2 * quiz.fieldCount);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    exerciseMarks(text, AnswerMarks{});
    exerciseMarks(text, AnswerMarks{QStringLiteral("【"), QStringLiteral("｜"), QStringLiteral("】"),
                                    QStringLiteral("／")});
    (void)pageformat::removeGeneratedBlocks(text);
    (void)pageStyleOfPage(text);
    check(composePageTitle(parsePageTitle(text)).size() <= text.size() * 4 + 2);
    return 0;
}
