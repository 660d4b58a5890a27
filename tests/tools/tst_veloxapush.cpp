#include <QProcess>
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

enum Receiver { NotListening, DropsAfter8KiB };

void TestVeloxaPush::push_data()
{
    QTest::addColumn<int>("fileBytes");
    QTest::addColumn<int>("receiver");
    QTest::addColumn<QString>("message");

    QTest::newRow("nothing listening")
        << 1024 << int(NotListening) << "nothing is listening on 127.0.0.1:\\d+; is the client";
    QTest::newRow("receiver drops out")
        << 8 * 1024 * 1024 << int(DropsAfter8KiB) << "after (\\d+) of 8388608 bytes";
}

void TestVeloxaPush::push()
{
    QFETCH(int, fileBytes);
    QFETCH(int, receiver);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QByteArray content(fileBytes, 'x');
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
    // A push that did not get through never passes for one that did.
    QCOMPARE(process.exitCode(), 1);
    const QRegularExpressionMatch match =
        QRegularExpression(message, QRegularExpression::MultilineOption).match(err);
    QVERIFY2(match.hasMatch(), qPrintable(out + err));
    if (receiver == DropsAfter8KiB) {
        const qint64 sent = match.captured(1).toLongLong();
        QVERIFY2(sent >= received.size() && sent < fileBytes, qPrintable(err));
    }
}

QTEST_GUILESS_MAIN(TestVeloxaPush)
#include "tst_veloxapush.moc"
