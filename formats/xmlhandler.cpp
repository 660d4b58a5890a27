#include "formats/xmlhandler.h"

#include "util/logcategories.h"

namespace {

const QString SpaceMarker = QStringLiteral("&sp;");

} // namespace

XmlHandler::XmlHandler() = default;

XmlHandler::~XmlHandler() = default;

bool XmlHandler::fatalError(const QXmlParseException &exception)
{
    m_errorLine = exception.lineNumber();
    m_errorMessage = exception.message();
    m_errorString = QStringLiteral("%1 at line %2, column %3")
                        .arg(exception.message())
                        .arg(exception.lineNumber())
                        .arg(exception.columnNumber());
    qCWarning(lcPanel).noquote() << "XmlHandler::fatalError:" << m_errorString;
    return false;
}

QString XmlHandler::errorString() const
{
    return m_errorString;
}

QString XmlHandler::processText(const QString &text)
{
    const QString simplified = text.simplified();
    if (!text.contains(QLatin1Char(' ')) || simplified.isEmpty() ||
        simplified == QLatin1String(" "))
        return simplified;
    QString marked = text;
    marked.replace(QLatin1Char(' '), SpaceMarker);
    return marked.simplified().replace(SpaceMarker, QLatin1String(" "));
}

void XmlHandler::push(const QString &name)
{
    if (m_depth < StackSize)
        m_names[size_t(m_depth)] = name;
    ++m_depth;
}

void XmlHandler::pop()
{
    if (m_depth > 0)
        --m_depth;
}

QString XmlHandler::nameAt(int levels) const
{
    const int index = m_depth - 1 - levels;
    if (levels < 0 || index < 0 || index >= StackSize)
        return QString();
    return m_names[size_t(index)];
}
