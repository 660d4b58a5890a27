#pragma once

#include "comm/ttext.h"

// Numbers carried as decimal text, with a display text of the attribute's decimal count
// (followed by "%" for units "pct").
class TStrV : public TText
{
    Q_OBJECT

public:
    using TText::TText;

    void initialise() override;
    void setValue(int value) override;
    // Always one decimal, whatever the display uses.
    void setValue(float value) override;
    void setValue(quint8 value) override;
    // A device value that is not a finite decimal number (inf, nan, overflow, empty, words) is
    // ignored, with one warning until a number arrives again.
    void setReplyText(const QString &text) override;
    QString displayText() const override;
    void setDisplayValue(float value) override;
    QString className() const override;

    int decimals() const { return m_decimals; }
    bool isPercent() const { return m_isPercent; }

protected:
    // Decimal text that does not parse or fit gives 0.
    int valueAsInt() const override;
    float valueAsFloat() const override;
    quint8 valueAsByte() const override;
    int replyAsInt() const override;
    float replyAsFloat() const override;
    quint8 replyAsByte() const override;
    // A reply text this transform can show: a finite decimal number.
    virtual bool isDeviceValue(const QString &text) const;

private:
    QString m_displayText;
    qint32 m_decimals = 0;
    bool m_isPercent = false;
    bool m_refusing = false;
};
