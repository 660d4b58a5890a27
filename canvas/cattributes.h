#pragma once

#include <QHash>
#include <QString>

class HNode;

// A control's settings from the "attributes" property of the panel file.
class CAttributes
{
public:
    CAttributes();
    virtual ~CAttributes();

    // One leaf of the property; `group` is the element around it.
    virtual void setAttribute(const QString &group, const QString &name, const QString &value);
    virtual void attributeEnded(const QString &name);
    // The text as stored, empty when the file did not give it.
    QString value(const QString &group, const QString &name) const;
    // True when the file gave the control no attributes at all.
    bool isEmpty() const { return m_values.isEmpty(); }

    int index1() const { return m_index1; }
    int index2() const { return m_index2; }
    quint32 link() const { return m_link; }
    QString set() const { return m_set; }
    QString format() const { return m_format; }
    QString units() const { return m_units; }
    QString transform() const { return m_transform; }
    QString callType() const { return m_callType; }
    float minimum() const { return m_minimum; }
    float maximum() const { return m_maximum; }
    float step() const { return m_step; }
    float minLimit() const { return m_minLimit; }
    float maxLimit() const { return m_maxLimit; }
    quint32 field() const { return m_field; }
    quint32 structure() const { return m_struct; }
    bool enableEdit() const { return m_enableEdit; }
    QString channelLabel() const { return m_channelLabel; }
    int cardPin() const { return m_cardPin; }
    // A negative pin stands for the one the bound Dante node gives the channel named by
    // channelLabel; -1 when it gives none.
    int cardPin(const HNode *node) const;
    bool doNotPoll() const { return m_doNotPoll; }
    bool setFlag() const { return m_setFlag; }
    bool resetFlag() const { return m_resetFlag; }

    // Lenient readers: text that does not parse or does not fit 32 bits reads as 0. Hexadecimal
    // only with "0x" at the very first character.
    static quint32 toUInt32(const QString &text);
    static int toInt32(const QString &text);
    static float toFloat(const QString &text);

private:
    bool setNumber(const QString &name, const QString &value);
    bool setText(const QString &name, const QString &value);

    QHash<QString, QString> m_values; // "group/name" -> text
    int m_index1 = 0;
    int m_index2 = 0;
    quint32 m_link = 0;
    QString m_set;
    QString m_format;
    QString m_units;
    QString m_transform;
    QString m_callType;
    float m_minimum = 0.0f;
    float m_maximum = 0.0f;
    float m_step = 0.0f;
    float m_minLimit = 0.0f;
    float m_maxLimit = 0.0f;
    quint32 m_field = 0;
    quint32 m_struct = 0;
    bool m_enableEdit = false;
    QString m_channelLabel;
    int m_cardPin = 0;
    bool m_doNotPoll = false;
    bool m_setFlag = false;
    bool m_resetFlag = false;
};
