#pragma once

#include "comm/ttransform.h"

// Free text whose query, reply and polling belong to the node (see TNodeCalls); the transform
// only keeps the text to send.
class TPassThrough : public TTransform
{
    Q_OBJECT

public:
    using TTransform::TTransform;

    void setValueText(const QString &text) override;
    void setReplyText(const QString &text) override;
    QString valueText() const override;
    QString replyText() const override;
    // The divider, unless the node vetoes polling.
    bool tick() override;
    QString queryText() const override;
    QString className() const override;

private:
    QString m_valueText;
};
