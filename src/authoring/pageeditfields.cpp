#include "authoring/pageeditfields.h"

#include <algorithm>

namespace sorvek {

int PageEditFields::cellIndexOfMemo(int number)
{
    if (number == 1)
        return 0;
    if (number == 3)
        return 1;
    if (number >= 6 && number <= 81)
        return number - 4;
    return -1;
}

QString *PageEditFields::memo(int number)
{
    return const_cast<QString *>(std::as_const(*this).memo(number));
}

const QString *PageEditFields::memo(int number) const
{
    switch (number) {
    case 2:
        return &Memo2;
    case 4:
        return &Memo4;
    case 5:
        return &Memo5;
    default:
        break;
    }
    const int index = cellIndexOfMemo(number);
    return index < 0 ? nullptr : &cells[static_cast<size_t>(index)];
}

QString *PageEditFields::memo(QStringView name)
{
    return const_cast<QString *>(std::as_const(*this).memo(name));
}

const QString *PageEditFields::memo(QStringView name) const
{
    if (!name.startsWith(u"Memo") || name.size() > 6 || (name.size() > 5 && name.at(4) == u'0'))
        return nullptr;
    bool ok = false;
    const int number = name.sliced(4).toInt(&ok);
    return ok ? memo(number) : nullptr;
}

bool PageEditFields::anyCell() const
{
    return std::any_of(cells.begin(), cells.end(), [](const QString &cell) { return !cell.isEmpty(); });
}

bool PageEditFields::anyGridCell() const
{
    return std::any_of(cells.begin() + 1, cells.end(), [](const QString &cell) { return !cell.isEmpty(); });
}

} // namespace sorvek
