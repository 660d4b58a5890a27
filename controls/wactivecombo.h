#pragma once

#include "controls/wwidget.h"

#include <QStringList>

// The scrolling text that names the rooms combined with this one.
class WActiveCombo : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(QStringList roomNames READ roomNames NOTIFY otherRoomNamesChanged)
    Q_PROPERTY(int count READ count NOTIFY otherRoomNamesChanged)
    Q_PROPERTY(QString separator READ separator NOTIFY separatorChanged)
    Q_PROPERTY(int sideMargins READ sideMargins NOTIFY sideMarginsChanged)

public:
    explicit WActiveCombo(QQuickItem *parent = nullptr);
    ~WActiveCombo() override;

    bool processProperty(const QString &name, const QString &value) override;
    bool save(XmlWriter &writer) override;
    void setNode(HNode *node) override;
    void destroy() override;

    QStringList roomNames() const { return m_roomNames; }
    int count() const { return m_count; }
    QString separator() const { return m_separator; }
    int sideMargins() const { return m_sideMargins; }

public Q_SLOTS:
    void onQueryResponseReady();
    // Sample names, for checking the layout without a device.
    void changeDummyList();

Q_SIGNALS:
    void otherRoomNamesChanged();
    void separatorChanged();
    void sideMarginsChanged();

private:
    void setRoomNames(const QStringList &names);

    QStringList m_roomNames;
    QString m_joinedNames;
    int m_count = 0;
    QString m_separator = QStringLiteral(", ");
    int m_sideMargins = 0;
    // Kept as read, so that saving gives back what the file held.
    QString m_scale = QStringLiteral("1.0");
    QString m_autosize = QStringLiteral("false");
};
