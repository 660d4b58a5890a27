#pragma once

#include "comm/iinterface.h"

#include <QByteArray>
#include <QList>

// A device connection that records what is sent instead of writing it.
class FakeInterface : public IInterface
{
public:
    struct Sent
    {
        QByteArray data;
        int type;
        QByteArray expectedReply;
        uint timeoutMs;
    };

    explicit FakeInterface(bool online = true) { setOnline(online); }

    uint send(const char *data, int length, int type, const char *expectedReply,
              uint timeoutMs) override
    {
        sent.append({QByteArray(data, length), type, QByteArray(expectedReply), timeoutMs});
        return 0;
    }
    int state() const override { return isOnline() ? Online : Idle; }
    bool isSubscriptionModeSet() const override { return m_modeSet; }
    bool subscriptionMode() const override { return m_modeSet && m_mode; }
    void setSubscriptionMode(bool on) override
    {
        m_mode = on;
        m_modeSet = true;
    }
    void armHostCheck() override { ++hostChecks; }
    void goOnline(bool online) { setOnline(online); }

    QList<QByteArray> sentData() const
    {
        QList<QByteArray> data;
        for (const Sent &message : sent)
            data.append(message.data);
        return data;
    }

    QList<Sent> sent;
    int hostChecks = 0;

private:
    bool m_mode = false;
    bool m_modeSet = false;
};
