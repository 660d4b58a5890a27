#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>

// What a simulated device is: its connection name, where it listens, its platform and its
// telephone lines.
struct SimDeviceConfig
{
    QString name;
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 10055;
    QString platform = QStringLiteral("NVA");
    // The telephone blocks, first one first; those also in voipTelephones give SIP caller info.
    QStringList telephones;
    QStringList voipTelephones;
};
