#include "formats/xmlwriter.h"

#include <QLocale>

XmlWriter::XmlWriter(QIODevice *device)
    : m_stream(device)
{
    m_stream.setAutoFormatting(true);
}

XmlWriter::XmlWriter(QString *text)
    : m_stream(text)
{
    m_stream.setAutoFormatting(true);
}

XmlWriter::~XmlWriter() = default;

void XmlWriter::writeStartElement(const QString &name)
{
    m_stream.writeStartElement(name);
}

void XmlWriter::writeEndElement()
{
    m_stream.writeEndElement();
}

void XmlWriter::writeText(const QString &name, const QString &value)
{
    m_stream.writeTextElement(name, value);
}

void XmlWriter::writeInt(const QString &name, qint64 value)
{
    writeText(name, QString::number(value));
}

void XmlWriter::writeUInt(const QString &name, quint64 value)
{
    writeText(name, QString::number(value));
}

void XmlWriter::writeDouble(const QString &name, double value)
{
    writeText(name, QString::number(value, 'g', QLocale::FloatingPointShortest));
}

void XmlWriter::writeBool(const QString &name, bool value)
{
    writeText(name, value ? QStringLiteral("true") : QStringLiteral("false"));
}
