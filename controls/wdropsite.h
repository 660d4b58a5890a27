#pragma once

#include "controls/wwidget.h"

#include <QList>
#include <QPointer>

// An area of a template panel on which a hardware node is dropped: the node's module template
// becomes controls of the panel, fitted into the area. Its document asks the interface object's
// dropSite whether a drag may land here.
class WDropSite : public WWidget
{
    Q_OBJECT
    // True while the area holds controls; the document shows its clear button then.
    Q_PROPERTY(bool occupied READ isOccupied NOTIFY occupiedChanged)

public:
    explicit WDropSite(QQuickItem *parent = nullptr);
    ~WDropSite() override;

    // The panel is going away with the controls; they are only forgotten.
    void destroy() override;
    // "text": the label of the node the area takes (empty takes any); "child": the id of the
    // control that the panel file placed on it.
    bool processProperty(const QString &name, const QString &value) override;
    // Pass 1 finds the control that "child" names among the panel's controls.
    void linkPass(int pass) override;
    void dump() const override;

    QString acceptedText() const { return m_acceptedText; }
    // The panel's controls that stand on the area; they stay children of the panel.
    void setDroppedControls(const QList<CControl *> &controls);
    QList<CControl *> droppedControls() const;
    bool isOccupied() const { return !droppedControls().isEmpty(); }
    // Deletes the dropped controls from their panel without telling the model.
    void removeDropped();

Q_SIGNALS:
    void occupiedChanged();

public Q_SLOTS:
    // The document's drop: the node that the drag's text and data name is built into the area,
    // replacing what stood there. False when the node was refused; the user is told why.
    bool outputDrop(const QString &text, const QString &data);
    void deleteChild();
    void properties();
    // The first dropped control's tooltip; empty while the area is free.
    QString getToolTip() const;
    // Removes the dropped controls from the panel.
    void clear();
    // The first dropped control's type; empty while the area is free.
    QString getControlType() const;

private:
    QString m_acceptedText;
    quint64 m_childId = 0;
    QList<QPointer<CControl>> m_dropped;
};
