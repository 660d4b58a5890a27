#include "util/ulogger.h"

#include <QFile>
#include <QLoggingCategory>
#include <QMutex>
#include <QRegularExpression>
#include <QSemaphore>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

constexpr qint64 Limit = ULogger::MaxFileSize;
const char *const LoggerCategory = "veloxa.util.logger";

// Collects what the logger says on Qt's debug output, in order and from any thread; other
// messages go on to the test framework.
class LoggerMessages
{
public:
    LoggerMessages()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&handle);
    }
    ~LoggerMessages()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    QStringList all() const
    {
        QMutexLocker locker(&m_mutex);
        return m_messages;
    }
    QStringList warnings() const { return all().filter(QRegularExpression("^warning: ")); }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (qstrcmp(context.category, LoggerCategory) != 0) {
            s_current->m_previous(type, context, text);
            return;
        }
        QMutexLocker locker(&s_current->m_mutex);
        s_current->m_messages << (type == QtDebugMsg ? "debug: " : "warning: ") + text;
    }

    static inline LoggerMessages *s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
    mutable QMutex m_mutex;
    QStringList m_messages;
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

QString threadHex()
{
    return QString::number(reinterpret_cast<quintptr>(QThread::currentThreadId()), 16);
}

// Numbered lines of the given length (newline included) up to exactly `size` bytes; the last
// line takes up what is left.
QByteArray fillerLines(qint64 size, int lineLength)
{
    QByteArray text;
    text.reserve(size);
    for (int n = 0; size - text.size() >= 2 * lineLength; ++n) {
        QByteArray line = QByteArray::number(n).rightJustified(lineLength - 1, '.');
        text += line + '\n';
    }
    text += QByteArray(size - text.size() - 1, '-') + '\n';
    return text;
}

// The reference for a trim: whole lines taken from the end while they fit.
QByteArray newestWholeLinesWithin(const QByteArray &text, qint64 limit)
{
    qsizetype start = text.size();
    while (start > 0) {
        const qsizetype previous = text.lastIndexOf('\n', start - 2) + 1;
        if (text.size() - previous > limit)
            break;
        start = previous;
    }
    return text.mid(start);
}

const QRegularExpression logLine(R"(^INFO \| (\d\d:\d\d:\d\d\.\d\d\d) \| ([0-9a-f]+) \| (.*)$)");

} // namespace

class TstULogger : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void lineFormat_data();
    void lineFormat();
    void initWritesStartLogOnce();
    void initTexts_data();
    void initTexts();
    void trimTimerIsMinutelyAndTrims();
    void trimAroundTheLimit_data();
    void trimAroundTheLimit();
    void trimLargeFile_data();
    void trimLargeFile();
    void unwritableFolder_data();
    void unwritableFolder();
    void failedWriteWarns();
    void withoutInit();
    void concurrentThreadsWriteWholeLines();
    void instanceUsesDocumentsFolder();

private:
    std::unique_ptr<ULogger> startedLogger();

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstULogger::initTestCase()
{
    QVERIFY(m_home.isValid());
    // The process-wide logger writes into the documents folder: keep it inside the test's home.
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.util.logger.debug=true"));
}

void TstULogger::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

std::unique_ptr<ULogger> TstULogger::startedLogger()
{
    auto logger = std::make_unique<ULogger>();
    logger->setPath(m_dir->path());
    logger->init();
    return logger;
}

void TstULogger::lineFormat_data()
{
    QTest::addColumn<QString>("message");

    QTest::newRow("plain") << "panel opened";
    QTest::newRow("empty") << "";
    QTest::newRow("separator inside") << "a | b | c";
    QTest::newRow("non-ASCII") << QString::fromUtf8("Gr\u00fc\u00dfe \u2713 \u00e9t\u00e9");
}

