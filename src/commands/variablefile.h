#pragma once
// Variable files: lines of "key=value" in code page 932 with CR LF that pages load as a script,
// and the history file that quiz pages keep their score in.
#include <QString>
#include <QStringList>
#include <optional>

namespace sorvek {

struct VariableWriteResult {
    enum class Outcome {
        Written,
        Deleted,      // the value held "DEL": the file is gone and the page is shown again
        ReadFailed,   // the file exists but cannot be read: it is left as it was
        WriteFailed,  // the file could not be written (or deleted): it is left as it was
        BadNumber,    // a sum too large for a number: the file is left as it was
    };
    Outcome outcome = Outcome::Written;
    QString error; // a message for the user when the outcome is a failure
    int unmappable = 0; // characters written as "?" (code page 932 cannot hold them)
    bool ok() const { return outcome == Outcome::Written || outcome == Outcome::Deleted; }
};

// HistoryName at start, relative to the book folder.
QString defaultHistoryName();
// The history file: book folder + "/" + HistoryName + ".txt" ("history/history.txt" when
// HistoryName is empty).
QString historyFilePath(const QString &bookFolder, const QString &historyName);
// HIS's new HistoryName: "history/" + the safe file name of its argument ("NAME" when empty).
QString historyNameFor(const QString &argumentText);

// A number as a variable file stores it: the shortest general form with 15 significant
// digits ("3", "-0.5", "1E20").
QString formatVariableNumber(double value);
// A variable file's number, or nothing (infinities and NaN are no numbers).
std::optional<double> parseVariableNumber(const QString &text);

// Sets one variable in the lines of a variable file and returns the lines to write: every
// line of that key gets the new value (numbers with a sign are added), or the assignment is
// appended. Lines that hold no entry are dropped; a key equal to its value is a bare line.
// Nothing when a sum is too large for a number.
std::optional<QStringList> assignVariable(const QStringList &lines, const QString &assignment);

// WriteVariable: apostrophes become double quotes, a value holding "DEL" deletes the file,
// otherwise the file is rewritten through the safe writer. The book's history folder is
// created first.
VariableWriteResult writeVariable(const QString &bookFolder, const QString &filePath,
                                  const QString &assignment);

} // namespace sorvek
