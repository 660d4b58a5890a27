#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>

class QIODevice;

// A cheap streaming pass that every reader runs before its own parse. The SAX and DOM readers
// recurse per element level and expand entities without bound, so a project file could crash or
// exhaust the program; this pass refuses such a file with a reason in plain words. It never
// expands an entity and keeps no more than one value of the document in memory.
class XmlGuard
{
    Q_DECLARE_TR_FUNCTIONS(XmlGuard)

public:
    // Far above real files: the demonstration panel file has 1,660 elements nested 10 deep,
    // 53 controls and no value longer than 300 characters.
    static constexpr qint64 MaxBytes = 32 * 1024 * 1024;
    static constexpr int MaxDepth = 256;
    static constexpr qsizetype MaxValueLength = 64 * 1024;
    static constexpr int MaxElements = 500000;

    // `document` names the file in the reasons, e.g. "the panel file".
    explicit XmlGuard(const QString &document);

    // Refuses more than `count` elements named `name`; `plural` names them in the reason.
    void limit(const QString &name, int count, const QString &plural);

    // Reads the device from where it stands to its end; the caller rewinds it for the real parse.
    bool check(QIODevice *device);
    QString reason() const { return m_reason; }

    // The reason given when a reader finds the document malformed after the guard let it pass.
    static QString malformed(const QString &document, qint64 line, const QString &message);

private:
    struct Limit
    {
        int count = 0;
        int maximum = 0;
        QString plural;
    };

    bool refuse(const QString &reason);

    QString m_document;
    QHash<QString, Limit> m_limits;
    QString m_reason;
};
