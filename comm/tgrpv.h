#pragma once

#include "comm/tstrv.h"

// Group levels. On the wire a level is the code 120 + 2 x dB (one step per 0.5 dB, at most 144
// for +12 dB) in lower-case hexadecimal, "FF" for off.
class TGrpV : public TStrV
{
    Q_OBJECT

public:
    using TStrV::TStrV;

    // Raw decimal for nodes of typenum "3", a level code otherwise.
    void setValue(int value) override;
    // dB, truncated toward zero to a multiple of 0.5.
    void setValue(float value) override;
    void setValue(quint8 value) override;
    // A whole number of dB in decimal; text that does not parse means 0 dB.
    void setValueText(const QString &text) override;
    QString className() const override;

protected:
    // dB from the code; -60 when the text is not hexadecimal.
    int valueAsInt() const override;
    float valueAsFloat() const override;
    // 68 when the text is not hexadecimal.
    quint8 valueAsByte() const override;
    // The raw code for nodes of typenum "3".
    int replyAsInt() const override;
    // "FF" (off) is -60.5 dB.
    float replyAsFloat() const override;
    quint8 replyAsByte() const override;
    // A hexadecimal level code.
    bool isDeviceValue(const QString &text) const override;

private:
    bool rawNode() const;
};
