#include "commands/variablefile.h"

#include "commands/textfile.h"
#include "commands/texthelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <utility>
#include <vector>

namespace sorvek {

namespace {

using VariableTable = std::vector<std::pair<QString, QString>>;

std::pair<QString, QString> splitAssignment(const QString &assignment)
{
    const qsizetype eq = assignment.indexOf(u'=');
    if (eq < 0)
        return {assignment, assignment};
    return {assignment.left(eq), assignment.mid(eq + 1)};
}

VariableTable readTable(const QStringList &lines)
{
    VariableTable table;
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 1) // "=" in the first place (or none) is no entry
            table.emplace_back(line.left(eq), line.mid(eq + 1));
    }
    return table;
}

// Nothing when the sum of two numbers is too large for a number.
std::optional<QString> newValue(const QString &stored, const QString &assigned)
{
    const bool adds = (assigned.contains(u'-') || assigned.contains(u'+')) && !assigned.contains(u'"');
    if (!adds)
        return assigned;
    const std::optional<double> a = parseVariableNumber(assigned);
    const std::optional<double> b = parseVariableNumber(stored);
    if (!a || !b)
        return assigned;
    const double sum = *a + *b;
    if (!std::isfinite(sum))
        return std::nullopt;
    return formatVariableNumber(sum);
}

} // namespace

QString defaultHistoryName()
{
    return QStringLiteral("history/history");
}

QString historyFilePath(const QString &bookFolder, const QString &historyName)
{
    if (historyName.isEmpty())
        return bookFolder + QStringLiteral("/history/history.txt");
    return bookFolder + u'/' + toSlashes(historyName) + QStringLiteral(".txt");
}

QString historyNameFor(const QString &argumentText)
{
    QString name = safeFileName(argumentText);
    if (name.isEmpty())
        name = QStringLiteral("NAME");
    return QStringLiteral("history/") + name;
}

QString formatVariableNumber(double value)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    // 15 significant digits in scientific form: "d.dddddddddddddde+XX".
    const QString sci = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = sci.indexOf(u'e');
    QString digits = sci.left(1) + sci.mid(2, e - 2);
    const int exponent = sci.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    QString text;
    if (exponent >= 15 || exponent < -5) {
        text = digits.left(1);
        if (digits.size() > 1)
            text += u'.' + digits.mid(1);
        text += u'E' + QString::number(exponent);
    } else if (exponent >= 0) {
        while (digits.size() <= exponent)
            digits += u'0';
        text = digits.left(exponent + 1);
        if (digits.size() > exponent + 1)
            text += u'.' + digits.mid(exponent + 1);
    } else {
        text = QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
    }
    return value < 0 ? u'-' + text : text;
}

std::optional<double> parseVariableNumber(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok); // C locale, blanks around allowed
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QStringList> assignVariable(const QStringList &lines, const QString &assignment)
{
    const auto [key, value] = splitAssignment(assignment);
    VariableTable table = readTable(lines);
    bool matched = false;
    for (auto &[storedKey, storedValue] : table) {
        if (storedKey == key) {
            const std::optional<QString> sum = newValue(storedValue, value);
            if (!sum)
                return std::nullopt;
            storedValue = *sum;
            matched = true;
        }
    }
    if (!matched)
        table.emplace_back(key, value);
    QStringList out;
    for (const auto &[k, v] : table)
        out.append(k == v ? v : k + u'=' + v);
    return out;
}

VariableWriteResult writeVariable(const QString &bookFolder, const QString &filePath,
                                  const QString &assignment)
{
    QDir().mkpath(bookFolder + QStringLiteral("/history"));
    QString text = assignment;
    text.replace(u'\'', u'"');
    if (splitAssignment(text).second.contains(QStringLiteral("DEL"))) {
        if (QFileInfo::exists(filePath) && !QFile::remove(filePath))
            return {VariableWriteResult::Outcome::WriteFailed,
                    QStringLiteral("変数ファイルを削除できません: ") + filePath};
        return {VariableWriteResult::Outcome::Deleted, {}};
    }
    QStringList lines;
    if (QFileInfo::exists(filePath)) {
        const ReadResult read = readCodePageText(filePath);
        if (!read)
            return {VariableWriteResult::Outcome::ReadFailed,
                    QStringLiteral("変数ファイルを読めません (そのままです): ") + read.error};
        lines = splitLines(read.text);
    }
    const std::optional<QStringList> assigned = assignVariable(lines, text);
    if (!assigned)
        return {VariableWriteResult::Outcome::BadNumber,
                QStringLiteral("数が大きすぎて足せません: ") + text + QStringLiteral("。変数ファイルはそのままです。")};
    const WriteResult written = writeCodePageLines(filePath, *assigned);
    if (!written)
        return {VariableWriteResult::Outcome::WriteFailed,
                QStringLiteral("変数ファイルを保存できません: ") + written.error};
    return {VariableWriteResult::Outcome::Written, {}, written.unmappable};
}

} // namespace sorvek