void TstULogger::lineFormat()
{
    QFETCH(QString, message);
    LoggerMessages messages;
    auto logger = startedLogger();

    const QTime before = QTime::currentTime();
    logger->logInfo(message);
    const QTime after = QTime::currentTime();

    const QByteArray content = readFile(logger->filePath());
    QVERIFY(content.endsWith('\n'));
    const QList<QByteArray> lines = content.chopped(1).split('\n');
    QCOMPARE(lines.size(), 2);
    const QString line = QString::fromUtf8(lines.last());
    const QRegularExpressionMatch match = logLine.match(line);
    QVERIFY2(match.hasMatch(), qPrintable(line));
    QCOMPARE(match.captured(2), threadHex());
    QCOMPARE(match.captured(3), message);
    const QTime written = QTime::fromString(match.captured(1), "hh:mm:ss.zzz");
    QVERIFY(written.isValid());
    if (before <= after) // not across midnight
        QVERIFY2(before <= written && written <= after, qPrintable(match.captured(1)));
    QCOMPARE(messages.all().last(), "debug: LOG | " + line);
    QCOMPARE(messages.warnings(), QStringList());
}

void TstULogger::initWritesStartLogOnce()
{
    auto logger = startedLogger();
    logger->init();

    QCOMPARE(logger->filePath(), m_dir->filePath("vxmlog.txt"));
    const QList<QByteArray> lines = readFile(logger->filePath()).split('\n');
    QCOMPARE(lines.size(), 2); // one line and the empty rest after its newline
    const QRegularExpressionMatch match = logLine.match(QString::fromUtf8(lines.first()));
    QVERIFY(match.hasMatch());
    QCOMPARE(match.captured(3), "START LOG");
    QCOMPARE(lines.last(), QByteArray());
}

void TstULogger::initTexts_data()
{
    QTest::addColumn<bool>("folderExists");

    QTest::newRow("existing folder") << true;
    QTest::newRow("missing nested folder") << false;
}

void TstULogger::initTexts()
{
    QFETCH(bool, folderExists);
    const QString folder = folderExists ? m_dir->path() : m_dir->filePath("a/b/logs");
    const QString path = folder + "/vxmlog.txt";
    LoggerMessages messages;

    ULogger logger;
    logger.setPath(folder);
    logger.init();

    QStringList expected{"debug: Initializing Log at path = " + path};
    if (folderExists) {
        expected << "debug: Success: Path at " + folder + " already exists.";
    } else {
        expected << "debug: Path to " + folder + " does not exist. Creating..."
                 << "debug: Success creating " + folder;
    }
    expected << "debug: Success creating log file at " + path;
    const QStringList seen = messages.all();
    QCOMPARE(seen.size(), expected.size() + 1);
    QCOMPARE(seen.mid(0, expected.size()), expected);
    QVERIFY2(QRegularExpression("^debug: LOG \\| INFO \\| .* \\| START LOG$")
                 .match(seen.last())
                 .hasMatch(),
             qPrintable(seen.last()));
    QVERIFY(QFileInfo(path).isFile());
}

void TstULogger::trimTimerIsMinutelyAndTrims()
{
    auto logger = startedLogger();
    QTimer *timer = logger->findChild<QTimer *>();
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QVERIFY(!timer->isSingleShot());
    QCOMPARE(timer->interval(), 60000);

    QVERIFY(writeFile(logger->filePath(), fillerLines(Limit + 1000, 50)));
    // The trim step is connected before the spy, so it has run when the spy sees the tick.
    QSignalSpy ticks(timer, &QTimer::timeout);
    timer->start(1);
    QVERIFY(ticks.wait(5000)); // one 1 ms tick on an idle loop
    QVERIFY(QFileInfo(logger->filePath()).size() <= Limit);
}

void TstULogger::trimAroundTheLimit_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("droppedBytes");

    const QByteArray first = "first line\n";
    const QByteArray second = "second line\n";
    QTest::newRow("exactly the limit is kept") << Limit << 0;
    QTest::newRow("one byte over drops the first line") << Limit + 1 << int(first.size());
    QTest::newRow("over by the first line drops only it")
        << Limit + first.size() << int(first.size());
    QTest::newRow("one byte more drops two lines")
        << Limit + first.size() + 1 << int(first.size() + second.size());
}

