#include "util/ulogger.h"

#include "util/logcategories.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutexLocker>
#include <QStandardPaths>
#include <QThread>
#include <QTime>

namespace {

QBasicMutex s_instanceMutex;
std::unique_ptr<ULogger> s_instance;

// The longest tail of whole lines that fits in limit bytes. One scan, so a file of many short
// lines costs no more than one of few long ones.
QByteArray newestLines(const QByteArray &text, qint64 limit)
{
    const qsizetype cut = text.indexOf('\n', text.size() - limit - 1);
    return cut < 0 ? QByteArray() : text.mid(cut + 1);
}

bool replaceContent(QFile &file, const QByteArray &content)
{
    return file.seek(0) && file.write(content) == content.size() && file.resize(content.size());
}

QString currentThreadHex()
{
    return QString::number(reinterpret_cast<quintptr>(QThread::currentThreadId()), 16);
}

} // namespace

ULogger::ULogger(QObject *parent)
    : QObject(parent)
    , m_separator(QStringLiteral(" | "))
    , m_trimTimer(this)
{
    m_trimTimer.setInterval(TrimIntervalMs);
    m_trimTimer.setSingleShot(false);
    connect(&m_trimTimer, &QTimer::timeout, this, &ULogger::_onLogTrimLoopTick);
}

ULogger::~ULogger() = default;

ULogger *ULogger::instance()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    qCDebug(lcLogger).noquote() << QStringLiteral("Log root path (documents): ") + documents;

    QMutexLocker locker(&s_instanceMutex);
    if (!s_instance) {
        // Gone with the application object, while its event dispatcher can still stop the timer.
        qAddPostRoutine(&ULogger::destroyInstance);
        s_instance = std::make_unique<ULogger>();
        s_instance->setPath(documents);
        s_instance->init();
        qCDebug(lcLogger) << "New logger initialized.";
    }
    return s_instance.get();
}

void ULogger::destroyInstance()
{
    QMutexLocker locker(&s_instanceMutex);
    qRemovePostRoutine(&ULogger::destroyInstance);
    s_instance.reset();
}

void ULogger::setPath(const QString &folder)
{
    m_folder = folder;
}

QString ULogger::filePath() const
{
    return m_folder + QLatin1Char('/') + QLatin1String(FileName);
}

void ULogger::init()
{
    if (m_initialised)
        return;
    m_initialised = true;
    const QString path = filePath();
    qCDebug(lcLogger).noquote() << QStringLiteral("Initializing Log at path = ") + path;

    createFolder();
    {
        QMutexLocker locker(&m_mutex);
        m_file = std::make_unique<QFile>(path);
    }
    qCDebug(lcLogger).noquote() << QStringLiteral("Success creating log file at ") + path;

    logInfo(QStringLiteral("START LOG"));
    m_trimTimer.start();
}

void ULogger::createFolder()
{
    if (QDir(m_folder).exists()) {
        qCDebug(lcLogger).noquote()
            << QStringLiteral("Success: Path at ") + m_folder + QStringLiteral(" already exists.");
        return;
    }
    qCDebug(lcLogger).noquote() << QStringLiteral("Path to ") + m_folder +
                                       QStringLiteral(" does not exist. Creating...");
    if (QDir().mkpath(m_folder))
        qCDebug(lcLogger).noquote() << QStringLiteral("Success creating ") + m_folder;
    else
        qCWarning(lcLogger).noquote() << QStringLiteral("Could not create path ") + m_folder;
}

void ULogger::logInfo(const QString &message)
{
    const QString line = QStringLiteral("INFO") + m_separator +
                         QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")) +
                         m_separator + currentThreadHex() + m_separator + message;
    writeLine(line.toUtf8());
}

void ULogger::writeLine(const QByteArray &bytes)
{
    QMutexLocker locker(&m_mutex);
    m_linePending = true;
    qCDebug(lcLogger).noquote() << QStringLiteral("LOG | ") + QString::fromUtf8(bytes);
    if (openForWriting()) {
        if (m_file->write(bytes + '\n') < 0)
            qCWarning(lcLogger).noquote()
                << QStringLiteral("Log write failed: ") + m_file->errorString();
        m_file->close();
    }
    m_linePending = false;
}

// Called with m_mutex held.
bool ULogger::openForWriting()
{
    if (!m_file) {
        qCWarning(lcLogger).noquote()
            << QStringLiteral("Could not open file at ") + filePath() +
                   QStringLiteral(" error: log not initialised. Make sure you've called setPath()");
        return false;
    }
    if (m_file->isOpen())
        return true;
    // Unbuffered, so that a failing disk shows in the write result rather than at close.
    if (m_file->open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Append |
                     QIODevice::Unbuffered))
        return true;
    qCWarning(lcLogger).noquote() << QStringLiteral("Could not open file at ") +
                                         m_file->fileName() + QStringLiteral(" error: ") +
                                         m_file->errorString() +
                                         QStringLiteral(". Make sure you've called setPath()");
    return false;
}

void ULogger::_onLogTrimLoopTick()
{
    QMutexLocker locker(&m_mutex);
    if (!m_file) {
        qCDebug(lcLogger) << "Init not setup on log file for truncation.";
        return;
    }
    // Binary, so that the bytes counted are the bytes on disk.
    if (!m_file->open(QIODevice::ReadWrite)) {
        qCWarning(lcLogger).noquote()
            << QStringLiteral("Could not open log file for truncation read/write. ") +
                   m_file->errorString();
        return;
    }
    const QByteArray content = m_file->readAll();
    if (content.size() > MaxFileSize && !replaceContent(*m_file, newestLines(content, MaxFileSize)))
        qCWarning(lcLogger).noquote()
            << QStringLiteral("Log truncation failed: ") + m_file->errorString();
    m_file->close();
}
