#pragma once

#include <QObject>

class CAttributes;
class HNode;

// The value codec between one control and one device parameter.
class TTransform : public QObject
{
    Q_OBJECT

public:
    TTransform(const CAttributes &attributes, HNode *node, QObject *parent = nullptr);
    ~TTransform() override;

    const CAttributes &attributes() const { return *m_attributes; }
    HNode *node() const { return m_node; }

    // True once every `pollDivider` calls, starting with the first.
    bool wantsRead();
    void setPollDivider(int divider);
    int pollDivider() const { return m_pollDivider; }

    // A transform whose value is never read back from the device.
    bool excludedFromRead() const { return m_excludedFromRead; }
    void setExcludedFromRead(bool excluded);

signals:
    void replyValueReady();

private:
    const CAttributes *m_attributes; // the owning control's; outlives the transform
    HNode *m_node;
    int m_pollCountdown = 0;
    int m_pollDivider = 1;
    bool m_excludedFromRead = false;
};
