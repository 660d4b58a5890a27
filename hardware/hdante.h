#pragma once

#include "hardware/haudioio.h"

#include <QList>

// One Dante channel of a chassis. Its template is fixed; the module dictionaries never name it.
class HDante : public HAudioIO
{
    Q_OBJECT

public:
    HDante(const QString &cardType, int direction);

    QStringList channelLabels() const { return m_channelLabels; }
    QList<int> cardPins() const { return m_cardPins; }
    // Position of the first channel label equal to name (case-sensitive); -1 when none is.
    Q_INVOKABLE int channelIndex(const QString &name) const;

    // "label" sets the label; another name beginning with "label" ("label1") adds a channel
    // label; a name beginning with "cardPin" adds a card pin (0 when not a number); anything
    // else is taken as by every node.
    void parseProperty(const QXmlAttributes &attributes) override;
    // ":/data/<platform>/Dante_0.xml".
    QString templatePath() const override;

private:
    QStringList m_channelLabels;
    QList<int> m_cardPins;
};
