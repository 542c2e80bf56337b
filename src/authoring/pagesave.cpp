#include "authoring/pagesave.h"

#include "authoring/pageformat.h"
#include "authoring/pagewriter.h"

#include <QFileInfo>

#include <functional>
#include <optional>

namespace sorvek {

namespace {

using SpanFinder = std::function<std::optional<pageformat::Span>(QStringView, qsizetype)>;

// A stand-in for a part of the page held aside: a comment, so the LOOK linking takes it for a tag
// and passes over it unchanged.
QString holdToken(qsizetype n)
{
    return QStringLiteral("<!--\uE000") + QString::number(n) + QStringLiteral("-->");
}

QString holdSpans(const QString &text, const SpanFinder &find, QStringList &held)
{
    QString out;
    qsizetype pos = 0;
    while (const auto span = find(text, pos)) {
        out += QStringView(text).sliced(pos, span->start - pos);
        out += holdToken(held.size());
        held.append(text.sliced(span->start, span->end - span->start));
        pos = span->end;
    }
    out += QStringView(text).sliced(pos);
    return out;
}

// Elements whose text is no place for a link: a script, a style sheet, a drop-down's choices and
// a text box's text.
std::optional<pageformat::Span> findUnlinkable(QStringView text, qsizetype from)
{
    static const QString names[] = {QStringLiteral("SCRIPT"), QStringLiteral("STYLE"), QStringLiteral("SELECT"),
                                    QStringLiteral("TEXTAREA")};
    std::optional<pageformat::Span> first;
    for (const QString &name : names) {
        const QString open = QLatin1Char('<') + name;
        qsizetype start = text.indexOf(open, from, Qt::CaseInsensitive);
        // "<SELECTED" and the like are other tags.
        while (start >= 0 && start + open.size() < text.size() && text.at(start + open.size()).isLetterOrNumber())
            start = text.indexOf(open, start + open.size(), Qt::CaseInsensitive);
        if (start < 0 || (first && start > first->start))
            continue;
        const QString closing = QStringLiteral("</") + name + QLatin1Char('>');
        const qsizetype close = text.indexOf(closing, start, Qt::CaseInsensitive);
        if (close >= 0)
            first = pageformat::Span{start, close + closing.size()};
    }
    return first;
}

} // namespace

QString linkOutsideScripts(const QString &text, const LookTitleIndex &index)
{
    QStringList held;
    QString masked = holdSpans(text, [](QStringView t, qsizetype from) { return pageformat::findGeneratedBlock(t, from); }, held);
    masked = holdSpans(masked, findUnlinkable, held);
    QString linked = lookAutoLink(LookLinkMode::Add, masked, index);
    for (qsizetype n = held.size() - 1; n >= 0; --n)
        linked.replace(holdToken(n), held.at(n));
    return linked;
}

EditSavePlan planEditSave(const EditorClosing &closing, const QString &currentPagePath)
{
    EditSavePlan plan;
    if (closing.editResult <= kEditClosed)
        return plan;
    plan.quizPage = closing.editResult > kEditSaved;
    if (closing.label5.isEmpty() && !currentPagePath.isEmpty()) {
        plan.kind = EditSaveKind::OverCurrentPage;
        plan.path = currentPagePath;
    } else if (!closing.label5.isEmpty() && closing.bitBtn1Tag == 1 && !closing.saveDialogFileName.isEmpty()) {
        plan.kind = EditSaveKind::SaveAs;
        plan.path = closing.saveDialogFileName;
    }
    return plan;
}

SavedPageText composeSavedPage(const PageEditFields &fields, bool quizPage, const AnswerMarks &marks,
                               const LookTitleIndex &lookIndex)
{
    SavedPageText saved;
    QString page = writeEditedPage(fields);
    if (quizPage) {
        QuizPageResult quiz = makeQuizPage(page, marks);
        saved.quizError = quiz.error;
        if (quiz.made())
            page = std::move(quiz.page);
    }
    const QStringList lines = splitLines(page);
    for (const QString &line : lines)
        saved.text += line + pageformat::kCrLf;
    if (fields.lookFlag)
        saved.text = linkOutsideScripts(saved.text, lookIndex);
    return saved;
}

QString EditSaveOutcome::message() const
{
    if (offerSaveAs())
        return QStringLiteral("ページを保存できません: ") + write.error + QStringLiteral("。編集内容はそのままです。");
    if (quizError == QuizPageError::NoBodyStartTag)
        return QStringLiteral("問題ページを作れません: ページに <BODY> タグがありません。問題の無いページとして保存しました。");
    return QString();
}

EditSaveOutcome saveEditedPage(const PageEditFields &fields, const EditorClosing &closing,
                               const QString &currentPagePath, const AnswerMarks &marks,
                               const LookTitleIndex &lookIndex)
{
    const EditSavePlan plan = planEditSave(closing, currentPagePath);
    EditSaveOutcome outcome;
    outcome.kind = plan.kind;
    outcome.path = plan.path;
    if (plan.kind == EditSaveKind::Nothing)
        return outcome;
    const SavedPageText page = composeSavedPage(fields, plan.quizPage, marks, lookIndex);
    outcome.quizError = page.quizError;
    outcome.write = writePageText(plan.path, page.text);
    if (outcome.reopenLevel())
        outcome.goCommand = QStringLiteral("GO ") + QFileInfo(plan.path).completeBaseName();
    return outcome;
}

} // namespace sorvek
