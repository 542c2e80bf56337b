#pragma once
// Joins pieces of text in one allocation; Qt 6.4 has no operator+ for QString and QStringView.
#include <QString>
#include <QStringView>

#include <initializer_list>

namespace sorvek {

inline QString concat(std::initializer_list<QStringView> pieces)
{
    qsizetype size = 0;
    for (const QStringView piece : pieces)
        size += piece.size();
    QString text;
    text.reserve(size);
    for (const QStringView piece : pieces)
        text += piece;
    return text;
}

} // namespace sorvek
