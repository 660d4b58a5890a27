#include "comm/pfileprotocol.h"

#include "comm/iinterface.h"
#include "comm/itcpserver.h"
#include "util/logcategories.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

PFileProtocol::PFileProtocol(QObject *parent)
    : PProtocol(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(DefaultIdleTimeoutMs);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        fail(tr("Nothing arrived for %1 seconds, so the transfer was given up.")
                 .arg(m_idle.interval() / 1000.0));
    });
}

PFileProtocol::~PFileProtocol() = default;

QString PFileProtocol::name() const
{
    return QStringLiteral("File");
}

void PFileProtocol::setInterface(IInterface *interface)
{
    if (PProtocol::interface())
        PProtocol::interface()->disconnect(this);
    PProtocol::setInterface(interface);
    if (!interface)
        return;
    connect(interface, &IInterface::connectionClose, this, &PFileProtocol::connectionClose);
    connect(interface, &IInterface::interfaceStateChanged, this,
            &PFileProtocol::onInterfaceStateChanged);
}

bool PFileProtocol::receiveFile(const QString &path)
{
    m_failure.clear();
    m_bytes = 0;
    m_ended = false;
    // Set-up failures come with the advice the user can act on.
    const QString advice = tr("\n\nTry both re-installing and running this application with "
                              "Administrator priveleges.");
    if (!interface() || !owner()) {
        fail(tr("Interface or Model is null.") + advice);
        return false;
    }
    const QString temporary = path + QLatin1Char('t');
    m_file = std::make_unique<QFile>(temporary);
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(tr("Cannot open file at `%1` because %2")
                 .arg(QFileInfo(temporary).absolutePath(), m_file->errorString()) +
             advice);
        m_file.reset();
        return false;
    }
    QEventLoop loop;
    m_loop = &loop;
    loop.exec();
    m_file->close();
    m_file.reset();
    if (m_failure.isEmpty() && m_bytes == 0)
        m_failure = tr("The sender closed the connection without sending anything.");
    const bool stored = m_failure.isEmpty() && store(temporary, path);
    if (!stored)
        QFile::remove(temporary);
    return stored;
}

bool PFileProtocol::store(const QString &temporary, const QString &path)
{
    QString reason;
    if (m_check && !m_check(temporary, &reason))
        return report(tr("What arrived is not a project: %1.").arg(reason));
    const QString backup = path + QStringLiteral(".bak");
    const bool hadPrevious = QFile::exists(path);
    if (hadPrevious) {
        QFile::remove(backup);
        if (!QFile::rename(path, backup))
            return report(tr("The previous download cannot be kept as %1.").arg(backup));
    }
    if (!QFile::rename(temporary, path)) {
        if (hadPrevious)
            QFile::rename(backup, path);
        return report(tr("The download cannot be stored as %1.").arg(path));
    }
    return true;
}

bool PFileProtocol::handleReply(const QByteArray &bytes)
{
    if (!m_file || m_ended)
        return false;
    if (bytes.size() > MaxBytes - m_bytes) {
        fail(tr("The sender went on past %1 MiB, more than any project holds, so the "
                "transfer was stopped.")
                 .arg(MaxBytes / (1024 * 1024)));
        return false;
    }
    if (m_file->write(bytes) != bytes.size()) {
        fail(tr("The download cannot be written: %1").arg(m_file->errorString()));
        return false;
    }
    m_bytes += bytes.size();
    m_idle.start();
    Q_EMIT progress(m_bytes);
    return true;
}

void PFileProtocol::connectionClose()
{
    if (m_file && !m_ended)
        finish();
}

void PFileProtocol::cancel()
{
    if (m_ended)
        return;
    m_failure = tr("The receive was cancelled.");
    finish();
}

void PFileProtocol::onInterfaceStateChanged(bool connected)
{
    if (!connected || !m_file || m_ended)
        return;
    m_idle.start();
    auto *server = qobject_cast<ITcpServer *>(interface());
    Q_EMIT peerConnected(server ? server->peerAddress() : QString());
}

void PFileProtocol::fail(const QString &reason)
{
    if (m_ended)
        return;
    report(reason);
    finish();
}

bool PFileProtocol::report(const QString &reason)
{
    m_failure = reason;
    qCWarning(lcProtocol).noquote() << "Receive Mode Failure: " + reason;
    return false;
}

void PFileProtocol::finish()
{
    m_ended = true;
    m_idle.stop();
    // A sender cut off here must not be taken for one that finished.
    if (interface())
        interface()->close();
    if (m_loop)
        m_loop->quit();
}

bool PFileProtocol::sendFile(const QString &path)
{
    QFile file(path);
    if (!interface() || !file.open(QIODevice::ReadOnly))
        return false;
    // In KiB, so that the range fits an int for any file.
    QProgressDialog dialog(tr("Sending to Mobile Device..."), tr("Abort"), 0,
                           int(file.size() / 1024));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    while (!file.atEnd() && !dialog.wasCanceled()) {
        const QByteArray chunk = file.read(ChunkBytes);
        dialog.setValue(int(file.pos() / 1024));
        QCoreApplication::processEvents();
        const uint written =
            interface()->send(chunk.constData(), int(chunk.size()), IInterface::Immediate, "", 0);
        if (chunk.isEmpty() || written < uint(chunk.size()))
            break;
        interface()->waitForBytesWritten(30000);
    }
    interface()->waitForBytesWritten(1000);
    const bool whole = file.atEnd() && !dialog.wasCanceled();
    file.close();
    dialog.close();
    return whole;
}
