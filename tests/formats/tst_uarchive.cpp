#include "archivetestenv.h"

#include "formats/uarchive.h"
#include "formats/uarchiveblock.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QtEndian>

#include <optional>

// One entry as the test lays it into an archive: the name, the stored block, and optionally
// a forged offset or size.
struct TestEntry
{
    QString name;
    QByteArray block;
    std::optional<quint32> offset = {};
    std::optional<quint32> size = {};
};
using TestEntries = QList<TestEntry>;
Q_DECLARE_METATYPE(TestEntry)
Q_DECLARE_METATYPE(UArchiveBlock::Result)

namespace {

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

// Lays the archive out by hand, independent of the client's code: marker, count, headers,
// then the blocks in order right after the headers.
QByteArray buildArchive(const TestEntries &entries)
{
    qsizetype offset = 8;
    for (const TestEntry &entry : entries)
        offset += 12 + 2 * entry.name.size();
    QByteArray headers = QByteArray::fromHex("10000000") + bigEndian(quint32(entries.size()));
    QByteArray blocks;
    for (const TestEntry &entry : entries) {
        headers += bigEndian(quint32(entry.name.size()));
        for (const QChar unit : entry.name)
            headers += QByteArray(1, char(unit.unicode() & 0xFF)) + char(unit.unicode() >> 8);
        headers += bigEndian(entry.offset.value_or(quint32(offset + blocks.size())));
        headers += bigEndian(entry.size.value_or(quint32(entry.block.size())));
        blocks += entry.block;
    }
    return headers + blocks;
}

// A block whose 4-byte length says announced while its stream holds data.
QByteArray blockAnnouncing(quint32 announced, const QByteArray &data)
{
    return bigEndian(announced) + qCompress(data).mid(4);
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (char &byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

QByteArray utf16Xml(QStringConverter::Encoding encoding, bool byteOrderMark)
{
    QStringEncoder encoder(encoding, byteOrderMark ? QStringConverter::Flag::WriteBom
                                                   : QStringConverter::Flag::Default);
    return encoder.encode(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><Canvas/>"));
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Collects the archive category's warnings and passes every other message on.
class ArchiveWarnings
{
public:
    ArchiveWarnings()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&ArchiveWarnings::handle);
    }
    ~ArchiveWarnings()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    QStringList lines() const { return m_lines; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && qstrcmp(context.category, "veloxa.formats.archive") == 0) {
            s_current->m_lines << message;
            return;
        }
        if (type != QtDebugMsg)
            s_current->m_previous(type, context, message);
    }

    static inline ArchiveWarnings *s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
    QStringList m_lines;
};

} // namespace

class TestUArchive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void isArchive_data();
    void isArchive();
    void panelFileLeavesFolderAndRecords();
    void zeroEntriesClearFolder();
    void unpacksEveryEntry();
    void reopenReplacesPreviousProject();
    void findFile_data();
    void findFile();
    void resolveImage_data();
    void resolveImage();
    void workedExampleHeaderSize();
    void damagedBlockGivesEmptyFile_data();
    void damagedBlockGivesEmptyFile();
    void blockUnpacksLikeQUncompress_data();
    void blockUnpacksLikeQUncompress();
    void hostileEntryIsNotWritten_data();
    void hostileEntryIsNotWritten();
    void archiveLimitRefusesLaterEntries();
    void hostileHeaderIsRefused_data();
    void hostileHeaderIsRefused();
    void settingsExtractionRoot_data();
    void settingsExtractionRoot();
    void userFolderIsNeverRemoved_data();
    void userFolderIsNeverRemoved();
    void rootFallsBackToDocuments();
    void fallbackFailureIsReported();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    QString writeArchive(const TestEntries &entries);
    QString root() const { return m_work->path() + QStringLiteral("/parent/Archive"); }
    QString documents() const;

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_work;
};

