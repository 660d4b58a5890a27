#pragma once

#include "comm/pprotocol.h"

#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QEventLoop;
class QFile;

// The design tool's way of pushing a project: the raw bytes of one TCP connection, ended by the
// sender closing it. No header, length or acknowledgement.
class PFileProtocol : public PProtocol
{
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 10056;
    static constexpr int ChunkBytes = 4096;
    // Far beyond any project; a peer that sends more is not a design tool.
    static constexpr qint64 MaxBytes = qint64(256) * 1024 * 1024;
    static constexpr int DefaultIdleTimeoutMs = 30000;

    // Whether the arrived file may replace the stored download; reason says why not.
    using Check = std::function<bool(const QString &path, QString *reason)>;

    explicit PFileProtocol(QObject *parent = nullptr);
    ~PFileProtocol() override;

    bool sendFile(const QString &path) override;
    // Waits in a local event loop until the sender closes, the transfer fails or cancel() is
    // called. The download at path is replaced only by a non-empty file that passes the check;
    // the one it replaces is kept as path + ".bak".
    bool receiveFile(const QString &path) override;
    bool handleReply(const QByteArray &bytes) override;
    QString name() const override;
    void setInterface(IInterface *interface) override;

    void setCheck(Check check) { m_check = std::move(check); }
    void setIdleTimeoutMs(int ms) { m_idle.setInterval(ms); }
    // Why the last receive stored nothing, in words for the user; empty after a success.
    QString failure() const { return m_failure; }

public Q_SLOTS:
    void connectionClose();
    // Ends the receive without storing anything.
    void cancel();

Q_SIGNALS:
    void peerConnected(const QString &address);
    void progress(qint64 bytes);

private:
    void onInterfaceStateChanged(bool connected);
    void fail(const QString &reason);
    // Keeps the reason and logs it; false, for the caller to return.
    bool report(const QString &reason);
    void finish();
    bool store(const QString &temporary, const QString &path);

    std::unique_ptr<QFile> m_file;
    QPointer<QEventLoop> m_loop;
    QTimer m_idle;
    Check m_check;
    qint64 m_bytes = 0;
    QString m_failure;
    bool m_ended = false;
};
