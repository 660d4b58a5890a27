#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class CAttributes;
class HNode;

// The value codec between one control and one device parameter: holds the value the control
// wants to send and the value the device last reported, and converts both to and from protocol
// text. The base stores nothing and answers 0 or empty text.
class TTransform : public QObject
{
    Q_OBJECT

public:
    // attributes belong to the owning control and outlive the transform.
    TTransform(const CAttributes &attributes, HNode *node, QObject *parent = nullptr);
    ~TTransform() override;

    // Every transform alive in the process, in creation order.
    static QList<TTransform *> liveTransforms();

    const CAttributes &attributes() const { return *m_attributes; }
    HNode *node() const { return m_node; }
    TTransform *linked() const { return m_linked; }
    void setLinked(TTransform *transform) { m_linked = transform; }
    // The end of a chain points at itself.
    TTransform *nextInChain() const;
    void setNextInChain(TTransform *transform) { m_nextInChain = transform; }

    virtual void initialise();
    virtual void setValue(int value);
    virtual void setValue(float value);
    virtual void setValue(quint8 value);
    virtual void setValueText(const QString &text);
    // Stores a device value and emits replyValueReady.
    virtual void setReplyText(const QString &text);
    // The outgoing value; also written through the pointer when it is not null.
    int value(int *out) const;
    void value(float *out) const;
    quint8 value(quint8 *out) const;
    // The outgoing value as the protocol sends it.
    virtual QString valueText() const;
    // The device value; also written through the pointer when it is not null.
    int reply(int *out) const;
    void reply(float *out) const;
    quint8 reply(quint8 *out) const;
    virtual QString replyText() const;
    // The protocol's entry for a reply.
    virtual void setReplyValue(const QString &text);
    virtual QString displayText() const;
    virtual void setDisplayValue(float value);
    // Poll divider: true on the first call, then once every pollDivider calls.
    virtual bool tick();
    virtual QString queryText() const;
    virtual int valueSize() const;
    virtual QString className() const;

    void setQueryIndices(int index1, int index2, bool flag);
    bool overrideFlag() const { return m_overrideFlag; }
    void setSetIndices(int index1, int index2);
    // Overrides when set (not negative), else the attributes' index1 and index2.
    int queryIndex1() const;
    int queryIndex2() const;
    int setIndex1() const;
    int setIndex2() const;

    void setPollDivider(int divider);
    int pollDivider() const { return m_pollDivider; }
    // A matrix parameter answers several queries through one transform: the second index of the
    // last reply says which one it answered.
    int replyIndex2() const { return m_replyIndex2; }
    void setReplyIndex2(int index) { m_replyIndex2 = index; }
    // A transform whose value is never read back from the device.
    bool excludedFromRead() const { return m_excludedFromRead; }
    void setExcludedFromRead(bool excluded) { m_excludedFromRead = excluded; }

    QString channelName() const { return m_channelName; }
    void setChannelName(const QString &name) { m_channelName = name; }
    int channelIndex() const { return m_channelIndex; }
    void setChannelIndex(int index) { m_channelIndex = index; }
    int indexOffset() const { return m_indexOffset; }
    void setIndexOffset(int offset) { m_indexOffset = offset; }
    // Meters request their status only while this is set.
    bool statusEnabled() const { return m_statusEnabled; }
    void setStatusEnabled(bool on) { m_statusEnabled = on; }

Q_SIGNALS:
    void replyValueReady();

protected:
    // The numeric forms of the two values; the public value()/reply() wrap them.
    virtual int valueAsInt() const;
    virtual float valueAsFloat() const;
    virtual quint8 valueAsByte() const;
    virtual int replyAsInt() const;
    virtual float replyAsFloat() const;
    virtual quint8 replyAsByte() const;

    // Decimal, or hexadecimal after "0x"; 0 when it does not parse or fit 16 signed bits.
    static int parseInt16(const QString &text);
    // Position of text in items, 0 when absent.
    static int indexOf(const QStringList &items, const QString &text);
    // items[index], or "?" outside the list.
    static QString itemAt(const QStringList &items, int index);

private:
    const CAttributes *m_attributes;
    HNode *m_node;
    QPointer<TTransform> m_linked;
    QPointer<TTransform> m_nextInChain;
    int m_queryIndex1 = -1;
    int m_queryIndex2 = -1;
    bool m_overrideFlag = false;
    int m_pollCountdown = 0;
    int m_pollDivider = 4;
    int m_setIndex1 = -1;
    int m_setIndex2 = -1;
    QString m_channelName;
    int m_channelIndex = -1;
    int m_indexOffset = 0;
    bool m_statusEnabled = true;
    bool m_excludedFromRead = false;
    int m_replyIndex2 = -1;
};
