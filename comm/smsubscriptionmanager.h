#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>

class IInterface;
class RoutingInfo;
class TTransform;

// The table of outstanding requests of one device: for every request key the transforms that
// wait for its replies. It decides whether a read is polled, subscribed once or not sent because
// another registration covers it, and finds the registrations a reply line belongs to.
// Registrations of a destroyed transform leave the table at once.
class SMSubscriptionManager : public QObject
{
    Q_OBJECT

public:
    static constexpr int probeStructure = 999;

    explicit SMSubscriptionManager(QObject *parent = nullptr);
    ~SMSubscriptionManager() override;

    // Registers the probe and sends it when the device is on line already, and again on every
    // connection while the device's subscription mode is unknown.
    void attach(IInterface *interface);
    // "POLL", "SUB" or empty (send nothing); registers the request under its key (the request
    // without a final CR, with "," appended for structure 9).
    QString decide(const QString &request, int structure, TTransform *transform,
                   const QString &text);
    // The registrations under the reply line's key, in table order.
    QList<RoutingInfo *> match(const QByteArray &line) const;
    void setEnabled(bool on) { m_enabled = on; }
    bool isEnabled() const { return m_enabled; }
    // Forgets every registration; with withdraw, subscriptions registered with a "SUB" text are
    // withdrawn at the device first.
    void clear(bool withdraw);
    // "SUB" to a device whose subscription mode is not known yet.
    void sendProbe();

    int count() const { return int(m_table.size()); }
    int count(const QString &key) const { return int(m_table.count(key)); }

    // The key a reply line is routed by; empty when it has none.
    static QString replyKey(const QByteArray &line);

public Q_SLOTS:
    void onConnectionActive();
    void onSelectedZoneChanged();

private:
    using Table = std::multimap<QString, std::unique_ptr<RoutingInfo>>;

    RoutingInfo *add(const QString &key, int structure, TTransform *transform, const QString &text);
    void dropOrphans();
    void withdraw(const RoutingInfo &info);
    static QString subscriptionText(const QString &request, const QString &key);

    Table m_table;
    QPointer<IInterface> m_client;
    bool m_enabled = false;
};
