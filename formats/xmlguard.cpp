#include "formats/xmlguard.h"

#include <QIODevice>
#include <QXmlStreamReader>

namespace {

constexpr qint64 ChunkSize = 64 * 1024;
// A character takes at most four bytes: when no token completes over this many bytes, a value
// is longer than allowed, and it is refused before the reader holds all of it.
constexpr qint64 MaxBytesWithoutToken = 4 * XmlGuard::MaxValueLength + ChunkSize;

} // namespace

XmlGuard::XmlGuard(const QString &document)
    : m_document(document)
{}

void XmlGuard::limit(const QString &name, int count, const QString &plural)
{
    m_limits.insert(name, Limit{0, count, plural});
}

QString XmlGuard::malformed(const QString &document, qint64 line, const QString &message)
{
    return tr("%1 is not well-formed XML (line %2: %3)").arg(document).arg(line).arg(message);
}

bool XmlGuard::refuse(const QString &reason)
{
    m_reason = reason;
    return false;
}

bool XmlGuard::check(QIODevice *device)
{
    m_reason.clear();
    for (Limit &limit : m_limits)
        limit.count = 0;
    if (!device || (!device->isOpen() && !device->open(QIODevice::ReadOnly)) ||
        !device->isReadable())
        return refuse(tr("%1 cannot be read").arg(m_document));
    const QString tooLarge = tr("%1 is larger than %2 MB").arg(m_document).arg(MaxBytes >> 20);
    const QString tooLong = tr("%1 holds a text or attribute value longer than %2 characters")
                                .arg(m_document)
                                .arg(MaxValueLength);
    if (!device->isSequential() && device->size() - device->pos() > MaxBytes)
        return refuse(tooLarge);

    QXmlStreamReader reader;
    qint64 fed = 0;
    qint64 fedAtToken = 0;
    int depth = 0;
    int elements = 0;
    // Text split by references, comments or CDATA sections still reaches a reader as one value.
    qsizetype textRun = 0;
    for (;;) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::Invalid) {
            if (reader.error() != QXmlStreamReader::PrematureEndOfDocumentError)
                return refuse(malformed(m_document, reader.lineNumber(), reader.errorString()));
            const QByteArray chunk = device->read(ChunkSize);
            if (chunk.isEmpty())
                return refuse(malformed(m_document, reader.lineNumber(), reader.errorString()));
            fed += chunk.size();
            if (fed > MaxBytes)
                return refuse(tooLarge);
            if (fed - fedAtToken > MaxBytesWithoutToken)
                return refuse(tooLong);
            reader.addData(chunk);
            continue;
        }
        fedAtToken = fed;
        switch (token) {
        case QXmlStreamReader::EndDocument:
            return true;
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return refuse(
                tr("%1 declares a document type or entities, which project files never do")
                    .arg(m_document));
        case QXmlStreamReader::StartElement: {
            if (++depth > MaxDepth)
                return refuse(
                    tr("%1 nests elements deeper than %2 levels").arg(m_document).arg(MaxDepth));
            if (++elements > MaxElements)
                return refuse(
                    tr("%1 holds more than %2 elements").arg(m_document).arg(MaxElements));
            const auto limit = m_limits.find(reader.name().toString());
            if (limit != m_limits.end() && ++limit->count > limit->maximum)
                return refuse(tr("%1 holds more than %2 %3")
                                  .arg(m_document)
                                  .arg(limit->maximum)
                                  .arg(limit->plural));
            const QXmlStreamAttributes attributes = reader.attributes();
            for (const QXmlStreamAttribute &attribute : attributes) {
                if (attribute.value().size() > MaxValueLength)
                    return refuse(tooLong);
            }
            textRun = 0;
            break;
        }
        case QXmlStreamReader::EndElement:
            --depth;
            textRun = 0;
            break;
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::Comment:
            textRun += reader.text().size();
            if (textRun > MaxValueLength)
                return refuse(tooLong);
            break;
        case QXmlStreamReader::ProcessingInstruction:
            if (reader.processingInstructionData().size() > MaxValueLength)
                return refuse(tooLong);
            break;
        default:
            break;
        }
    }
}
