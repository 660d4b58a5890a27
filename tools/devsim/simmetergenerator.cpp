#include "simmetergenerator.h"

#include <QStringList>

#include <algorithm>

namespace {

constexpr double ProgrammeLevel = -18.0;
constexpr double Pull = 0.08;       // share of the distance to the programme level per step
constexpr double Wander = 1.5;      // dB of random movement per step
constexpr double PeakChance = 0.06; // chance of a transient per step
constexpr double PeakRise = 10.0;   // dB a transient adds at least

} // namespace

SimMeterGenerator::SimMeterGenerator(quint32 seed)
    : m_random(seed)
{}

QString SimMeterGenerator::nextReadings(int meter, int width)
{
    QVector<double> &levels = m_levels[meter];
    if (levels.size() != width)
        levels = QVector<double>(width, ProgrammeLevel);
    QStringList texts;
    for (double &level : levels) {
        level = step(level);
        texts.append(QString::number(level, 'f', 1));
    }
    return QLatin1Char('[') + texts.join(QLatin1Char(',')) + QLatin1Char(']');
}

double SimMeterGenerator::step(double level)
{
    // Two uniform draws give a softer, centred step than one.
    const double jitter = (m_random.generateDouble() + m_random.generateDouble() - 1.0) * Wander;
    double next = level + (ProgrammeLevel - level) * Pull + jitter;
    if (m_random.generateDouble() < PeakChance)
        next += PeakRise + m_random.generateDouble() * 5.0;
    return std::clamp(next, Floor, Ceiling);
}
