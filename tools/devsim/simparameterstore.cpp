#include "simparameterstore.h"

SimParameterStore::SimParameterStore(QObject *parent)
    : QObject(parent)
{}

void SimParameterStore::setDefault(const QString &address, const QString &value)
{
    if (!m_defaults.contains(address))
        m_defaults.insert(address, value);
}

QString SimParameterStore::value(const QString &address) const
{
    const auto stored = m_values.constFind(address);
    if (stored != m_values.constEnd())
        return *stored;
    return m_defaults.value(address, QStringLiteral("0"));
}

void SimParameterStore::setValue(const QString &address, const QString &value)
{
    m_values.insert(address, value);
    emit valueChanged(address, value);
}

bool SimParameterStore::contains(const QString &address) const
{
    return m_values.contains(address) || m_defaults.contains(address);
}
