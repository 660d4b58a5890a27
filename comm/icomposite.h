#pragma once

#include "comm/iinterface.h"

#include <QList>

// All interfaces of the open project, opened, closed and counted together. It lists the
// interfaces without owning them: their chassis nodes do.
class IComposite : public IInterface
{
    Q_OBJECT

public:
    explicit IComposite(QObject *parent = nullptr);

    bool open() override;
    bool close() override;
    void start() override;
    void stop() override;
    void notifyState() override;
    void dump() const override;
    void resetSubscriptionMode() override;

    void add(IInterface *interface);
    void remove(IInterface *interface);
    void clear(bool deleteChildren);
    int count() const { return int(m_children.size()); }
    int onlineCount() const;
    // On line and answering: what the connection indicator counts.
    int answeringCount() const;
    IInterface *child(int index) const;

private:
    QList<IInterface *> m_children;
};
