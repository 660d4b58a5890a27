#include "archivetestenv.h"

#include "formats/uarchive.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runCpz(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VELOXA_CPZ), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (char &byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

} // namespace

class TestVeloxaCpz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void packWritesTheLayoutByteForByte();
    void workedExampleDataStartsAfterHeaders();
    void roundTripThroughTheClient();
    void listShowsEveryEntry();
    void extractIntoFolder();
    void extractRefusesFolderWithContents();
    void failuresExitNonZero_data();
    void failuresExitNonZero();

private:
    // Writes the files under the pack root; returns the root.
    QString makeTree(const QMap<QString, QByteArray> &files);
    QString writeFile(const QString &path, const QByteArray &bytes);
    QString extractionRoot() const { return m_work->path() + QStringLiteral("/parent/Archive"); }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_work;
};

void TestVeloxaCpz::initTestCase()
{
    QVERIFY(m_home.isValid());
    isolateUserFolders(m_home.path());
    QVERIFY(QFileInfo(QStringLiteral(VELOXA_CPZ)).isExecutable());
}

void TestVeloxaCpz::init()
{
    m_work = std::make_unique<QTemporaryDir>();
    QVERIFY(m_work->isValid());
    clientSettings().setValue(QStringLiteral("Path/Archive"),
                              m_work->path() + QStringLiteral("/parent"));
}

QString TestVeloxaCpz::writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString TestVeloxaCpz::makeTree(const QMap<QString, QByteArray> &files)
{
    const QString root = m_work->filePath(QStringLiteral("tree"));
    QDir().mkpath(root);
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        writeFile(root + QLatin1Char('/') + it.key(), it.value());
    return root;
}

void TestVeloxaCpz::packWritesTheLayoutByteForByte()
{
    const QByteArray panel = QByteArray("<\0C\0/\0>\0", 8);
    const QString root = makeTree({{"Demo.cpf", panel}, {"image/ä.png", "png"}});
    const QString archive = m_work->filePath("out.cpz");
    const Run run = runCpz({"pack", archive, root});
    QCOMPARE(run.exitCode, 0);

    // "/Demo.cpf" is 9 units, "/image/ä.png" 12: the headers end at 8 + 30 + 36 = 74.
    const QByteArray first = qCompress(panel);
    const QByteArray second = qCompress("png");
    const QByteArray expected =
        QByteArray::fromHex("10000000") + bigEndian(2) + bigEndian(9) +
        QByteArray("/\0D\0e\0m\0o\0.\0c\0p\0f\0", 18) + bigEndian(74) + bigEndian(first.size()) +
        bigEndian(12) + QByteArray("/\0i\0m\0a\0g\0e\0/\0\xe4\0.\0p\0n\0g\0", 24) +
        bigEndian(74 + first.size()) + bigEndian(second.size()) + first + second;
    QCOMPARE(fileContents(archive), expected);
}

void TestVeloxaCpz::workedExampleDataStartsAfterHeaders()
{
    QMap<QString, QByteArray> files = {{"Demo.cpf", "cpf"}, {"project/Demo.vxj", "vxj"}};
    for (int i = 1; i <= 4; ++i)
        files.insert(QStringLiteral("image/demo-background%1.png").arg(i), randomBytes(100, i));
    const QString root = makeTree(files);
    const QString list = writeFile(m_work->filePath("order.txt"), "Demo.cpf\nproject/Demo.vxj\n");
    const QString archive = m_work->filePath("Demo.cpz");
    QCOMPARE(runCpz({"pack", archive, root, list}).exitCode, 0);

    QFile file(archive);
    QVERIFY(file.open(QIODevice::ReadOnly));
    UArchiveHeader header;
    QVERIFY(header.read(file));
    QCOMPARE(header.headerSize(), 348);
    QCOMPARE(header.records().size(), size_t(6));
    QCOMPARE(header.records().front()->name(), QStringLiteral("/Demo.cpf"));
    QCOMPARE(header.records().front()->offset(), 348u);
    QCOMPARE(header.records().at(1)->name(), QStringLiteral("/project/Demo.vxj"));
    QCOMPARE(header.records().at(2)->name(), QStringLiteral("/image/demo-background1.png"));
}

void TestVeloxaCpz::roundTripThroughTheClient()
{
    const QMap<QString, QByteArray> files = {
        {"Demo.cpf", QByteArray("\xff\xfe<\0?\0x\0m\0l\0", 12)},
        {"project/Demo.vxj", "<Project/>"},
        {"image/logo.png", randomBytes(200000, 1)},
        {"image/icons/deep/b.png", QByteArray("semi compressible ").repeated(5000)},
        {"image/grün ß.png", randomBytes(333, 2)},
        {"empty.txt", QByteArray()},
        {".hidden", "hidden"},
    };
    const QString root = makeTree(files);
    const QString list = writeFile(m_work->filePath("order.txt"), "project/Demo.vxj\n\nDemo.cpf\n");
    const QString archive = m_work->filePath("project.cpz");
    const Run run = runCpz({"pack", archive, root, list});
    QVERIFY2(run.exitCode == 0, run.err.constData());

    UArchive *client = UArchive::instance();
    QVERIFY(client->open(archive));
    QCOMPARE(client->header().extractionRoot(), extractionRoot());
    QStringList names;
    for (const auto &record : client->header().records())
        names << record->name();
    QCOMPARE(names,
             (QStringList{"/project/Demo.vxj", "/Demo.cpf", "/.hidden", "/empty.txt",
                          "/image/grün ß.png", "/image/icons/deep/b.png", "/image/logo.png"}));
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        QCOMPARE(fileContents(extractionRoot() + "/" + it.key()), it.value());
    QCOMPARE(client->findFile(".cpf"), extractionRoot() + "/Demo.cpf");
}

