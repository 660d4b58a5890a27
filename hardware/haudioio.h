#pragma once

#include "hardware/hnode.h"

// One audio I/O channel of a chassis card. Its category is its I/O category.
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

    QString category() const override;

private:
    QString m_cardType;
    QString m_ioCategory;
    int m_direction;
};
