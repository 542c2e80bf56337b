#include "app/filestamp.h"

#include "testutil.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;

TEST(FileStamp, LastWriteTimeInLocalTime)
{
    QTemporaryDir dir;
    const QString path = testutil::writeBytes(dir.path(), QStringLiteral("p.html"), "x");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)), QFileDevice::FileModificationTime));
    file.close();
    const FileStampResult result = fileStamp(path);
    EXPECT_EQ(result.stamp, QStringLiteral("20260304-050607"));
    EXPECT_GE(result.latencyMs, 0);
    EXPECT_LE(result.latencyMs, 20);
}

TEST(FileStamp, MissingFileOrFolderHasNoStamp)
{
    QTemporaryDir dir;
    EXPECT_EQ(fileStamp(dir.filePath(QStringLiteral("none.html"))).stamp, QString());
    EXPECT_EQ(fileStamp(dir.path()).stamp, QString());
    EXPECT_EQ(fileStamp(QString()).latencyMs, 0);
}

TEST(FileStamp, IntervalGrowsOneSecondPerMillisecond)
{
    EXPECT_EQ(watchInterval(0), 3000);
    EXPECT_EQ(watchInterval(7), 10000);
    EXPECT_EQ(watchInterval(20), 23000);
}
