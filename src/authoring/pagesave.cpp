#include "authoring/pagesave.h"

#include "authoring/pageformat.h"
#include "authoring/pagewriter.h"

#include <QFileInfo>

namespace sorvek {

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
        saved.text = lookAutoLink(LookLinkMode::Add, saved.text, lookIndex);
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