void TestUArchive::initTestCase()
{
    QVERIFY(m_home.isValid());
    isolateUserFolders(m_home.path());
    QVERIFY2(documents().startsWith(m_home.path()), qPrintable(documents()));
}

void TestUArchive::init()
{
    m_work = std::make_unique<QTemporaryDir>();
    QVERIFY(m_work->isValid());
    clientSettings().setValue(QStringLiteral("Path/Archive"),
                              m_work->path() + QStringLiteral("/parent"));
}

void TestUArchive::cleanup()
{
    // Some tests turn the documents folder into a file; start each test without one.
    const QString docs = documents();
    if (docs.startsWith(m_home.path())) {
        QDir(docs).removeRecursively();
        QFile::remove(docs);
    }
    m_work.reset();
}

QString TestUArchive::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_work->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString TestUArchive::writeArchive(const TestEntries &entries)
{
    return writeFile(QStringLiteral("test.cpz"), buildArchive(entries));
}

QString TestUArchive::documents() const
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void TestUArchive::isArchive_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("expected");

    QTest::newRow("UTF-16 LE with mark") << utf16Xml(QStringConverter::Utf16LE, true) << false;
    QTest::newRow("UTF-16 LE without mark") << utf16Xml(QStringConverter::Utf16LE, false) << false;
    QTest::newRow("UTF-16 BE with mark") << utf16Xml(QStringConverter::Utf16BE, true) << false;
    QTest::newRow("UTF-16 BE without mark") << utf16Xml(QStringConverter::Utf16BE, false) << false;
    QTest::newRow("archive") << buildArchive({{"/Demo.cpf", qCompress("<Canvas/>")}}) << true;
    QTest::newRow("zero-entry archive") << buildArchive({}) << true;
    QTest::newRow("three bytes") << QByteArray::fromHex("100000") << false;
    QTest::newRow("empty file") << QByteArray() << false;
}

void TestUArchive::isArchive()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, expected);
    QCOMPARE(UArchive::isArchive(writeFile(QStringLiteral("probe"), bytes)), expected);
}

void TestUArchive::panelFileLeavesFolderAndRecords()
{
    UArchive *archive = UArchive::instance();
    QVERIFY(archive->open(writeArchive({{"/image/logo.png", qCompress("png")}})));
    const QString panel =
        writeFile(QStringLiteral("Panel.cpf"), utf16Xml(QStringConverter::Utf16LE, true));

    QVERIFY(!archive->open(panel));
    QVERIFY(!UArchive::isArchive(m_work->filePath(QStringLiteral("missing.cpz"))));
    QVERIFY(!archive->open(m_work->filePath(QStringLiteral("missing.cpz"))));

    QCOMPARE(fileContents(root() + QStringLiteral("/image/logo.png")), QByteArray("png"));
    QString image = QStringLiteral("images/logo.png");
    QVERIFY(archive->resolveImage(image));
}

void TestUArchive::zeroEntriesClearFolder()
{
    UArchive *archive = UArchive::instance();
    QVERIFY(archive->open(writeArchive({})));
    QVERIFY(QDir().mkpath(root() + QStringLiteral("/old")));
    writeFile(QStringLiteral("parent/Archive/old/stale.png"), "stale");

    QVERIFY(archive->open(writeArchive({})));
    QVERIFY(archive->header().records().empty());
    QCOMPARE(archive->header().extractionRoot(), root());
    QVERIFY(QFileInfo(root()).isDir());
    QCOMPARE(treeBelow(root()), QStringList());
    QCOMPARE(archive->findFile(QStringLiteral(".cpf")), QString());
}

