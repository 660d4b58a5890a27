#pragma once

#include "canvas/cattributes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>

#include <memory>

class CComposite;
class HNode;
class MModel;
class TTransform;
class WWidget;

// One control of a panel: what the panel file says about it, the widgets that draw it, the value
// transform of its parameter and the hardware node it is bound to.
class CControl : public QObject
{
    Q_OBJECT

public:
    CControl(const QString &kind, const QString &name, const QString &childKind,
             QObject *parent = nullptr);
    ~CControl() override;

    // Record operations; composites forward most of them to their children.
    virtual void finish();
    // True unless the chain that polls a panel's controls must stop at this record.
    virtual bool poll();
    virtual QRectF boundingRect() const;
    virtual void setActive(bool on);
    virtual void rescale(double factor, double dimension, bool multiply);
    virtual void centre(const QString &kind, double width);
    virtual void linkPass(int pass);
    virtual bool hasChildOfKind(const QString &kind) const;
    virtual CControl *findCurrent(const QString &kind) const;
    virtual bool selectByName(const QString &kind, const QString &name);
    virtual bool jumpTo(const QString &link);
    virtual int countBound() const;
    virtual void setNode(HNode *node);
    virtual void setModel(MModel *model);
    virtual void moveBy(double dx);
    // Lays the widgets out again in rect, each at its fractions of it.
    void place(const QRectF &rect);

    // Widget data from the panel file: one leaf of a widget part, and the end of that part.
    void processWidget(const QString &part, const QString &name, const QString &value);
    void widgetEnded(const QString &part);

    HNode *node() const { return m_node; }
    MModel *model() const { return m_model; }
    QString name() const { return m_name; }
    void setName(const QString &name);
    QString childKind() const { return m_childKind; }
    QString kind() const { return m_kind; }
    quint64 id() const { return m_id; }
    void setId(quint64 id);
    // The first widget part read; it decides what the control is ("bounds", "dropsite", ...).
    QString widgetKind() const { return m_widgetKind; }
    WWidget *widget() const { return m_widget; }
    CAttributes &attributes() { return m_attributes; }
    const CAttributes &attributes() const { return m_attributes; }
    TTransform *transform() const { return m_transform.get(); }
    QList<WWidget *> widgets() const { return m_widgets; }
    // The rectangle the widgets' fractions refer to: the one that puts the first widget where
    // the panel file has it.
    QRectF controlRect() const;
    // Block and control name, shown when the pointer rests on the control.
    QString toolTip() const;
    // Set by a fader turned a quarter (lying flat).
    bool isRotated() const { return m_rotated; }
    void setRotated(bool rotated) { m_rotated = rotated; }

    CComposite *parentComposite() const { return m_parentComposite; }
    void setParentComposite(CComposite *parent);

protected:
    // Consumes the first segment of `link` when it names this record; false when it does not.
    bool matchLinkSegment(QString &link) const;
    // Horizontal shift that puts `rect` in the middle of `width`.
    static double centringOffset(const QRectF &rect, double width);

private:
    WWidget *createWidget(const QString &part);
    // Links each widget to the node, transform, protocol and peer, then configures and places it.
    void setUpWidgets();
    void destroyWidgets();

    HNode *m_node = nullptr;
    MModel *m_model = nullptr;
    QString m_name;
    QString m_childKind;
    QString m_kind;
    quint64 m_id;
    WWidget *m_widget = nullptr; // the first of m_widgets
    CAttributes m_attributes;
    std::unique_ptr<TTransform> m_transform; // after m_attributes: it refers to them
    QList<WWidget *> m_widgets;              // each a child of its document
    bool m_rotated = false;
    QList<QPointer<QObject>> m_documents; // owned; the documents of m_widgets, in order

    QString m_widgetKind;
    QString m_openPart;
    WWidget *m_openWidget = nullptr;
    CComposite *m_parentComposite = nullptr;
};
