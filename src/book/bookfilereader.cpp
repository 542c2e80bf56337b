#include "book/bookfilereader.h"

#include "commands/textfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sorvek {

namespace {

constexpr qint64 MiB = 1024 * 1024;

QString megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / double(MiB), 'f', bytes < 10 * MiB ? 1 : 0) + QStringLiteral(" MB");
}

BookFileRead failed(const QString &path, BookFileError error, BookFileKind kind, const QString &detail = {})
{
    return {{}, error, describeReadFailure(path, error, kind, detail)};
}

#ifdef Q_OS_UNIX
QString errnoReason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("読み取りの許可がありません");
    case EIO:
        return QStringLiteral("装置のエラーです");
    case ENAMETOOLONG:
        return QStringLiteral("名前が長すぎます");
    case ELOOP:
        return QStringLiteral("リンクが循環しています");
    default:
        return errorTextInWords(QString::fromLocal8Bit(std::strerror(error))); // "" reads as "読めません"
    }
}

BookFileError errorOfMissing(int error)
{
    return error == ENOENT || error == ENOTDIR ? BookFileError::Missing : BookFileError::Unreadable;
}

// Reads up to cap + 1 bytes, so a file that grew past its cap since it was measured is caught too.
BookFileRead readOpened(int fd, qint64 expected, const QString &path, BookFileKind kind)
{
    const qint64 cap = bookFileSizeCap(kind);
    QByteArray bytes;
    bytes.reserve(qsizetype(expected));
    constexpr qsizetype Chunk = 1024 * 1024;
    for (;;) {
        const qsizetype at = bytes.size();
        bytes.resize(at + Chunk);
        const ssize_t got = ::read(fd, bytes.data() + at, size_t(Chunk));
        if (got < 0 && errno == EINTR) {
            bytes.resize(at);
            continue;
        }
        if (got < 0)
            return failed(path, BookFileError::Unreadable, kind, errnoReason(errno));
        bytes.resize(at + got);
        if (bytes.size() > cap)
            return failed(path, BookFileError::TooLarge, kind);
        if (got == 0)
            return {bytes, BookFileError::None, {}};
    }
}
#endif

} // namespace

qint64 bookFileSizeCap(BookFileKind kind)
{
    switch (kind) {
    case BookFileKind::Page:
        return 64 * MiB;
    case BookFileKind::Memo:
    case BookFileKind::VariableFile:
        return 4 * MiB;
    case BookFileKind::Picture:
        return 256 * MiB;
    case BookFileKind::AnyFile:
        break;
    }
    return 1024 * MiB;
}

QString describeReadFailure(const QString &path, BookFileError error, BookFileKind kind, const QString &detail)
{
    QString why = detail;
    switch (error) {
    case BookFileError::None:
        return QString();
    case BookFileError::Missing:
        why = QStringLiteral("ファイルがありません");
        break;
    case BookFileError::NotRegular:
        why = QFileInfo(path).isDir() ? QStringLiteral("フォルダです") : QStringLiteral("装置やパイプなので読みません");
        break;
    case BookFileError::TooLarge:
        why = QStringLiteral("大きすぎるので読みません。読めるのは %1 までです").arg(megabytes(bookFileSizeCap(kind)));
        break;
    case BookFileError::Unreadable:
        if (why.isEmpty())
            why = QStringLiteral("読めません");
        break;
    }
    return path + QStringLiteral(" (") + why + QLatin1Char(')');
}

#ifdef Q_OS_UNIX
BookFileRead readBookFileAt(int folderFd, const QByteArray &nativeName, const QString &path, BookFileKind kind)
{
    struct stat before {};
    if (::fstatat(folderFd, nativeName.constData(), &before, 0) != 0)
        return failed(path, errorOfMissing(errno), kind, errnoReason(errno));
    if (!S_ISREG(before.st_mode))
        return failed(path, BookFileError::NotRegular, kind);
    if (before.st_size > bookFileSizeCap(kind))
        return failed(path, BookFileError::TooLarge, kind);
    // Not blocking, and measured again once open: the name may have been swapped for a pipe since.
    const int fd = ::openat(folderFd, nativeName.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return failed(path, errorOfMissing(errno), kind, errnoReason(errno));
    struct stat opened {};
    BookFileRead read;
    if (::fstat(fd, &opened) != 0)
        read = failed(path, BookFileError::Unreadable, kind, errnoReason(errno));
    else if (!S_ISREG(opened.st_mode))
        read = failed(path, BookFileError::NotRegular, kind);
    else
        read = readOpened(fd, qMin<qint64>(opened.st_size, bookFileSizeCap(kind)), path, kind);
    ::close(fd);
    return read;
}
#endif

BookFileRead readBookFile(const QString &path, BookFileKind kind)
{
    if (path.isEmpty())
        return failed(path, BookFileError::Missing, kind);
#ifdef Q_OS_UNIX
    return readBookFileAt(AT_FDCWD, QFile::encodeName(path), path, kind);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return failed(path, BookFileError::Missing, kind);
    if (!info.isFile())
        return failed(path, BookFileError::NotRegular, kind);
    if (info.size() > bookFileSizeCap(kind))
        return failed(path, BookFileError::TooLarge, kind);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(path, BookFileError::Unreadable, kind, file.errorString());
    QByteArray bytes = file.read(bookFileSizeCap(kind) + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(path, BookFileError::Unreadable, kind, file.errorString());
    if (bytes.size() > bookFileSizeCap(kind))
        return failed(path, BookFileError::TooLarge, kind);
    return {bytes, BookFileError::None, {}};
#endif
}

} // namespace sorvek