void TestUArchive::unpacksEveryEntry()
{
    const QByteArray panel = utf16Xml(QStringConverter::Utf16LE, true);
    const QByteArray image = randomBytes(70000, 7);
    const TestEntries entries = {
        {"/Demo.cpf", qCompress(panel)},
        {"/project/Demo.vxj", qCompress("<Project/>")},
        {"/image/icons/deep/logo.png", qCompress(image)},
        {"/empty.txt", qCompress(QByteArray())},
    };
    UArchive *archive = UArchive::instance();
    const QString path = writeArchive(entries);
    QVERIFY(archive->open(path));

    QCOMPARE(archive->archivePath(), path);
    QCOMPARE(archive->header().refusedCount(), 0);
    QCOMPARE(archive->header().records().size(), size_t(4));
    for (size_t i = 0; i < archive->header().records().size(); ++i) {
        const UArchiveHeaderRecord &record = *archive->header().records().at(i);
        QCOMPARE(record.name(), entries.at(qsizetype(i)).name);
        QCOMPARE(record.fullPath(), root() + record.name());
        QCOMPARE(record.nameLength(), record.name().size());
        QCOMPARE(record.owner(), &archive->header());
    }
    QCOMPARE(fileContents(root() + "/Demo.cpf"), panel);
    QCOMPARE(fileContents(root() + "/project/Demo.vxj"), QByteArray("<Project/>"));
    QCOMPARE(fileContents(root() + "/image/icons/deep/logo.png"), image);
    QVERIFY(QFileInfo::exists(root() + "/empty.txt"));
    QCOMPARE(QFileInfo(root() + "/empty.txt").size(), 0);
}

void TestUArchive::reopenReplacesPreviousProject()
{
    UArchive *archive = UArchive::instance();
    QVERIFY(archive->open(writeArchive({{"/First.cpf", qCompress("first")}})));
    QVERIFY(archive->open(writeArchive({{"/Second.cpf", qCompress("second")}})));

    QCOMPARE(treeBelow(root()), QStringList{QStringLiteral("Second.cpf")});
    QCOMPARE(archive->findFile(QStringLiteral(".cpf")), root() + QStringLiteral("/Second.cpf"));
}

void TestUArchive::findFile_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QStringList demo = {"/Demo.cpf", "/project/Demo.vxj", "/image/a.png"};
    QTest::newRow("panel file") << demo << ".cpf"
                                << "/Demo.cpf";
    QTest::newRow("designer project") << demo << ".vxj"
                                      << "/project/Demo.vxj";
    QTest::newRow("contained before a further suffix comes first")
        << QStringList{"/old.cpf.bak", "/Demo.cpf"} << ".cpf"
        << "/old.cpf.bak";
    QTest::newRow("case-sensitive") << QStringList{"/DEMO.CPF"} << ".cpf" << QString();
    QTest::newRow("none") << demo << ".xml" << QString();
}

void TestUArchive::findFile()
{
    QFETCH(QStringList, names);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    TestEntries entries;
    for (const QString &name : names)
        entries.append({name, qCompress(name.toUtf8())});
    UArchive *archive = UArchive::instance();
    QVERIFY(archive->open(writeArchive(entries)));

    QCOMPARE(archive->findFile(text), expected.isEmpty() ? QString() : root() + expected);
}

void TestUArchive::resolveImage_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("entry");

    QTest::newRow("first of two in file order") << "images/logo.png"
                                                << "/image/a/logo.png";
    QTest::newRow("only the file name counts") << "C:/Designs/Demo/back.png"
                                               << "/image/back.png";
    QTest::newRow("top-level entry") << "x/top.png"
                                     << "/top.png";
    QTest::newRow("no slash in the path") << "logo.png" << QString();
    QTest::newRow("backslashes are not separators") << "images\\logo.png" << QString();
    QTest::newRow("unknown file") << "images/none.png" << QString();
    QTest::newRow("file names compare case-sensitively") << "images/LOGO.png" << QString();
}

void TestUArchive::resolveImage()
{
    QFETCH(QString, path);
    QFETCH(QString, entry);
    UArchive *archive = UArchive::instance();
    QVERIFY(archive->open(writeArchive({
        {"/image/a/logo.png", qCompress("a")},
        {"/image/b/logo.png", qCompress("b")},
        {"/image/back.png", qCompress("back")},
        {"/top.png", qCompress("top")},
    })));

    QString resolved = path;
    QCOMPARE(archive->resolveImage(resolved), !entry.isEmpty());
    QCOMPARE(resolved, entry.isEmpty() ? path : QUrl::fromLocalFile(root() + entry).toString());
}

