#pragma once

#include <QObject>

// Widths and offsets the meter documents read, published as "MeterGaugeLocalValue".
class MeterGaugeLocalization : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float barWidth MEMBER m_barWidth CONSTANT)
    Q_PROPERTY(float barHeightDif MEMBER m_barHeightDif CONSTANT)
    Q_PROPERTY(float alignerWidth MEMBER m_alignerWidth CONSTANT)
    Q_PROPERTY(float digitOffset MEMBER m_digitOffset CONSTANT)

public:
    using QObject::QObject;

private:
    float m_barWidth = 15.0f;
    float m_barHeightDif = 10.0f;
    float m_alignerWidth = 66.0f;
    float m_digitOffset = -8.0f;
};
