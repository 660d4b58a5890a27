#pragma once

#include "hardware/hcomposite.h"
#include "hardware/hrcgroupinfo.h"

#include <memory>

class IInterface;
class PProtocol;

// One device of the project: processor, amplifier or I/O expander. It carries the connection
// name that controls use to reach it and the network settings of its connection, decides the
// device's platform, and owns the protocol and the connection through which every node below it
// is read and written.
class HChassis : public HComposite
{
    Q_OBJECT

public:
    // Makes the protocol for the default platform; every node added below receives it.
    HChassis();
    ~HChassis() override;

    QString ipAddress() const { return m_ipAddress; }
    QString ipPort() const { return m_ipPort; }
    QString monitorPort() const { return m_monitorPort; }
    // TCP port of the control connection, as the project gives it.
    QString serialPort() const { return m_serialPort; }
    // The port the connection is given: serialPort() as a number, 0 when it is not one or does
    // not fit 16 bits.
    quint16 connectionPort() const;
    // Set for processor models whose link card is called "CordaLink".
    bool usesCordaLinkName() const { return m_usesCordaLinkName; }

    // Designer properties: "ipAddress", "ipPort", "monitorPort", "serialPortNumber",
    // "deviceType" (decides the platform by its prefix) and "isMainNVA" ("True" marks the main
    // processor), after the ones every node takes.
    void parseProperty(const QXmlAttributes &attributes) override;
    // "title", "ipaddress", "ipport", "monitorport", "serialport" or "platform" of the panel
    // file's Connection element (case-sensitive); other names are ignored. A new address or
    // port also goes to an existing connection.
    void setConnectionAttribute(const QString &name, const QString &value) override;
    // The connection is made once the platform is known, and only once.
    void connectionAttributeEnded(const QString &name) override;
    // Checks the device model (the title without a trailing " (...)") against the platform's
    // "Chassis.dict" and warns when it is missing; the chassis is kept either way. The chassis
    // owns its protocol: it does not take its parent's.
    bool completeSetup() override;
    // Writes the Connection element, only when a control uses the chassis and no earlier
    // chassis of the same tree wrote the same connection name.
    bool writeXml(QXmlStreamWriter &writer) override;
    // The connected flag of the connection; false without one.
    bool isOnline() const override;
    // The platform "NVA", "LZ", "TQ", or empty for a device type of no known family.
    QString platform() const override;
    // The first chassis of otherTree with the same node number whose title is this one's, or
    // this one's followed by " (Main)".
    HNode *findCounterpart(const HNode *otherTree) const override;
    QString category() const override;
    // A room-combining block attached or merged here registers its room.
    void nodeAttached(HNode *node) override;

    // Rooms, groups and combos of the room-combining blocks of this chassis.
    HRCGroupInfo *roomCombining() { return &m_roomCombining; }

    // Makes the connection if there is none; then, only when a node below is referenced,
    // reports the new state through onlineStateChanged and opens (on) or closes the connection.
    void setEnabled(bool on);
    // The device connection; null until a platform is stored or the chassis is first enabled.
    IInterface *interface() const { return m_interface.get(); }

    // The device's block of the network-status text: model and connection state, address and
    // port.
    QString networkStatus() const;

signals:
    void onlineStateChanged(bool online);

private:
    void applyDeviceType(const QString &deviceType);
    void setPlatform(const QString &platform);
    void createConnection();
    bool isFirstWithLinkName() const;

    // Declared before the connection, which points at it, so that it outlives it.
    std::unique_ptr<PProtocol> m_ownedProtocol;
    std::unique_ptr<IInterface> m_interface;
    QString m_ipAddress;
    QString m_ipPort;      // carried and written back; the connection does not use it
    QString m_monitorPort; // carried and written back
    QString m_serialPort = QStringLiteral("10055");
    QString m_platform = QStringLiteral("NVA");
    bool m_usesCordaLinkName = false;
    HRCGroupInfo m_roomCombining;
};
