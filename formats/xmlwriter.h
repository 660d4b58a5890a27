#pragma once

#include <QString>
#include <QXmlStreamWriter>

class QIODevice;

// Writes panel-file elements: nested elements around leaf elements that hold one value each.
class XmlWriter
{
public:
    explicit XmlWriter(QIODevice *device);
    // Writes into `text`, for callers that keep the document in memory.
    explicit XmlWriter(QString *text);
    virtual ~XmlWriter();

    void writeStartElement(const QString &name);
    void writeEndElement();
    void writeText(const QString &name, const QString &value);
    void writeInt(const QString &name, qint64 value);
    void writeUInt(const QString &name, quint64 value);
    // Shortest text that reads back as the same double.
    void writeDouble(const QString &name, double value);
    // "true" or "false".
    void writeBool(const QString &name, bool value);

private:
    QXmlStreamWriter m_stream;
};