void TstULogger::trimAroundTheLimit()
{
    QFETCH(qint64, size);
    QFETCH(int, droppedBytes);
    auto logger = startedLogger();
    const QByteArray last = "the last line written";
    const QByteArray head = "first line\nsecond line\n";
    QVERIFY(writeFile(logger->filePath(),
                      head + fillerLines(size - head.size() - last.size() - 1, 80)));
    LoggerMessages messages;
    logger->writeLine(last);
    const QByteArray before = readFile(logger->filePath());
    QCOMPARE(before.size(), size);

    logger->_onLogTrimLoopTick();

    const QByteArray after = readFile(logger->filePath());
    QCOMPARE(after.size(), size - droppedBytes);
    QVERIFY(after == before.mid(droppedBytes));
    QVERIFY(after.endsWith(last + '\n'));
    QCOMPARE(messages.warnings(), QStringList());
}

void TstULogger::trimLargeFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("newest");

    const QByteArray newest = "newest";
    QTest::newRow("2 MiB of two-byte lines") << fillerLines(2 * Limit, 2) << newest;
    QTest::newRow("2 MiB of 100-byte lines") << fillerLines(2 * Limit, 100) << newest;
    QTest::newRow("5 MiB of 4 KiB lines") << fillerLines(5 * Limit, 4096) << newest;
    QTest::newRow("one huge line, then short ones")
        << QByteArray(Limit + Limit / 2, 'h') + '\n' + fillerLines(Limit / 2, 10) << newest;
    QTest::newRow("a line longer than the limit before the newest")
        << fillerLines(Limit / 2, 10) + QByteArray(Limit + 10, 'z') + '\n'
        << newest;
    // Whole lines or nothing: a newest line that alone exceeds the limit goes too.
    QTest::newRow("a newest line longer than the limit")
        << fillerLines(Limit / 2, 10) << QByteArray(Limit + 10, 'z');
}

void TstULogger::trimLargeFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, newest);
    auto logger = startedLogger();
    QVERIFY(writeFile(logger->filePath(), content));
    LoggerMessages messages;
    logger->writeLine(newest);
    const QByteArray before = readFile(logger->filePath());
    QVERIFY(before.size() > Limit);

    logger->_onLogTrimLoopTick();

    const QByteArray after = readFile(logger->filePath());
    const QByteArray expected = newestWholeLinesWithin(before, Limit);
    QVERIFY(after.size() <= Limit);
    QCOMPARE(after.size(), expected.size());
    QVERIFY(after == expected);
    if (newest.size() < Limit)
        QVERIFY(after.endsWith('\n' + newest + '\n') || after == newest + '\n');
    else
        QVERIFY(after.isEmpty());
    QCOMPARE(messages.warnings(), QStringList());
}

void TstULogger::unwritableFolder_data()
{
    QTest::addColumn<QString>("folderUnderDir");

    // Tests may run as root, whom permissions do not stop; a regular file in the way does.
    QTest::newRow("parent is a regular file") << "blocker/logs";
    QTest::newRow("folder is a regular file") << "blocker";
}

void TstULogger::unwritableFolder()
{
    QFETCH(QString, folderUnderDir);
    QVERIFY(writeFile(m_dir->filePath("blocker"), "not a folder\n"));
    const QString folder = m_dir->filePath(folderUnderDir);
    const QString path = folder + "/vxmlog.txt";
    LoggerMessages messages;

    ULogger logger;
    logger.setPath(folder);
    logger.init();
    logger.logInfo("still running");
    logger._onLogTrimLoopTick();

    const QStringList warnings = messages.warnings();
    QCOMPARE(warnings.size(), 4);
    QCOMPARE(warnings.at(0), "warning: Could not create path " + folder);
    const QRegularExpression openFailed("^warning: Could not open file at " +
                                        QRegularExpression::escape(path) +
                                        " error: .+\\. Make sure you've called setPath\\(\\)$");
    QVERIFY2(openFailed.match(warnings.at(1)).hasMatch(), qPrintable(warnings.at(1)));
    QVERIFY2(openFailed.match(warnings.at(2)).hasMatch(), qPrintable(warnings.at(2)));
    QVERIFY2(
        warnings.at(3).startsWith("warning: Could not open log file for truncation read/write. "),
        qPrintable(warnings.at(3)));
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(readFile(m_dir->filePath("blocker")), QByteArray("not a folder\n"));
}

