// Feeds arbitrary variable files and assignments to the variable-file reading and assignment.
// The first line of the input is the assignment, the rest the file's lines. Besides the
// sanitizers' checks: the file grows by one line at most, and only an assignment without a key
// can write an empty line.
#include "commands/textfile.h"
#include "commands/variablefile.h"

#include "fuzzcheck.h"

using namespace sorvek;
using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList lines = splitLines(fuzzing::text(data, size));
    if (lines.isEmpty())
        return 0;
    const QString assignment = lines.takeFirst();
    (void)parseVariableNumber(assignment);
    const QStringList written = assignVariable(lines, assignment).value_or(lines);
    check(written.size() <= lines.size() + 1);
    for (const QString &line : written)
        check(!line.isEmpty() || assignment.isEmpty() || assignment.startsWith(u'='));
    (void)historyNameFor(assignment);
    return 0;
}
