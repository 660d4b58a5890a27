#pragma once

#include "comm/pprotocol.h"
#include "comm/smsubscriptionmanager.h"

#include <QPointer>
#include <QStringList>

#include <optional>

class RoutingInfo;

// The device control protocol of the processors, I/O expanders and amplifiers: ASCII commands
// ended by CR, replies routed through the subscription table. A device that accepts
// subscriptions pushes changes itself; otherwise every read is a polled query.
class PVXBProtocol : public PProtocol
{
    Q_OBJECT

public:
    // The reply value of an acknowledgement that carries no value; a protocol value, never
    // translated.
    static inline const QString SyncError = QStringLiteral("SYNC_ERROR");

    explicit PVXBProtocol(QObject *parent = nullptr);
    ~PVXBProtocol() override;

    // Pauses the owner's polling first, so the next poll comes a full interval after the change.
    bool write(TTransform *transform) override;
    bool read(TTransform *transform) override;
    bool handleReply(const QByteArray &line) override;
    // A probe left unanswered while on line switches the device to polling.
    void onNoReply(const QString &expectedReply) override;
    QString name() const override;
    void setInterface(IInterface *interface) override;
    void setOwner(QObject *owner) override;
    void resubscribe() override;
    bool isSubscribed() const override;
    void requestMeterStatus(TTransform *transform) override;

    TTransform *currentTransform() const;
    SMSubscriptionManager &subscriptions() { return m_subscriptions; }

    // The message catalogue, texts without the final CR. Empty for a structure without that
    // message.
    static QString query(const TTransform &transform);
    // What a polled query's reply must begin with.
    static QString replyKey(const TTransform &transform);
    // Structure 9 sends one command per ";"-separated piece of the value text.
    static QStringList setCommands(const TTransform &transform);
    // What a set command writes, without its value: a newer command for the same target
    // replaces a waiting older one. Empty for free text, whose pieces never replace each other.
    static QString setTarget(const TTransform &transform);

public Q_SLOTS:
    bool onOnlineStateChanged(bool online) override;

private:
    bool canSend(const TTransform *transform) const;
    bool issueQuery(TTransform &transform);
    void sendMessage(const QString &text, int type, const QString &expectedReply,
                     const QString &target = QString());
    void pauseOwnerPolling();
    void setSubscribed(bool on);
    bool deliver(const RoutingInfo &info, const QByteArray &line);
    bool takeProbeReply(const QByteArray &line);
    static bool takeAddressReply(TTransform &transform, int structure, const QByteArray &line);
    static bool takeStateReply(TTransform &transform, const QByteArray &line);
    static bool takeGroupReply(TTransform &transform, const QByteArray &line);
    static bool takeFreeTextReply(TTransform &transform, const QByteArray &line);
    static bool takeMeterReply(TTransform &transform, const QByteArray &line);
    // The reading a meter shows; the whole line when no rule picks one, nothing when the
    // picked index lies outside the readings.
    static std::optional<QString> meterReading(const TTransform &transform,
                                               const QStringList &readings, const QString &line);

    QPointer<TTransform> m_currentTransform;
    SMSubscriptionManager m_subscriptions;
    bool m_subscribed = false;
};
