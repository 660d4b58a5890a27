#pragma once

#include "hardware/hnode.h"

// One audio I/O channel of a chassis card. Its category is its I/O category, which the
// platform's module dictionary settles when the channel's template is looked up.
class HAudioIO : public HNode
{
    Q_OBJECT

public:
    enum Direction { Input = 1, Output = 2, Link = 3 };

    // A card type that begins with "VOIP" is kept as "VOIP".
    HAudioIO(const QString &cardType, int direction);

    QString cardType() const { return m_cardType; }
    QString ioCategory() const { return m_ioCategory; }
    void setIoCategory(const QString &category) { m_ioCategory = category; }
    int direction() const { return m_direction; }

    // The module template named by the card's row of "InputModules.dict" (inputs) or
    // "OutputModules.dict" (outputs) of the platform; the row's category text also sets the I/O
    // category. Empty for another direction, an unreadable dictionary or an unknown card.
    QString templatePath() const override;
    // Asked for "Analog I/O" every channel of an analog, digital, amplifier, PSTN, VoIP or USB
    // card answers; for "Digital I/O" only digital ones; for a category beginning with "Dante"
    // only Dante channels; for anything else none.
    bool collectMatching(const QString &category, QList<HNode *> &list) override;
    QString category() const override;
    // Attached to a chassis, the channel settles its I/O category at once, so that links by
    // category find it before anyone asks for its template.
    void setParentNode(HNode *parent) override;
    // Looks the card up in the platform's dictionary again; the chassis calls it when it
    // learns its platform.
    void settleCategory() const;

    // The I/O card slot through which the device addresses the channel, from the parent's
    // device model, the kind and channel number in the title ("Input 5") and, on amplifiers,
    // the port index. The channel number itself when no rule applies; -1 without a parent.
    int ioSlot() const;
    // The number a meter-status query names: the channel's I/O card slot.
    Q_INVOKABLE int meterNumber() const;

private:
    bool answersTo(const QString &category) const;
    int channelNumber() const;

    QString m_cardType;
    // Settled by the dictionary lookup, which is a read-only question to the node.
    mutable QString m_ioCategory;
    int m_direction;
};
