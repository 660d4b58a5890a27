#pragma once

#include "controls/wpolygon.h"

// One room of a floor plan; tapping it adds it to or removes it from a combination.
class WRoomSelection : public WPolygon
{
    Q_OBJECT
    Q_PROPERTY(double selectedOpacity READ selectedOpacity NOTIFY selectedOpacityChanged)
    Q_PROPERTY(double unselectedOpacity READ unselectedOpacity NOTIFY unselectedOpacityChanged)
    Q_PROPERTY(bool isSelected READ isSelected NOTIFY isSelectedChanged)

public:
    explicit WRoomSelection(QQuickItem *parent = nullptr);
    ~WRoomSelection() override;

    bool processProperty(const QString &name, const QString &value) override;
    bool save(XmlWriter &writer) override;
    void setNode(HNode *node) override;
    void destroy() override;

    double selectedOpacity() const { return m_selectedOpacity; }
    double unselectedOpacity() const { return m_unselectedOpacity; }
    bool isSelected() const { return m_isSelected; }

public Q_SLOTS:
    void onQueryResponseReady();
    void onUpdateRoomColor(const QString &color, int roomID);
    void onSendMessage(const QString &message);
    void onShowErrorDialog(const QString &message);

Q_SIGNALS:
    void selectedOpacityChanged();
    void unselectedOpacityChanged();
    void isSelectedChanged();

protected:
    void pressedInside() override;

private:
    // False while the interface's connection indicator is red.
    bool isConnected() const;

    double m_selectedOpacity = 1.0;
    double m_unselectedOpacity = 1.0;
    bool m_isSelected = false;
    QString m_path;
    QString m_storedFieldColor;
};
