#pragma once

#include <QObject>
#include <QRectF>
#include <QString>

class CControl;

// The native side of one control document. It keeps the geometry that the panel file gives it;
// the records scale, move and activate it.
class WWidget : public QObject
{
    Q_OBJECT

public:
    explicit WWidget(QObject *parent = nullptr);
    ~WWidget() override;

    // One child element of the widget's element in the panel file; true when it was handled.
    virtual bool processProperty(const QString &name, const QString &value);
    // Multiplies y and height by factor; x and width too when `both`, else divides them.
    virtual void scale(double factor, bool both);
    virtual void moveBy(double dx, double dy);
    virtual QRectF rect() const;
    virtual void setActive(bool on);

    void setType(const QString &type);
    QString type() const { return m_type; }
    void setOwner(CControl *owner);
    CControl *owner() const { return m_owner; }

    double xfract() const { return m_xfract; }
    double yfract() const { return m_yfract; }
    double widthfract() const { return m_widthfract; }
    double heightfract() const { return m_heightfract; }
    quint32 id() const { return m_id; }
    quint32 link() const { return m_link; }
    int z() const { return m_z; }
    bool isActive() const { return m_active; }

private:
    bool processRect(const QString &name, const QString &value);
    bool processFraction(const QString &name, const QString &value);

    QString m_type;
    double m_xfract = 0.0;
    double m_yfract = 0.0;
    double m_widthfract = 1.0;
    double m_heightfract = 1.0;
    quint32 m_id = 0;
    quint32 m_link = 0;
    CControl *m_owner = nullptr;
    QRectF m_rect;
    int m_z = 0;
    bool m_active = false;
};