void TestUArchive::workedExampleHeaderSize()
{
    const QStringList names = {"/Demo.cpf",
                               "/project/Demo.vxj",
                               "/image/demo-background1.png",
                               "/image/demo-background2.png",
                               "/image/demo-background3.png",
                               "/image/demo-background4.png"};
    TestEntries entries;
    for (const QString &name : names)
        entries.append({name, qCompress(name.toUtf8())});
    const QString path = writeArchive(entries);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    UArchiveHeader header;
    QVERIFY(header.read(file));
    QCOMPARE(header.headerSize(), 348);
    QCOMPARE(header.records().size(), size_t(6));
    QCOMPARE(header.records().front()->offset(), 348u);
    QCOMPARE(header.records().back()->name(), names.last());
    QVERIFY(!QFileInfo::exists(root())); // reading the header unpacks nothing
}

void TestUArchive::damagedBlockGivesEmptyFile_data()
{
    QTest::addColumn<QByteArray>("block");

    const QByteArray good = qCompress(randomBytes(4000, 3));
    QTest::newRow("truncated stream") << good.left(good.size() / 2);
    QTest::newRow("garbage stream") << bigEndian(4000) + randomBytes(300, 5);
    QTest::newRow("broken checksum") << good.left(good.size() - 1) + char(good.back() ^ 0x55);
    QTest::newRow("shorter than the length") << QByteArray::fromHex("0000");
}

void TestUArchive::damagedBlockGivesEmptyFile()
{
    QFETCH(QByteArray, block);
    UArchive *archive = UArchive::instance();
    ArchiveWarnings warnings;
    QVERIFY(archive->open(writeArchive({
        {"/before.txt", qCompress("before")},
        {"/image/damaged.png", block},
        {"/after.txt", qCompress("after")},
    })));

    QCOMPARE(fileContents(root() + "/before.txt"), QByteArray("before"));
    QCOMPARE(fileContents(root() + "/after.txt"), QByteArray("after"));
    QVERIFY(QFileInfo::exists(root() + "/image/damaged.png"));
    QCOMPARE(QFileInfo(root() + "/image/damaged.png").size(), 0);
    QCOMPARE(archive->header().refusedCount(), 0);
    QCOMPARE(warnings.lines().size(), 1);
    QVERIFY2(warnings.lines().first().contains("/image/damaged.png"),
             qPrintable(warnings.lines().first()));
    QVERIFY(warnings.lines().first().contains("damaged"));
}

void TestUArchive::blockUnpacksLikeQUncompress_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<UArchiveBlock::Result>("result");

    using Result = UArchiveBlock::Result;
    const QByteArray text = QByteArray("<Canvas/>").repeated(500);
    const QByteArray compressed = qCompress(text);
    QTest::newRow("text") << compressed << Result::Unpacked;
    QTest::newRow("incompressible") << qCompress(randomBytes(100000, 11)) << Result::Unpacked;
    QTest::newRow("empty data") << qCompress(QByteArray()) << Result::Unpacked;
    QTest::newRow("zero length only") << QByteArray(4, '\0') << Result::Unpacked;
    QTest::newRow("announces more than it holds")
        << blockAnnouncing(9000, text) << Result::Unpacked;
    QTest::newRow("truncated") << compressed.left(compressed.size() - 8) << Result::Damaged;
    QTest::newRow("garbage") << bigEndian(100) + randomBytes(64, 13) << Result::Damaged;
    QTest::newRow("three bytes") << QByteArray::fromHex("000001") << Result::Damaged;
}

