#include "app/filestamp.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>

namespace sorvek {

FileStampResult fileStamp(const QString &path)
{
    if (path.isEmpty())
        return {};
    QElapsedTimer clock;
    clock.start();
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return {};
    const QString stamp = info.lastModified().toLocalTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    return {stamp, int(std::min<qint64>(clock.elapsed(), 20))};
}

} // namespace sorvek
