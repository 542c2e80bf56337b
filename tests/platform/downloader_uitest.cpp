// The download of the SAVE command against a local HTTP server: the target is replaced only by a
// whole, successful body, never on a full disk and never through a link out of the book.
#include "commands/booktree.h"
#include "platform/qt/qtservices.h"

#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

// Answers every request with one fixed response, then closes the connection.
class FixedHttpServer : public QTcpServer {
public:
    explicit FixedHttpServer(QByteArray response) : response_(std::move(response))
    {
        connect(this, &QTcpServer::newConnection, this, &FixedHttpServer::answer);
        listen(QHostAddress::LocalHost);
    }

private:
    void answer()
    {
        QTcpSocket *socket = nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [socket, this] {
            socket->readAll();
            socket->write(response_);
            socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    QByteArray response_;
};

struct DownloadCase {
    const char *name;
    const char *status;
    qsizetype size;
    bool fullDisk;
    bool linkedOutside;  // the target is a link to a file outside the book
    bool replaced;
};

void PrintTo(const DownloadCase &c, std::ostream *os)
{
    *os << c.name;
}

class DownloadTest : public ::testing::TestWithParam<DownloadCase> {};

TEST_P(DownloadTest, ReplacesTheTargetOnlyWithAWholeBody)
{
    const DownloadCase &c = GetParam();
    QTemporaryDir dir;
    testutil::NoRoom room(dir.filePath(QStringLiteral("book")));
    const QString target = dir.filePath(QStringLiteral("book/got.png"));
    const QString old = testutil::writeBytes(dir.path(), c.linkedOutside ? QStringLiteral("outside/got.png") : QStringLiteral("book/got.png"), "old");
    if (c.linkedOutside) {
        ASSERT_TRUE(QFile::link(old, target));
    }
    const QByteArray body(c.size, 'b');
    FixedHttpServer server(QByteArray("HTTP/1.1 ") + c.status + "\r\nContent-Length: " + QByteArray::number(body.size())
                           + "\r\nConnection: close\r\n\r\n" + body);
    setGuardedBookFolder(dir.filePath(QStringLiteral("book")));
    if (c.fullDisk)
        room.fill();
    QtDownloader downloader;
    bool finished = false;
    bool ok = false;
    QString error;
    downloader.download(QStringLiteral("http://127.0.0.1:%1/got.png").arg(server.serverPort()), target, [](qint64) {},
                        [&](bool success, const QString &why) {
                            finished = true;
                            ok = success;
                            error = why;
                        });
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished; }, 10000));
    room.release();
    setGuardedBookFolder(QString());
    EXPECT_EQ(ok, c.replaced) << error.toStdString();
    EXPECT_EQ(testutil::readBytes(old), c.replaced ? body : QByteArray("old"));
    EXPECT_FALSE(error.contains(QStringLiteral("Unknown error"))) << error.toStdString();
    QStringList expectedFiles{QStringLiteral("got.png")};
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("book"))).entryList(QDir::Files | QDir::Hidden | QDir::System), expectedFiles);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, DownloadTest,
    ::testing::Values(DownloadCase{"Small", "200 OK", 10, false, false, true},
                      DownloadCase{"Large", "200 OK", 300000, false, false, true},
                      DownloadCase{"SmallOnFullDisk", "200 OK", 10, true, false, false},
                      DownloadCase{"LargeOnFullDisk", "200 OK", 300000, true, false, false},
                      DownloadCase{"NotFound", "404 Not Found", 10, false, false, false},
                      DownloadCase{"LinkedOutsideTheBook", "200 OK", 10, false, true, false},
                      DownloadCase{"RedirectedToALocalFile", "302 Found\r\nLocation: file:///etc/hostname", 10, false, false, false}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