void TestUArchive::blockUnpacksLikeQUncompress()
{
    QFETCH(QByteArray, block);
    QFETCH(UArchiveBlock::Result, result);
    // qUncompress complains about the broken rows; only its result matters here.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const QByteArray expected = qUncompress(block);
    qInstallMessageHandler(previous);
    QByteArray data("stale");
    QCOMPARE(UArchiveBlock(block).unpack(&data), result);
    QCOMPARE(data, expected);
}

void TestUArchive::hostileEntryIsNotWritten_data()
{
    QTest::addColumn<TestEntry>("entry");
    QTest::addColumn<QString>("reason");

    const QByteArray data = qCompress("escaped");
    QTest::newRow("absolute after the slash") << TestEntry{"//tmp/escape.txt", data} << "absolute";
    QTest::newRow("dot-dot") << TestEntry{"/../escape.txt", data} << "\"..\" segment";
    QTest::newRow("deep dot-dot") << TestEntry{"/image/../../escape.txt", data} << "\"..\" segment";
    QTest::newRow("backslash") << TestEntry{"/..\\escape.txt", data} << "backslash";
    QTest::newRow("NUL") << TestEntry{QStringLiteral("/escape.txt") + QChar(0) + ".png", data}
                         << "NUL";
    QTest::newRow("drive letter") << TestEntry{"/C:/escape.txt", data} << "drive letter";
    QTest::newRow("drive-relative") << TestEntry{"/c:escape.txt", data} << "drive letter";
    QTest::newRow("no leading slash") << TestEntry{"escape.txt", data} << "does not begin";
    QTest::newRow("a folder") << TestEntry{"/escape/", data} << "names no file";
    QTest::newRow("empty name") << TestEntry{"", data} << "does not begin";
    QTest::newRow("offset past the end")
        << TestEntry{"/escape.txt", data, 0xFFFFFF00u} << "past the end of the file";
    QTest::newRow("size past the end")
        << TestEntry{"/escape.txt", data, std::nullopt, 0x10000000u} << "past the end of the file";
    QTest::newRow("offset and size wrap around")
        << TestEntry{"/escape.txt", data, 0xFFFFFFF0u, 0x20u} << "past the end of the file";
    QTest::newRow("announces more than an entry may hold")
        << TestEntry{"/escape.txt", blockAnnouncing(64 * 1024 * 1024 + 1, "escaped")}
        << "past the entry limit";
    QTest::newRow("inflates past its length")
        << TestEntry{"/escape.txt", blockAnnouncing(1024, QByteArray(8 * 1024 * 1024, '\0'))}
        << "inflates past";
}

void TestUArchive::hostileEntryIsNotWritten()
{
    QFETCH(TestEntry, entry);
    QFETCH(QString, reason);
    const QString path = writeArchive({
        {"/Demo.cpf", qCompress("before")},
        entry,
        {"/image/after.png", qCompress("after")},
    });
    const QStringList outside = treeBelow(m_work->path());

    UArchive *archive = UArchive::instance();
    ArchiveWarnings warnings;
    QVERIFY(archive->open(path));

    QCOMPARE(fileContents(root() + "/Demo.cpf"), QByteArray("before"));
    QCOMPARE(fileContents(root() + "/image/after.png"), QByteArray("after"));
    QCOMPARE(treeBelow(root()), (QStringList{"Demo.cpf", "image", "image/after.png"}));
    QStringList now = treeBelow(m_work->path());
    now.removeIf([](const QString &p) {
        return p == "parent" || p == "parent/Archive" || p.startsWith("parent/Archive/");
    });
    QCOMPARE(now, outside);

    QCOMPARE(archive->header().refusedCount(), 1);
    QCOMPARE(archive->header().records().size(), size_t(2));
    QCOMPARE(archive->findFile(QStringLiteral("escape")), QString());
    QCOMPARE(warnings.lines().size(), 1);
    const QString line = warnings.lines().first();
    QVERIFY2(line.contains("refused") && line.contains(reason), qPrintable(line));
    QVERIFY2(entry.name.isEmpty() || line.contains("escape"), qPrintable(line));
}

