#pragma once

#include <QHash>
#include <QObject>
#include <QString>

// The parameter values of one simulated device, keyed by address text (`"Bar Volume">2`,
// `GG a`, `S`, ...). They outlive every connection.
class SimParameterStore : public QObject
{
    Q_OBJECT

public:
    explicit SimParameterStore(QObject *parent = nullptr);

    // What a parameter reads before anyone sets it; "0" when no default was given.
    void setDefault(const QString &address, const QString &value);
    QString value(const QString &address) const;
    // Every accepted set counts as a change, so that subscribers see each write.
    void setValue(const QString &address, const QString &value);
    bool contains(const QString &address) const;

signals:
    void valueChanged(const QString &address, const QString &value);

private:
    QHash<QString, QString> m_defaults;
    QHash<QString, QString> m_values;
};