void TestVeloxaCpz::listShowsEveryEntry()
{
    const QByteArray logo = randomBytes(5000, 3);
    const QString root = makeTree({{"Demo.cpf", "cpf"}, {"image/logo.png", logo}});
    const QString archive = m_work->filePath("out.cpz");
    QCOMPARE(runCpz({"pack", archive, root}).exitCode, 0);

    const Run run = runCpz({"list", archive});
    QCOMPARE(run.exitCode, 0);
    const qsizetype firstSize = qCompress("cpf").size();
    const QString expected = QStringLiteral("/Demo.cpf\t80\t%1\t3\n/image/logo.png\t%2\t%3\t5000\n")
                                 .arg(firstSize)
                                 .arg(80 + firstSize)
                                 .arg(qCompress(logo).size());
    QCOMPARE(QString::fromUtf8(run.out), expected);
}

void TestVeloxaCpz::extractIntoFolder()
{
    const QMap<QString, QByteArray> files = {{"Demo.cpf", "cpf"},
                                             {"image/a/b/logo.png", randomBytes(999, 4)}};
    const QString archive = m_work->filePath("out.cpz");
    QCOMPARE(runCpz({"pack", archive, makeTree(files)}).exitCode, 0);
    const QString target = m_work->filePath("unpacked/here");

    const Run run = runCpz({"extract", archive, target});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(treeBelow(target),
             (QStringList{"Demo.cpf", "image", "image/a", "image/a/b", "image/a/b/logo.png"}));
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        QCOMPARE(fileContents(target + "/" + it.key()), it.value());
    QVERIFY(!QFileInfo::exists(extractionRoot())); // the settings are not used
}

void TestVeloxaCpz::extractRefusesFolderWithContents()
{
    const QString archive = m_work->filePath("out.cpz");
    QCOMPARE(runCpz({"pack", archive, makeTree({{"Demo.cpf", "cpf"}})}).exitCode, 0);
    const QString keep = writeFile(m_work->filePath("full/keep.txt"), "mine");

    const Run run = runCpz({"extract", archive, QFileInfo(keep).path()});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains("not empty"));
    QCOMPARE(fileContents(keep), QByteArray("mine"));
}

void TestVeloxaCpz::failuresExitNonZero_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("no command") << QStringList() << 2 << "usage";
    QTest::newRow("unknown command") << QStringList{"unpack", "x"} << 2 << "usage";
    QTest::newRow("pack without root") << QStringList{"pack", "@/out.cpz"} << 2 << "usage";
    QTest::newRow("pack missing root")
        << QStringList{"pack", "@/out.cpz", "@/missing"} << 1 << "not a folder";
    QTest::newRow("pack list names a missing file")
        << QStringList{"pack", "@/out.cpz", "@/tree", "@/badorder.txt"} << 1 << "Nowhere.cpf";
    QTest::newRow("pack a name the client refuses")
        << QStringList{"pack", "@/out.cpz", "@/badtree"} << 1 << "backslash";
    QTest::newRow("list a panel file") << QStringList{"list", "@/panel.cpf"} << 1 << "not a";
    QTest::newRow("list a missing file") << QStringList{"list", "@/missing.cpz"} << 1 << "not a";
    QTest::newRow("list a cut header") << QStringList{"list", "@/cut.cpz"} << 1 << "damaged";
    QTest::newRow("extract a cut header")
        << QStringList{"extract", "@/cut.cpz", "@/x"} << 1 << "not a readable";
    QTest::newRow("extract a hostile entry")
        << QStringList{"extract", "@/hostile.cpz", "@/x"} << 1 << "refused";
}

void TestVeloxaCpz::failuresExitNonZero()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    makeTree({{"Demo.cpf", "cpf"}});
    writeFile(m_work->filePath("badorder.txt"), "Demo.cpf\nNowhere.cpf\n");
    writeFile(m_work->filePath("badtree/a\\b.png"), "png");
    writeFile(m_work->filePath("panel.cpf"), QByteArray("\xff\xfe<\0?\0", 6));
    writeFile(m_work->filePath("cut.cpz"), QByteArray::fromHex("10000000") + bigEndian(5));
    const QByteArray data = qCompress("x");
    writeFile(m_work->filePath("hostile.cpz"), QByteArray::fromHex("10000000") + bigEndian(1) +
                                                   bigEndian(4) + QByteArray("/\0.\0.\0/\0", 8) +
                                                   bigEndian(28) + bigEndian(data.size()) + data);
    for (QString &argument : arguments)
        argument.replace(QLatin1Char('@'), m_work->path());

    const Run run = runCpz(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY(!QFileInfo::exists(m_work->filePath("out.cpz")));
}

QTEST_GUILESS_MAIN(TestVeloxaCpz)
#include "tst_veloxacpz.moc"
