#pragma once
// The page editor's save after the editor window has closed: which file is written (over the
// page, under the save-as name, or none), the page text (plain or as a quiz page, LOOK links made
// anew), the safe write, and what the main window does next.
#include "authoring/answermarks.h"
#include "authoring/lookautolink.h"
#include "authoring/pageeditfields.h"
#include "authoring/quizpage.h"
#include "commands/textfile.h"

#include <QString>

namespace sorvek {

// TForm2.EditResult: 0 closed, 1 "保存", 2 "ボタン保存" (a quiz page).
inline constexpr int kEditClosed = 0;
inline constexpr int kEditSaved = 1;
inline constexpr int kEditSavedAsQuiz = 2;

// What the editor window hands back when it has closed.
struct EditorClosing {
    int editResult = kEditClosed;
    QString label5;             // "" writes over the current page; else only a confirmed save-as writes
    int bitBtn1Tag = 0;         // 1 when the save-as dialog was confirmed
    QString saveDialogFileName; // the file chosen in that dialog
};

enum class EditSaveKind {
    Nothing,         // closed, or a save-as that was not confirmed
    OverCurrentPage, // written over the page being edited
    SaveAs,          // written to the chosen file: the level is read again and the page shown
};

struct EditSavePlan {
    EditSaveKind kind = EditSaveKind::Nothing;
    QString path;
    bool quizPage = false;
};

// LOOK links (as lookAutoLink adds them) in the author's text only: the quiz's generated blocks
// and the page's scripts stand aside meanwhile, so no link lands inside a script.
QString linkOutsideScripts(const QString &text, const LookTitleIndex &index);

EditSavePlan planEditSave(const EditorClosing &closing, const QString &currentPagePath);

// The page text to save: the written page, turned into a quiz page for "ボタン保存", its lines
// ended by CR LF, with LOOK links made anew when the page had them. A quiz page that cannot be
// made leaves the plain page and says why in quizError.
struct SavedPageText {
    QString text;
    QuizPageError quizError = QuizPageError::None;
};
SavedPageText composeSavedPage(const PageEditFields &fields, bool quizPage, const AnswerMarks &marks,
                               const LookTitleIndex &lookIndex = {});

struct EditSaveOutcome {
    EditSaveKind kind = EditSaveKind::Nothing;
    QString path;
    WriteResult write;   // the safe writer's result; not ok when nothing was written
    QuizPageError quizError = QuizPageError::None;
    QString goCommand;   // "GO " + the saved file's base name, for a written save-as

    bool attempted() const { return kind != EditSaveKind::Nothing; }
    bool saved() const { return attempted() && write.ok; }
    // After a save-as that reached the disk: reopen the top level, rebuild the buttons, run goCommand.
    bool reopenLevel() const { return kind == EditSaveKind::SaveAs && write.ok; }
    // A failed write: the page on disk is unchanged; keep the author's fields and offer a save-as.
    bool offerSaveAs() const { return attempted() && !write.ok; }
    // What to tell the user: the failed write, or a quiz page that could not be made; "" otherwise.
    QString message() const;
};

// Plans, composes and writes. The main window refreshes the current page in every case.
EditSaveOutcome saveEditedPage(const PageEditFields &fields, const EditorClosing &closing,
                               const QString &currentPagePath, const AnswerMarks &marks,
                               const LookTitleIndex &lookIndex = {});

} // namespace sorvek
