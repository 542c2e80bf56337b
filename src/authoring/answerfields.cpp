#include "authoring/answerfields.h"

#include "authoring/forwardfinder.h"
#include "authoring/pageformat.h"
#include "commands/texthelpers.h"

#include <QList>

#include <optional>

namespace sorvek {
namespace {

constexpr char16_t kBlank = u'\u3000';

QString blanks(qsizetype answerLength)
{
    return repeatText(QString(QChar(kBlank)), static_cast<int>(answerLength + 2));
}

// The sheet text of one field in modes 0 and 1.
QString sheetText(QStringView shown, AnswerFieldMode mode)
{
    return mode == AnswerFieldMode::QuestionSheet ? blanks(shown.size()) : shown.toString();
}

QString convertPlainFields(QStringView text, AnswerFieldMode mode, const AnswerMarks &marks)
{
    QString out;
    out.reserve(text.size());
    ForwardFinder opens(text, marks.open);
    ForwardFinder closes(text, marks.close);
    qsizetype pos = 0;
    for (qsizetype open = opens.indexFrom(pos); open >= 0 && !marks.close.isEmpty();
         open = opens.indexFrom(pos)) {
        const qsizetype afterOpen = open + marks.open.size();
        out += text.sliced(pos, afterOpen - pos);
        pos = afterOpen;
        const qsizetype close = closes.indexFrom(pos);
        const QStringView field = close >= 0 ? text.sliced(pos, close - pos) : QStringView();
        out += sheetText(firstAnswer(field, marks), mode);
        out += marks.close;
        if (close >= 0)
            pos = close + marks.close.size();
    }
    out += text.sliced(pos);
    return out;
}

// The value between the first two double quotes after "NAME=" (any case) in a start tag.
std::optional<QStringView> nameAttribute(QStringView tag)
{
    const qsizetype name = tag.indexOf(u"NAME=", 0, Qt::CaseInsensitive);
    if (name < 0)
        return std::nullopt;
    const qsizetype first = tag.indexOf(u'"', name + 5);
    const qsizetype second = first < 0 ? -1 : tag.indexOf(u'"', first + 1);
    if (second < 0)
        return std::nullopt;
    return tag.sliced(first + 1, second - first - 1);
}

QString textBoxField(QStringView name, AnswerFieldMode mode, const AnswerMarks &marks)
{
    const QString shown = mode == AnswerFieldMode::SourceNotation ? name.toString()
                                                                  : sheetText(firstAnswer(name, marks), mode);
    return marks.open + shown + marks.close;
}

// Named "<INPUT" tags become fields. A tag in which another tag starts before its ">" is damaged
// and left as it stands, like a tag without a name.
QString convertTextBoxes(QStringView text, AnswerFieldMode mode, const AnswerMarks &marks)
{
    static const QString start = QStringLiteral("<INPUT");
    QString out;
    out.reserve(text.size());
    ForwardFinder tagEnds(text, u">");
    qsizetype copied = 0;
    for (qsizetype at = text.indexOf(start, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(start, at + start.size(), Qt::CaseInsensitive)) {
        const qsizetype tagEnd = tagEnds.indexFrom(at);
        if (tagEnd < 0)
            break;
        const QStringView tag = text.sliced(at, tagEnd + 1 - at);
        const auto name = tag.indexOf(u'<', 1) >= 0 ? std::nullopt : nameAttribute(tag);
        if (!name)
            continue;
        out += text.sliced(copied, at - copied);
        out += textBoxField(*name, mode, marks);
        copied = tagEnd + 1;
    }
    out += text.sliced(copied);
    return out;
}

// The texts of the options of a drop-down's inside, each up to the next tag.
QList<QStringView> optionTexts(QStringView inner)
{
    QList<QStringView> texts;
    qsizetype pos = 0;
    for (qsizetype at = inner.indexOf(u"<OPTION", pos, Qt::CaseInsensitive); at >= 0;
         at = inner.indexOf(u"<OPTION", pos, Qt::CaseInsensitive)) {
        const qsizetype tagEnd = inner.indexOf(u'>', at);
        if (tagEnd < 0)
            break;
        qsizetype textEnd = inner.indexOf(u'<', tagEnd + 1);
        if (textEnd < 0)
            textEnd = inner.size();
        texts << inner.sliced(tagEnd + 1, textEnd - tagEnd - 1);
        pos = textEnd;
    }
    return texts;
}

// A drop-down element without its "</SELECT>" as a field; nothing when it has no name.
std::optional<QString> dropDownField(QStringView element, AnswerFieldMode mode, const AnswerMarks &marks)
{
    const qsizetype tagEnd = element.indexOf(u'>');
    const auto name = tagEnd < 0 ? std::nullopt : nameAttribute(element.first(tagEnd + 1));
    if (!name)
        return std::nullopt;
    if (mode != AnswerFieldMode::SourceNotation)
        return marks.open + sheetText(*name, mode) + marks.close;
    QString field = marks.open + name->toString();
    const QList<QStringView> options = optionTexts(element.sliced(tagEnd + 1));
    // The first option is the "?" placeholder.
    for (qsizetype i = 1; i < options.size(); ++i)
        field += (i == 1 ? marks.choice : marks.alternative) + options.at(i).toString();
    return field + marks.close;
}

// "<SELECT" elements with a name become fields. One whose "</SELECT>" comes only after the next
// "<SELECT" is damaged and left as it stands, so it cannot swallow the drop-down that follows.
QString convertDropDowns(QStringView text, AnswerFieldMode mode, const AnswerMarks &marks)
{
    static const QString start = QStringLiteral("<SELECT");
    static const QString endTag = QStringLiteral("</SELECT>");
    QString out;
    out.reserve(text.size());
    ForwardFinder starts(text, start);
    ForwardFinder ends(text, endTag, Qt::CaseInsensitive);
    qsizetype copied = 0;
    for (qsizetype at = starts.indexFrom(0); at >= 0;) {
        const qsizetype end = ends.indexFrom(at);
        if (end < 0)
            break;
        const qsizetype following = starts.indexFrom(at + start.size());
        const auto field = following >= 0 && following < end
            ? std::nullopt
            : dropDownField(text.sliced(at, end - at), mode, marks);
        if (field) {
            out += text.sliced(copied, at - copied);
            out += *field;
            copied = end + endTag.size();
        }
        at = field ? starts.indexFrom(copied) : following;
    }
    out += text.sliced(copied);
    return out;
}

} // namespace

QStringView firstAnswer(QStringView field, const AnswerMarks &marks)
{
    qsizetype end = field.size();
    for (const QString &mark : {marks.choice, marks.alternative}) {
        const qsizetype at = mark.isEmpty() ? -1 : field.indexOf(mark);
        if (at >= 0 && at < end)
            end = at;
    }
    return field.first(end);
}

QString convertAnswerFields(QStringView text, AnswerFieldMode mode, const AnswerMarks &marks)
{
    if (!pageformat::hasGeneratedBlock(text)) {
        if (mode == AnswerFieldMode::SourceNotation)
            return text.toString();
        return convertPlainFields(text, mode, marks);
    }
    const QString withoutBlocks = pageformat::removeGeneratedBlocks(text);
    const QString withTextBoxes = convertTextBoxes(withoutBlocks, mode, marks);
    return convertDropDowns(withTextBoxes, mode, marks);
}

} // namespace sorvek
