#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class IInterface;
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
    virtual bool sendFile(const QString &path);
    virtual bool receiveFile(const QString &path);
    // One reply line from the device; false when it was not taken.
    virtual bool handleReply(const QByteArray &line);
    // The dispatcher gave up waiting for a reply that should begin with expectedReply.
    virtual void onNoReply(const QString &expectedReply);
    virtual QString name() const;
    virtual void setInterface(IInterface *interface);
    // The model, told when a write goes out.
    virtual void setOwner(QObject *owner);
    virtual void resubscribe();
    virtual bool isSubscribed() const;
    virtual void requestMeterStatus(TTransform *transform);

    bool isOnline() const;
    IInterface *interface() const { return m_interface; }
    QObject *owner() const { return m_owner; }

public Q_SLOTS:
    virtual bool onOnlineStateChanged(bool online);

Q_SIGNALS:
    void onlineStateChanged(bool online);

private:
    IInterface *m_interface = nullptr;
    QObject *m_owner = nullptr;
};
