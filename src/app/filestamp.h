#pragma once
// The file watch's time stamps: a file's last-write time as "yyyyMMdd-hhmmss" in local time,
// and how long the lookup took, which stretches the watch interval on slow disks.
#include <QString>

namespace sorvek {

struct FileStampResult {
    QString stamp;     // "" when no file exists there (or it cannot be read)
    int latencyMs = 0; // 0..20
};

FileStampResult fileStamp(const QString &path);

// The watch interval after a tick: 3 s plus 1 s for every millisecond of the last lookup.
inline int watchInterval(int latencyMs)
{
    return 3000 + 1000 * latencyMs;
}

} // namespace sorvek
