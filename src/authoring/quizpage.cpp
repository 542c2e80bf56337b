#include "authoring/quizpage.h"

#include "authoring/answerfields.h"
#include "authoring/concat.h"
#include "authoring/forwardfinder.h"
#include "authoring/pageformat.h"
#include "authoring/quizliterals.h"
#include "commands/texthelpers.h"

#include <QList>

namespace sorvek {
namespace {

constexpr char16_t kCr = pageformat::kCr;

bool containsMark(QStringView text, const QString &mark)
{
    return !mark.isEmpty() && text.contains(mark);
}

QString dropDownHtml(QStringView content, const AnswerMarks &marks)
{
    const qsizetype choiceAt = content.indexOf(marks.choice);
    QString html = concat({u"<SELECT name=\"", content.first(choiceAt), u"\"><OPTION value=\"?\">?</OPTION>"});
    const QList<QStringView> choices = content.sliced(choiceAt + marks.choice.size()).split(marks.alternative);
    for (const QStringView choice : choices)
        html += concat({u"<OPTION value=\"", choice, u"\">", choice, u"</OPTION>"});
    return html + QStringLiteral("</SELECT>");
}

// The fields of the body turned into controls, and the place where the field scan ended.
struct ConvertedFields {
    QString html;
    qsizetype end = 0;
    int count = 0;
};

ConvertedFields convertFields(QStringView src, qsizetype from, const AnswerMarks &marks)
{
    ConvertedFields result;
    result.html.reserve(src.size() - from);
    ForwardFinder opens(src, marks.open);
    ForwardFinder closes(src, marks.close);
    qsizetype pos = from;
    for (qsizetype open = opens.indexFrom(pos); open >= 0 && !marks.close.isEmpty();
         open = opens.indexFrom(pos)) {
        result.html += src.sliced(pos, open - pos);
        pos = open + marks.open.size();
        const qsizetype close = closes.indexFrom(pos);
        QStringView content;
        if (close >= 0) {
            content = src.sliced(pos, close - pos);
            pos = close + marks.close.size();
        }
        const QuizControl control = quizControlForField(content, marks);
        if (control.kind == QuizControl::Kind::Text) {
            result.html += concat({marks.open, content, close >= 0 ? QStringView(marks.close) : QStringView()});
        } else {
            result.html += control.html;
            ++result.count;
        }
    }
    result.end = pos;
    return result;
}

QString openingBlock(int count)
{
    QString block = pageformat::kGeneratedBegin + kCr + QStringLiteral("<FORM name=\"myForm\">") + kCr;
    if (count > 0)
        block += quizliterals::scriptOpen() + QStringLiteral("var kazu=") + QString::number(count)
            + QStringLiteral(";//問題数") + kCr + quizliterals::quizScript();
    else
        block += quizliterals::jumpScript();
    return block + kCr + pageformat::kGeneratedEnd;
}

QString closingBlock(int count)
{
    QString block = pageformat::kGeneratedBegin + kCr + QStringLiteral("<BR>") + kCr;
    if (count > 0) {
        const QString br10 = repeatText(QStringLiteral("<BR>"), 10);
        block += quizliterals::answerButtons() + pageformat::kCrLf + repeatText(QStringLiteral("<BR>"), 50)
            + quizliterals::rightNote() + br10 + quizliterals::againNote() + br10 + quizliterals::backNote()
            + br10;
    } else {
        block += quizliterals::nextForm();
    }
    return block + kCr + QStringLiteral("</FORM>") + kCr + pageformat::kGeneratedEnd;
}

} // namespace

QString QuizPageResult::errorText() const
{
    switch (error) {
    case QuizPageError::None:
        return {};
    case QuizPageError::NoBodyStartTag:
        return QStringLiteral("問題ページを作れません: ページに <BODY> タグがありません。ページの内容はそのままです。");
    }
    return {};
}

QuizControl quizControlForField(QStringView content, const AnswerMarks &marks)
{
    if (content.contains(u'"') || content.contains(u'<') || content.contains(u'>'))
        return {};
    if (!containsMark(content, marks.choice))
        return {QuizControl::Kind::TextBox, concat({u"<input type=\"text\" name=\"", content, u"\" size=\"",
                                                    QString::number(content.size() + 3), u"\">"})};
    if (containsMark(content, marks.alternative))
        return {QuizControl::Kind::DropDown, dropDownHtml(content, marks)};
    return {};
}

QuizPageResult makeQuizPage(QStringView page, const AnswerMarks &marks)
{
    // Making a quiz of a quiz page would wrap the script's own parentheses into controls.
    const QString source = pageformat::hasGeneratedBlock(page)
        ? convertAnswerFields(page, AnswerFieldMode::SourceNotation, marks)
        : page.toString();
    const qsizetype bodyAt = source.indexOf(QLatin1String("<BODY"), 0, Qt::CaseInsensitive);
    const qsizetype headEnd = bodyAt < 0 ? -1 : source.indexOf(u'>', bodyAt);
    if (headEnd < 0)
        return {page.toString(), QuizPageError::NoBodyStartTag, 0};

    const QStringView src(source);
    const ConvertedFields fields = convertFields(src, headEnd + 1, marks);
    // Without "</BODY>" everything after the last field goes before the closing block, once.
    qsizetype bodyEnd = src.indexOf(QLatin1String("</BODY>"), fields.end, Qt::CaseInsensitive);
    if (bodyEnd < 0)
        bodyEnd = src.size();

    QuizPageResult result;
    result.fieldCount = fields.count;
    result.page.reserve(source.size() + fields.html.size() + 4096);
    result.page += src.first(headEnd + 1);
    result.page += openingBlock(fields.count);
    result.page += fields.html;
    result.page += src.sliced(fields.end, bodyEnd - fields.end);
    result.page += closingBlock(fields.count);
    result.page += src.sliced(bodyEnd);
    return result;
}

} // namespace sorvek
