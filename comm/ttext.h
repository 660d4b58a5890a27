#pragma once

#include "comm/ttransform.h"

// Text carried unchanged both ways.
class TText : public TTransform
{
    Q_OBJECT

public:
    using TTransform::TTransform;

    void setValueText(const QString &text) override;
    void setReplyText(const QString &text) override;
    QString valueText() const override;
    QString replyText() const override;
    int valueSize() const override;
    QString className() const override;

private:
    QString m_valueText;
    QString m_replyText;
};
