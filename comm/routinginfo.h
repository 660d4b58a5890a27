#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class TTransform;

// One registration of the subscription table: which transform waits for replies under a key, and
// with which message structure they are parsed.
class RoutingInfo : public QObject
{
    Q_OBJECT

public:
    // structure 999 with no transform is the subscription probe.
    RoutingInfo(int structure, TTransform *transform, const QString &text,
                QObject *parent = nullptr);

    int structure() const { return m_structure; }
    // Null once the transform is destroyed.
    TTransform *transform() const;
    QString text() const { return m_text; }
    // Registered for a transform that no longer exists.
    bool isOrphan() const;
    bool isSame(int structure, const TTransform *transform, const QString &text) const;

private:
    qint32 m_structure;
    QPointer<TTransform> m_transform;
    QString m_text;
    bool m_hadTransform;
};
