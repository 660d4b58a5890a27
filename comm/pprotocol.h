#pragma once

#include <QByteArray>
#include <QObject>

class TTransform;

// One per chassis: turns transforms into device commands and routes replies back to them. The
// base speaks no device language and sends nothing.
class PProtocol : public QObject
{
    Q_OBJECT

public:
    explicit PProtocol(QObject *parent = nullptr);
    ~PProtocol() override;

    // Queue a set command carrying the transform's value; false when nothing was sent.
    virtual bool write(TTransform *transform);
    // Queue a read (query or subscription) of the transform's parameter; false when nothing was
    // sent.
    virtual bool read(TTransform *transform);
    // One reply line from the device; false when it was not taken.
    virtual bool handleReply(const QByteArray &line);
    // The model, told when a write goes out.
    virtual void setOwner(QObject *owner);
    QObject *owner() const { return m_owner; }

public slots:
    virtual bool onOnlineStateChanged(bool online);

signals:
    void onlineStateChanged(bool online);

private:
    QObject *m_owner = nullptr;
};
