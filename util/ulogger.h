#pragma once

#include <QByteArray>
#include <QFile>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

// Writes timestamped lines to "vxmlog.txt" in its folder and keeps that file at most
// MaxFileSize bytes. Any thread may log; the trim timer lives in the creating thread.
class ULogger : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 MaxFileSize = 1048576;
    static constexpr int TrimIntervalMs = 60000;
    static constexpr const char *FileName = "vxmlog.txt";

    explicit ULogger(QObject *parent = nullptr);
    ~ULogger() override;

    // The process-wide logger, writing into the user's documents folder; created on first use.
    static ULogger *instance();
    // Ends the process-wide logger (also done when the application object goes); the next
    // instance() starts a new one.
    static void destroyInstance();

    // The log folder; set it before init().
    void setPath(const QString &folder);
    QString folder() const { return m_folder; }
    QString filePath() const;

    void init();

    void logInfo(const QString &message);
    void writeLine(const QByteArray &bytes);

public slots:
    void _onLogTrimLoopTick();

private:
    void createFolder();
    bool openForWriting();

    std::unique_ptr<QFile> m_file;
    QString m_folder;
    QString m_separator;
    QTimer m_trimTimer;
    bool m_initialised = false;
    QMutex m_mutex;
    bool m_linePending = false;
};
