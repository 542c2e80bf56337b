#pragma once
// The four answer marks of the answer-field notation. The main window sets them at start-up and
// passes them to every function that reads or writes answer fields.
#include <QString>

namespace sorvek {

struct AnswerMarks {
    QString open = QStringLiteral("(");
    QString choice = QStringLiteral("|");
    QString close = QStringLiteral(")");
    QString alternative = QStringLiteral("/");
};

} // namespace sorvek
