#pragma once

#include <QHostAddress>
#include <QString>

// What a simulated device is: its connection name, where it listens and its platform.
struct SimDeviceConfig
{
    QString name;
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 10055;
    QString platform = QStringLiteral("NVA");
};
