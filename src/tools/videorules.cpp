#include "tools/videorules.h"

#include "commands/texthelpers.h"

#include <algorithm>
#include <cmath>

namespace sorvek {

VideoWindowPlacement videoWindowPlacement(QPoint click, QSize video, QSize controlBar)
{
    const int width = video.width() > 0 ? std::max(video.width(), controlBar.width()) : 0;
    const int left = click.x() - width / 2;
    const int top = click.y() - video.height() / 2;
    return {QPoint(std::max(left, 0), std::max(top, 0)), QSize(width, video.height() + controlBar.height())};
}

QPoint pointerRestPosition(const QRect &windowFrame, QPoint returnButtonPos)
{
    return {windowFrame.left() + returnButtonPos.x(), windowFrame.top() + windowFrame.height() - returnButtonPos.y()};
}

QString mediaLengthText(qint64 length)
{
    return QString::asprintf("%.5lld", static_cast<long long>(length));
}

qint64 lengthFromText(const QString &mediaLengthText)
{
    bool ok = false;
    const qint64 length = mediaLengthText.toLongLong(&ok);
    return ok ? length : 0;
}

QString positionText(qint64 position, qint64 length)
{
    return QString::asprintf("%.3lld / %.3lld", static_cast<long long>(position), static_cast<long long>(length));
}

qint64 frameDuration(double framesPerSecond)
{
    if (!std::isfinite(framesPerSecond) || framesPerSecond <= 0)
        return 33;
    return std::max<qint64>(1, std::llround(1000.0 / framesPerSecond));
}

qint64 frameStepPosition(qint64 position, qint64 length, qint64 frameTime, int frames)
{
    qint64 target = position + frameTime * frames;
    if (length > 0)
        target = std::min(target, length);
    return std::max<qint64>(target, 0);
}

QUrl videoSourceUrl(const QString &caption)
{
    if (caption.trimmed().isEmpty())
        return {};
    if (isWebAddress(caption))
        return QUrl(caption.trimmed());
    if (caption.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QUrl::fromLocalFile(QUrl(toSlashes(caption)).toLocalFile());
    return QUrl::fromLocalFile(toSlashes(caption));
}

} // namespace sorvek
