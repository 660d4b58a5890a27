#pragma once

#include "comm/ttransform.h"

// Integers: parameter-set numbers and index lists. Text is decimal, or hexadecimal after "0x",
// and must fit 16 signed bits (else 0).
class TBin8 : public TTransform
{
    Q_OBJECT

public:
    using TTransform::setValue;
    using TTransform::TTransform;

    void setValue(int value) override;
    void setValue(quint8 value) override;
    void setValueText(const QString &text) override;
    void setReplyText(const QString &text) override;
    // "N" for 0 when the node says 0 means none.
    QString valueText() const override;
    QString replyText() const override;
    int valueSize() const override;
    QString className() const override;

protected:
    int valueAsInt() const override;
    quint8 valueAsByte() const override;
    int replyAsInt() const override;
    quint8 replyAsByte() const override;

private:
    qint32 m_value = 0;
    qint32 m_reply = 0;
};
