#pragma once

#include "hardware/hcomposite.h"

#include <memory>

class IInterface;

// One device of the project: processor, amplifier or I/O expander. It carries the connection
// name that controls use to reach it and the network settings of its connection.
class HChassis : public HComposite
{
    Q_OBJECT

public:
    HChassis();
    ~HChassis() override;

    QString ipAddress() const { return m_ipAddress; }
    QString ipPort() const { return m_ipPort; }
    QString monitorPort() const { return m_monitorPort; }
    // TCP port of the control connection.
    QString serialPort() const { return m_serialPort; }

    // "title", "ipaddress", "ipport", "monitorport", "serialport" or "platform" of the panel
    // file's Connection element (case-sensitive); other names are ignored.
    void setConnectionAttribute(const QString &name, const QString &value) override;
    // The connection is made once the platform is known, and only once.
    void connectionAttributeEnded(const QString &name) override;
    // The chassis owns its protocol: it does not take its parent's.
    bool completeSetup() override;
    QString platform() const override;
    QString category() const override;

    // Opens (on) or closes the device connection; without a connection it does nothing.
    void setEnabled(bool on);
    // The device connection; null until the Connection element named a platform.
    IInterface *interface() const { return m_interface.get(); }

private:
    QString m_ipAddress;
    QString m_ipPort;      // carried and written back; the connection does not use it
    QString m_monitorPort; // carried and written back
    QString m_serialPort = QStringLiteral("10055");
    QString m_platform = QStringLiteral("NVA");
    std::unique_ptr<IInterface> m_interface;
};