void TestUArchive::archiveLimitRefusesLaterEntries()
{
    // Each entry announces 60 MiB but holds a few bytes, so the test stays small.
    TestEntries entries;
    for (int i = 1; i <= 5; ++i)
        entries.append({QStringLiteral("/big%1.bin").arg(i),
                        blockAnnouncing(60 * 1024 * 1024, QByteArray::number(i))});
    entries.append({"/small.txt", qCompress("small")});
    UArchive *archive = UArchive::instance();
    ArchiveWarnings warnings;
    QVERIFY(archive->open(writeArchive(entries)));

    for (int i = 1; i <= 4; ++i)
        QCOMPARE(fileContents(root() + QStringLiteral("/big%1.bin").arg(i)), QByteArray::number(i));
    QVERIFY(!QFileInfo::exists(root() + "/big5.bin"));
    QCOMPARE(fileContents(root() + "/small.txt"), QByteArray("small"));
    QCOMPARE(warnings.lines().size(), 1);
    QVERIFY2(warnings.lines().first().contains("/big5.bin") &&
                 warnings.lines().first().contains("archive's limit"),
             qPrintable(warnings.lines().first()));
}

void TestUArchive::hostileHeaderIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    const QByteArray marker = QByteArray::fromHex("10000000");
    QTest::newRow("marker only") << marker + QByteArray::fromHex("0000") << "too short";
    QTest::newRow("count the file cannot hold")
        << marker + bigEndian(1000) + QByteArray(12, '\0') << "can hold";
    QTest::newRow("count near 2^32")
        << marker + bigEndian(0xFFFFFFFFu) + QByteArray(24, '\0') << "more than the limit";
    QTest::newRow("count past the limit")
        << marker + bigEndian(70000) + QByteArray(70000 * 12, '\0') << "more than the limit";
    QTest::newRow("name past the end")
        << marker + bigEndian(1) + bigEndian(0x7FFFFFFFu) + QByteArray(16, 'x')
        << "runs past the end";
    QTest::newRow("name longer than any path")
        << buildArchive({{QLatin1Char('/') + QString(5000, QLatin1Char('n')), qCompress("n")}})
        << "more than the limit";
    QTest::newRow("second header cut short")
        << buildArchive({{"/a", qCompress("a")}, {"/b", qCompress("b")}}).left(8 + 16 + 10)
        << "runs past the end";
}

void TestUArchive::hostileHeaderIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    UArchive *archive = UArchive::instance();
    QVERIFY(archive->open(writeArchive({{"/Previous.cpf", qCompress("previous")}})));
    const QString path = writeFile(QStringLiteral("hostile.cpz"), bytes);
    QVERIFY(UArchive::isArchive(path));

    ArchiveWarnings warnings;
    QVERIFY(!archive->open(path));

    QCOMPARE(fileContents(root() + "/Previous.cpf"), QByteArray("previous"));
    QCOMPARE(archive->findFile(".cpf"), root() + "/Previous.cpf");
    QCOMPARE(warnings.lines().size(), 1);
    QVERIFY2(warnings.lines().first().contains(reason), qPrintable(warnings.lines().first()));
}

void TestUArchive::settingsExtractionRoot_data()
{
    QTest::addColumn<QVariant>("setting");
    QTest::addColumn<QString>("expected");

    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY(cache.startsWith(m_home.path()));
    QTest::newRow("unset") << QVariant() << cache + "/Archive";
    QTest::newRow("empty") << QVariant(QString()) << cache + "/Archive";
    QTest::newRow("plain folder") << QVariant("/data/veloxa") << "/data/veloxa/Archive";
    QTest::newRow("trailing slash") << QVariant("/data/veloxa/") << "/data/veloxa/Archive";
    QTest::newRow("backslashes") << QVariant("C:\\Users\\me\\Veloxa")
                                 << "C:/Users/me/Veloxa/Archive";
}

