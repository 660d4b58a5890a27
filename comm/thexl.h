#pragma once

#include "comm/ttransform.h"

#include <QByteArray>

// A list of single-character codes, given in `set` as hexadecimal byte values (at most 16).
// Device replies are not taken.
class THexL : public TTransform
{
    Q_OBJECT

public:
    using TTransform::setValue;
    using TTransform::TTransform;

    void initialise() override;
    void setValue(quint8 index) override;
    // The character whose code is at the position; "?" outside the list.
    QString valueText() const override;
    QString replyText() const override;
    void setReplyValue(const QString &text) override;
    int valueSize() const override;
    QString className() const override;

protected:
    // The code at the position; 255 outside the list.
    quint8 valueAsByte() const override;
    quint8 replyAsByte() const override;

private:
    QString codeText(int index) const;
    quint8 codeAt(int index) const;

    QByteArray m_codes;
    quint8 m_valueIndex = 0;
    quint8 m_replyIndex = 0;
};
