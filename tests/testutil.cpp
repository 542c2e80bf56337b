#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

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

bool makeFolderReadOnly(const QString &folder)
{
    if (geteuid() == 0)
        return QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0;
    return QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
}

void restoreFolder(const QString &folder)
{
    if (geteuid() == 0)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

bool copyFolder(const QString &from, const QString &to)
{
    QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    bool ok = true;
    for (const QFileInfo &entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = QDir(to).filePath(entry.fileName());
        ok = (entry.isDir() ? copyFolder(entry.filePath(), target) : QFile::copy(entry.filePath(), target)) && ok;
    }
    return ok;
}

QString demoBookFolder()
{
    return QStringLiteral(SORVEK_SOURCE_DIR "/examples/book");
}

NoRoom::NoRoom(const QString &folder) : folder_(folder)
{
    QDir().mkpath(folder_);
    mounted_ = geteuid() == 0
               && QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                              QStringLiteral("size=2m"), QStringLiteral("tmpfs"), folder_})
                      == 0;
    getrlimit(RLIMIT_FSIZE, &limit_);
}

NoRoom::~NoRoom()
{
    release();
    if (mounted_)
        QProcess::execute(QStringLiteral("umount"), {folder_});
}

void NoRoom::fill()
{
    if (!mounted_) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, limit_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &none);
        return;
    }
    const int fd = ::open(QFile::encodeName(folder_ + QStringLiteral("/filler")).constData(), O_WRONLY | O_CREAT, 0600);
    const QByteArray chunk(65536, 'x');
    for (qsizetype size = chunk.size(); size > 0; size /= 2) {
        while (::write(fd, chunk.constData(), size_t(size)) == size) {
        }
    }
    ::close(fd);
}

void NoRoom::release()
{
    setrlimit(RLIMIT_FSIZE, &limit_);
    QFile::remove(folder_ + QStringLiteral("/filler"));
}

} // namespace testutil