void TstULogger::failedWriteWarns()
{
    if (!QFileInfo::exists("/dev/full"))
        QSKIP("needs /dev/full to make writes fail");
    QVERIFY(QFile::link("/dev/full", m_dir->filePath("vxmlog.txt")));
    LoggerMessages messages;

    auto logger = startedLogger();
    logger->logInfo("lost");

    const QStringList warnings = messages.warnings();
    QCOMPARE(warnings.size(), 2);
    for (const QString &warning : warnings)
        QVERIFY2(warning.startsWith("warning: Log write failed: "), qPrintable(warning));
}

void TstULogger::withoutInit()
{
    LoggerMessages messages;
    ULogger logger;
    logger.setPath(m_dir->path());

    logger._onLogTrimLoopTick();
    logger.writeLine("too early");

    const QStringList seen = messages.all();
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen.at(0), "debug: Init not setup on log file for truncation.");
    QCOMPARE(seen.at(1), "debug: LOG | too early");
    QVERIFY2(
        seen.at(2).startsWith("warning: Could not open file at " + m_dir->filePath("vxmlog.txt")),
        qPrintable(seen.at(2)));
    QVERIFY(!QFileInfo::exists(m_dir->filePath("vxmlog.txt")));
}

void TstULogger::concurrentThreadsWriteWholeLines()
{
    constexpr int threadCount = 8;
    constexpr int linesPerThread = 400;
    const QString padding(200, QLatin1Char('x'));
    auto logger = startedLogger();
    LoggerMessages messages;

    // All threads are alive together, so their identifiers are distinct.
    QSemaphore ready;
    QSemaphore go;
    std::vector<QString> ids(threadCount);
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back(QThread::create([&, t] {
            ids[t] = threadHex();
            ready.release();
            go.acquire();
            for (int i = 0; i < linesPerThread; ++i)
                logger->logInfo(QStringLiteral("thread %1 line %2 ").arg(t).arg(i) + padding);
        }));
        threads.back()->start();
    }
    ready.acquire(threadCount);
    go.release(threadCount);
    for (auto &thread : threads)
        QVERIFY(thread->wait(60000));

    const QList<QByteArray> lines = readFile(logger->filePath()).split('\n');
    QCOMPARE(lines.size(), 1 + threadCount * linesPerThread + 1);
    QCOMPARE(lines.last(), QByteArray());
    const QRegularExpression message("^thread (\\d+) line (\\d+) " + padding + "$");
    std::vector<int> nextLine(threadCount, 0);
    for (int n = 1; n < lines.size() - 1; ++n) {
        const QString line = QString::fromUtf8(lines.at(n));
        const QRegularExpressionMatch format = logLine.match(line);
        QVERIFY2(format.hasMatch(), qPrintable(line));
        const QRegularExpressionMatch content = message.match(format.captured(3));
        QVERIFY2(content.hasMatch(), qPrintable(line));
        const int t = content.captured(1).toInt();
        QVERIFY(t >= 0 && t < threadCount);
        QCOMPARE(format.captured(2), ids[t]);
        QCOMPARE(content.captured(2).toInt(), nextLine[t]++);
    }
    QCOMPARE(nextLine, std::vector<int>(threadCount, linesPerThread));
    QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), threadCount);
    QCOMPARE(messages.warnings(), QStringList());
}

void TstULogger::instanceUsesDocumentsFolder()
{
    ULogger::destroyInstance();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY2(documents.startsWith(m_home.path()), qPrintable(documents));
    LoggerMessages messages;

    ULogger *first = ULogger::instance();
    ULogger *second = ULogger::instance();

    QVERIFY(first);
    QCOMPARE(second, first);
    QCOMPARE(first->folder(), documents);
    const QStringList seen = messages.all();
    const QString root = "debug: Log root path (documents): " + documents;
    QCOMPARE(seen.first(), root);
    QCOMPARE(seen.count(root), 2);
    QCOMPARE(seen.count("debug: New logger initialized."), 1);
    QCOMPARE(seen.last(), root);
    QCOMPARE(seen.indexOf("debug: New logger initialized."), seen.size() - 2);
    const QByteArray content = readFile(documents + "/vxmlog.txt");
    QVERIFY2(content.endsWith(" | START LOG\n"), content.constData());
    QCOMPARE(messages.warnings(), QStringList());
    // Left alive on purpose: it must go cleanly with the application object at exit.
}

QTEST_GUILESS_MAIN(TstULogger)
#include "tst_ulogger.moc"
