#pragma once

#include "hardware/haudioio.h"

// The processor-link transmitter of a chassis.
class HNVALink : public HAudioIO
{
    Q_OBJECT

public:
    HNVALink();

    QStringList channelNames() const { return m_channelNames; }
    void setChannelNames(const QStringList &names) { m_channelNames = names; }
    // label + "-" + the channel's name; empty outside 0 <= index < the number of names.
    QString channelLabel(int index) const;
    // Position of the first name equal to name (case-sensitive); -1 when none is.
    Q_INVOKABLE int channelIndex(const QString &name) const;

    // ":/data/<platform>/NVALink_0.xml".
    QString templatePath() const override;
    // Under a chassis whose models call the link card "CordaLink", the node is labelled so.
    void setParentNode(HNode *parent) override;

private:
    QStringList m_channelNames;
};
