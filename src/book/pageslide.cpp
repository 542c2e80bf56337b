#include "book/pageslide.h"

namespace sorvek {

QList<int> slidePositions(int width, int direction)
{
    QList<int> positions;
    if (direction == 0)
        return positions;
    for (int i = 0; i < 6; ++i) {
        const int sixths = int(qint64(i) * width / 6);
        positions.append(direction > 0 ? width - sixths : sixths - width);
    }
    return positions;
}

} // namespace sorvek
