#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

class TestVeloxaPush : public QObject
{
    Q_OBJECT

private slots:
    void push_data();
    void push();
};

enum Receiver { Reads, NotListening, DropsAfter8KiB };

void TestVeloxaPush::push_data()
{
    QTest::addColumn<int>("fileBytes");
    QTest::addColumn<int>("receiver");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("whole file") << 100 * 1024 << int(Reads) << 0
                                << "^Sent 102400 bytes to 127.0.0.1:\\d+ in";
    QTest::newRow("nothing listening") << 1024 << int(NotListening) << 1
                                       << "nothing is listening on 127.0.0.1:\\d+; is the client";
    QTest::newRow("receiver drops out")
        << 8 * 1024 * 1024 << int(DropsAfter8KiB) << 1 << "after (\\d+) of 8388608 bytes";
}

void TestVeloxaPush::push()
{
    QFETCH(int, fileBytes);
    QFETCH(int, receiver);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QByteArray content(fileBytes, Qt::Uninitialized);
    QRandomGenerator(15).fillRange(reinterpret_cast<quint32 *>(content.data()), content.size() / 4);
    QFile file(dir.filePath("project.cpz"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();

    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const QString port = QString::number(server.serverPort());
    if (receiver == NotListening)
        server.close();
    QByteArray received;
    connect(&server, &QTcpServer::newConnection, this, [&] {
        QTcpSocket *peer = server.nextPendingConnection();
        connect(peer, &QTcpSocket::readyRead, this, [&, peer] {
            received += peer->readAll();
            if (receiver == DropsAfter8KiB && received.size() >= 8 * 1024)
                peer->abort();
        });
    });

    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(VELOXA_PUSH, {"127.0.0.1", file.fileName(), "--port", port});
    QVERIFY(finished.wait(30000));
    const QString out = process.readAllStandardOutput();
    const QString err = process.readAllStandardError();
    QCOMPARE(process.exitCode(), exitCode);
    const QRegularExpressionMatch match =
        QRegularExpression(message, QRegularExpression::MultilineOption)
            .match(exitCode == 0 ? out : err);
    QVERIFY2(match.hasMatch(), qPrintable(out + err));
    if (exitCode == 0) {
        QTRY_COMPARE(received.size(), content.size());
        QVERIFY(received == content);
    }
    if (receiver == DropsAfter8KiB) {
        const qint64 sent = match.captured(1).toLongLong();
        QVERIFY2(sent >= received.size() && sent < fileBytes, qPrintable(err));
    }
}

QTEST_GUILESS_MAIN(TestVeloxaPush)
#include "tst_veloxapush.moc"
