#pragma once

#include "comm/pprotocol.h"
#include "comm/ttransform.h"

#include <QPointer>
#include <QQuickItem>
#include <QRectF>
#include <QString>
#include <QVariant>

class CAttributes;
class CControl;
class HNode;
class XmlWriter;

// The native side of one control document. It is declared inside the document (id wwidget,
// objectName "widget"), never paints, and talks to the document's root item by property name.
class WWidget : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption NOTIFY captionChanged)

public:
    explicit WWidget(QQuickItem *parent = nullptr);
    ~WWidget() override;

    virtual void initWidget();
    // Called before the control record deletes the document.
    virtual void destroy();
    // `range` is the control's attribute record (minimum, maximum, step, units); may be null.
    virtual void configure(const CAttributes *range);
    virtual void refresh();
    virtual void setup();
    // Writes the widget's element; false without an item.
    virtual bool save(XmlWriter &writer);
    // One child element of the widget's element in the panel file; true when it was handled.
    virtual bool processProperty(const QString &name, const QString &value);
    // Multiplies y and height by factor; x and width too when `both`, else divides them.
    virtual void scale(double factor, bool both);
    virtual void moveBy(double dx, double dy);
    virtual void place(const QRectF &controlRect);
    // Like place, but only along the axes whose position or size changed.
    virtual void resize(const QRectF &oldRect, const QRectF &newRect);
    virtual void updateFromDevice();
    virtual void setTitle(const QString &text);
    virtual void setOwner(CControl *owner);
    virtual void setNode(HNode *node);
    virtual void setTransform(TTransform *transform);
    // Shows or hides the document, not this item.
    virtual void setVisible(bool visible);
    virtual QRectF rect() const;
    virtual bool isType(const QString &type) const;
    virtual void showProperties();
    virtual void dump() const;
    virtual void connectModel(bool on);
    virtual void unlinkNode();
    virtual void linkValue(WWidget *source);
    // A command handed over by a command button of the same control; the base ignores it.
    virtual void runCommand(const QString &command);
    // Runs twice after a panel file is read (pass 0, then 1), once every control exists.
    virtual void linkPass(int pass);

    void setQuickItem(QObject *item);
    void setProtocol(PProtocol *protocol);
    void setPeer(WWidget *peer);
    void setType(const QString &type);

    QObject *quickItem() const { return m_pWidget; }
    QString type() const { return m_type; }
    double xfract() const { return m_xfract; }
    double yfract() const { return m_yfract; }
    double widthfract() const { return m_widthfract; }
    double heightfract() const { return m_heightfract; }
    quint32 id() const { return m_id; }
    quint32 link() const { return m_link; }
    bool isUpdating() const { return m_updating; }
    bool isReady() const { return m_ready; }
    WWidget *peer() const { return m_peer; }
    TTransform *transform() const { return m_transform; }
    PProtocol *protocol() const { return m_protocol; }
    HNode *node() const;
    CControl *owner() const { return m_owner; }

    // Item helpers; all do nothing (or answer empty) without an item. Positions, sizes and size
    // factors are held to what a screen can show.
    void setItemProperty(const char *name, const QVariant &value);
    QVariant itemProperty(const char *name) const;
    // Accepts "#AARRGGBB", "#RRGGBB" and colour names.
    void setItemColor(const char *name, const QString &color);
    // "#aarrggbb".
    QString itemColorName(const char *name) const;
    void setText(const QString &text);
    QString text() const;
    // What a screen reader calls the control: its label's plain text, else the control's name.
    QString caption() const;
    // Signatures without the SIGNAL()/SLOT() markers, e.g. ("clicked()", "outputPressed()").
    bool connectItem(const char *signalSignature, const char *slotSignature);

Q_SIGNALS:
    void captionChanged();

public Q_SLOTS:
    void outputValue(int value);
    void outputChecked(bool state);
    void outputCurrentIndex(int index);
    void outputCurrentText(const QString &text);
    void onTextChanged();
    QString getToolTip(bool hover) const;
    virtual void onOnlineStateChanged(bool online);

protected:
    void setUpdating(bool updating) { m_updating = updating; }
    void setReady(bool ready) { m_ready = ready; }
    // Opens the widget's element and writes the children every widget has; false without an
    // item. The caller adds its own children and closes the element.
    bool saveStart(XmlWriter &writer);
    // False when the item, the transform or the protocol is missing, or while not ready.
    bool canSend() const;
    // User to device: stores `value` in the transform, has the protocol write it and tells the
    // peer. `T` is int, float or quint8, the transform's three value types.
    template<typename T>
    bool sendToDevice(T value);
    // Device to view: writes `value` to the item property `name` under the echo guard and tells
    // the peer; nothing at all when it equals `current`, which then takes the value.
    template<typename T>
    bool showDeviceValue(const char *name, const T &value, T &current);
    // "center" and "right" as Qt's horizontal alignment flags; anything else is left.
    static int horizontalAlignment(const QString &name, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    // "left", "center" or "right" for the flags of an item's "horizontalAlignment".
    static QString alignmentName(int alignment);

private:
    bool processRect(const QString &name, const QString &value);
    bool processFraction(const QString &name, const QString &value);
    void setItemGeometry(double x, double y, double width, double height);

    QObject *m_pWidget = nullptr;
    QString m_type;
    double m_xfract = 0.0;
    double m_yfract = 0.0;
    double m_widthfract = 1.0;
    double m_heightfract = 1.0;
    quint32 m_id = 0;
    quint32 m_link = 0;
    bool m_updating = false;
    bool m_ready = true;
    WWidget *m_peer = nullptr;
    TTransform *m_transform = nullptr;
    PProtocol *m_protocol = nullptr;
    QPointer<HNode> m_node; // the tree may be rebuilt under a shown panel
    CControl *m_owner = nullptr;
};

template<typename T>
bool WWidget::sendToDevice(T value)
{
    if (!canSend())
        return false;
    m_transform->setValue(value);
    m_protocol->write(m_transform);
    if (m_peer)
        m_peer->linkValue(this);
    return true;
}

template<typename T>
bool WWidget::showDeviceValue(const char *name, const T &value, T &current)
{
    if (!m_pWidget || value == current)
        return false;
    // The item's change notification reaches the document's handlers, which see m_updating
    // and do not send the value back.
    m_updating = true;
    setItemProperty(name, QVariant::fromValue(value));
    m_updating = false;
    current = value;
    if (m_peer)
        m_peer->linkValue(this);
    return true;
}