void TestUArchive::settingsExtractionRoot()
{
    QFETCH(QVariant, setting);
    QFETCH(QString, expected);
    QSettings settings = clientSettings();
    if (setting.isValid())
        settings.setValue(QStringLiteral("Path/Archive"), setting);
    else
        settings.remove(QStringLiteral("Path/Archive"));
    QCOMPARE(UArchive::settingsExtractionRoot(), expected);
}

void TestUArchive::userFolderIsNeverRemoved_data()
{
    QTest::addColumn<bool>("inDocuments");
    QTest::newRow("where the settings point") << false;
    QTest::newRow("in the documents fallback") << true;
}

void TestUArchive::userFolderIsNeverRemoved()
{
    QFETCH(bool, inDocuments);
    QString users = m_work->path() + QStringLiteral("/parent/Archive");
    if (inDocuments) {
        const QString blocker = writeFile(QStringLiteral("blocker"), "not a folder");
        clientSettings().setValue(QStringLiteral("Path/Archive"), blocker);
        users = QDir::cleanPath(documents() + "/" + blocker + "/Archive");
    }
    QVERIFY(QDir().mkpath(users));
    QVERIFY(QFile::copy(writeArchive({}), users + QStringLiteral("/mine.cpz")));

    UArchive *archive = UArchive::instance();
    QVERIFY(archive->open(writeArchive({{"/First.cpf", qCompress("first")}})));
    QVERIFY(archive->open(writeArchive({{"/Second.cpf", qCompress("second")}})));

    QCOMPARE(treeBelow(users), QStringList{QStringLiteral("mine.cpz")});
    QCOMPARE(archive->header().extractionRoot(), users + QStringLiteral("-2"));
    QCOMPARE(treeBelow(users + QStringLiteral("-2")), QStringList{QStringLiteral("Second.cpf")});
}

void TestUArchive::rootFallsBackToDocuments()
{
    // A file where the parent folder should be: the root cannot be made in place.
    const QString blocker = writeFile(QStringLiteral("blocker"), "not a folder");
    clientSettings().setValue(QStringLiteral("Path/Archive"), blocker);
    UArchive *archive = UArchive::instance();
    ArchiveWarnings warnings;
    QVERIFY(archive->open(writeArchive({{"/Demo.cpf", qCompress("demo")}})));

    const QString fallback = QDir::cleanPath(documents() + "/" + blocker + "/Archive");
    QVERIFY(fallback.startsWith(m_home.path()));
    QCOMPARE(archive->header().extractionRoot(), fallback);
    QCOMPARE(fileContents(fallback + "/Demo.cpf"), QByteArray("demo"));
    QCOMPARE(archive->findFile(".cpf"), fallback + "/Demo.cpf");
    QCOMPARE(warnings.lines(), QStringList());
}

void TestUArchive::fallbackFailureIsReported()
{
    const QString blocker = writeFile(QStringLiteral("blocker"), "not a folder");
    clientSettings().setValue(QStringLiteral("Path/Archive"), blocker);
    QVERIFY(QDir().mkpath(QFileInfo(documents()).path()));
    QFile documentsFile(documents());
    QVERIFY(documentsFile.open(QIODevice::WriteOnly));
    documentsFile.close();
    UArchive *archive = UArchive::instance();
    ArchiveWarnings warnings;
    QVERIFY(archive->open(writeArchive({{"/Demo.cpf", qCompress("demo")}})));

    const QString fallback = QDir::cleanPath(documents() + "/" + blocker + "/Archive");
    QCOMPARE(archive->header().extractionRoot(), fallback);
    QVERIFY(!warnings.lines().isEmpty());
    QCOMPARE(warnings.lines().first(),
             QStringLiteral("Could not access parent directory of: ") + fallback);
    QVERIFY(!QFileInfo::exists(fallback + "/Demo.cpf"));
}

QTEST_GUILESS_MAIN(TestUArchive)
#include "tst_uarchive.moc"
