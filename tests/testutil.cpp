#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testutil {

QString writeBytes(const QString &dir, const QString &relativePath, const QByteArray &bytes)
{
    const QString path = QDir(dir).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return QFileInfo(path).absoluteFilePath();
}

QString writePage(const QString &dir, const QString &relativePath, const QString &text)
{
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return writeBytes(dir, relativePath, QByteArray("\xEF\xBB\xBF") + body.toUtf8());
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString demoBookFolder()
{
    return QStringLiteral(SORVEK_SOURCE_DIR "/examples/book");
}

} // namespace testutil
