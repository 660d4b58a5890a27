#pragma once

#include "controls/wwidget.h"

#include <QStringList>

// The scrolling text that names the rooms combined with this one.
class WActiveCombo : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(QStringList roomNames READ roomNames NOTIFY otherRoomNamesChanged)
    Q_PROPERTY(QString separator READ separator NOTIFY separatorChanged)
    Q_PROPERTY(int sideMargins READ sideMargins NOTIFY sideMarginsChanged)

public:
    explicit WActiveCombo(QQuickItem *parent = nullptr);
    ~WActiveCombo() override;

    QStringList roomNames() const { return m_roomNames; }
    QString separator() const { return m_separator; }
    int sideMargins() const { return m_sideMargins; }

Q_SIGNALS:
    void otherRoomNamesChanged();
    void separatorChanged();
    void sideMarginsChanged();

private:
    QStringList m_roomNames;
    int m_count = 0;
    QString m_separator;
    int m_sideMargins = 0;
};
