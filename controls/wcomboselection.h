#pragma once

#include "controls/wwidget.h"

#include <QStringList>

// A row of colour swatches, one per room combination.
class WComboSelection : public WWidget
{
    Q_OBJECT
    Q_PROPERTY(QStringList comboColors READ comboColors NOTIFY comboColorsChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(int count READ count NOTIFY comboColorsChanged)
    Q_PROPERTY(int sideMargins READ sideMargins NOTIFY sideMarginsChanged)

public:
    explicit WComboSelection(QQuickItem *parent = nullptr);
    ~WComboSelection() override;

    bool processProperty(const QString &name, const QString &value) override;
    bool save(XmlWriter &writer) override;
    void setNode(HNode *node) override;
    void destroy() override;

    QStringList comboColors() const { return m_comboColors; }
    int selectedIndex() const { return m_selectedIndex; }
    int count() const { return int(m_comboColors.size()); }
    int sideMargins() const { return m_sideMargins; }

public Q_SLOTS:
    void onUpdateComboColorList();
    QString getComboColor(int index) const;
    void selectorClicked(int index);

Q_SIGNALS:
    void comboColorsChanged();
    void selectedIndexChanged();
    void sideMarginsChanged();

private:
    QStringList m_comboColors;
    int m_selectedIndex = 0;
    int m_sideMargins = 0;
};
