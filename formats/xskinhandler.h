#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QXmlDefaultHandler>

class QIODevice;
class QObject;

// Reads a skin or accent file: every leaf of a "string" group becomes a text property of the
// target, named as the leaf.
class XSkinHandler : public QXmlDefaultHandler
{
public:
    explicit XSkinHandler(QObject *target);
    ~XSkinHandler() override;

    static QString skinPath(const QString &name);
    // The name itself when its file can be read, else "Light".
    static QString checkName(const QString &name);
    static bool loadSkin(QObject *target, const QString &name);
    // The target changes only when the whole document parsed: a broken or hostile file leaves
    // the look as it was.
    static bool loadSkin(QObject *target, QIODevice *device);

    bool startElement(const QString &namespaceURI, const QString &localName, const QString &qName,
                      const QXmlAttributes &attributes) override;
    bool endElement(const QString &namespaceURI, const QString &localName,
                    const QString &qName) override;
    bool characters(const QString &text) override;
    bool fatalError(const QXmlParseException &exception) override;
    QString errorString() const override;

private:
    enum State { OutsideSkin, InsideSkin, InsideType };

    void apply() const;

    QObject *m_target = nullptr;
    QString m_typeName;
    QString m_propertyName;
    State m_state = OutsideSkin;
    // Text may arrive in pieces; a leaf's value is complete only at its end.
    QString m_text;
    bool m_hasText = false;
    QList<QPair<QByteArray, QString>> m_values;
    QString m_errorString;
};
