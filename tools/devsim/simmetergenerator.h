#pragma once

#include <QHash>
#include <QRandomGenerator>
#include <QString>
#include <QVector>

// Level readings in dB that move like programme material: a smooth random walk around a
// programme level with occasional peaks. The same seed gives the same readings.
class SimMeterGenerator
{
public:
    explicit SimMeterGenerator(quint32 seed);

    // The next readings of one meter, as the bracketed list a level reply carries.
    QString nextReadings(int meter, int width);

    static constexpr double Floor = -60.0;
    static constexpr double Ceiling = 0.0;

private:
    double step(double level);

    QRandomGenerator m_random;
    QHash<int, QVector<double>> m_levels;
};
