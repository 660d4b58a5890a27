#pragma once

#include <QFile>
#include <QString>

// The wire traffic of every simulated device, one line per command or reply, with a timestamp
// and the device name; control bytes are written by name.
class SimTrafficLog
{
public:
    bool open(const QString &path);
    bool isOpen() const { return m_file.isOpen(); }
    QString errorString() const { return m_file.errorString(); }

    void received(const QString &device, const QByteArray &command);
    void sent(const QString &device, const QByteArray &reply);

    static QString printable(const QByteArray &bytes);

private:
    void write(const QString &device, const char *direction, const QByteArray &bytes);

    QFile m_file;
};
