// Times the quiz writer and the answer-field conversion on a 5 MB page with 50,000 answer fields,
// and on damaged pages whose openers have no partners (the cases that would turn quadratic).
// Prints one line per case; exits with 1 when a case takes a second or more.
#include "authoring/answerfields.h"
#include "authoring/pageformat.h"
#include "authoring/quizpage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <functional>

using namespace sorvek;

namespace {

constexpr int kFields = 50'000;

QString page(const QString &body)
{
    return pageformat::buildPageHead(QStringLiteral("速さ"), QString()) + body + pageformat::pageEnd();
}

QString fieldPage()
{
    QString body;
    body.reserve(5'200'000);
    const QString filler = QStringLiteral("　これは速さを測るための長い本文です。").repeated(3);
    for (int i = 0; i < kFields; i += 2)
        body += QStringLiteral("<P>問%1 (b|a/b/c) と (apple/orange)%2</P>\r").arg(i).arg(filler);
    return page(body);
}

bool timeCase(QTextStream &out, const char *name, const std::function<qsizetype()> &run)
{
    QElapsedTimer timer;
    timer.start();
    const qsizetype size = run();
    const qint64 ms = timer.elapsed();
    out << QString::fromUtf8(name).leftJustified(40) << ms << " ms (" << size << " code units)\n";
    out.flush();
    return ms < 1000;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const AnswerMarks marks;
    const QString plain = fieldPage();
    const QString quiz = makeQuizPage(plain, marks).page;
    out << "page: " << plain.size() << " code units, " << plain.toUtf8().size() << " bytes, " << kFields
        << " fields\n";

    const QString openers = page(QStringLiteral("(あ").repeated(kFields));
    const QString damagedQuiz = pageformat::kGeneratedBegin + pageformat::kGeneratedEnd
        + QStringLiteral("<INPUT name=\"x\" ").repeated(kFields) + QStringLiteral("<SELECT name=\"y\">").repeated(kFields)
        + QStringLiteral("<!--beginSorvek").repeated(kFields);

    bool fast = true;
    fast &= timeCase(out, "makeQuizPage", [&] { return makeQuizPage(plain, marks).page.size(); });
    fast &= timeCase(out, "notation of quiz page", [&] {
        return convertAnswerFields(quiz, AnswerFieldMode::SourceNotation, marks).size();
    });
    fast &= timeCase(out, "question sheet of quiz page", [&] {
        return convertAnswerFields(quiz, AnswerFieldMode::QuestionSheet, marks).size();
    });
    fast &= timeCase(out, "question sheet of plain page", [&] {
        return convertAnswerFields(plain, AnswerFieldMode::QuestionSheet, marks).size();
    });
    fast &= timeCase(out, "answer sheet of plain page", [&] {
        return convertAnswerFields(plain, AnswerFieldMode::AnswerSheet, marks).size();
    });
    fast &= timeCase(out, "makeQuizPage, openers without close", [&] {
        return makeQuizPage(openers, marks).page.size();
    });
    fast &= timeCase(out, "answer sheet, openers without close", [&] {
        return convertAnswerFields(openers, AnswerFieldMode::AnswerSheet, marks).size();
    });
    fast &= timeCase(out, "notation, damaged tags and blocks", [&] {
        return convertAnswerFields(damagedQuiz, AnswerFieldMode::SourceNotation, marks).size();
    });
    return fast ? 0 : 1;
}
