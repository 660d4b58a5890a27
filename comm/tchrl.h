#pragma once

#include "comm/ttransform.h"

#include <QStringList>

// A list of device codes from `set` (e.g. "F,O,T" for off, on, toggle); the control works with
// positions in the list.
class TChrL : public TTransform
{
    Q_OBJECT

public:
    using TTransform::setValue;
    using TTransform::TTransform;

    void initialise() override;
    void setValue(quint8 index) override;
    // Unknown codes select position 0.
    void setValueText(const QString &text) override;
    void setReplyText(const QString &text) override;
    // "?" for a position outside the list.
    QString valueText() const override;
    QString replyText() const override;
    int valueSize() const override;
    QString className() const override;

protected:
    quint8 valueAsByte() const override;
    quint8 replyAsByte() const override;
    void setItems(const QStringList &items) { m_items = items; }

private:
    QStringList m_items;
    quint8 m_valueIndex = 0;
    quint8 m_replyIndex = 0;
};
