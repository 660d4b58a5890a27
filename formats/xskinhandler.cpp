#include "formats/xskinhandler.h"

#include "formats/xmlguard.h"
#include "util/logcategories.h"

#include <QFile>
#include <QObject>
#include <QVariant>
#include <QXmlInputSource>
#include <QXmlSimpleReader>

namespace {
const QString kFallbackSkin = QStringLiteral("Light");
const QString kSkin = QStringLiteral("Skin");
const QString kStringType = QStringLiteral("string");
} // namespace

XSkinHandler::XSkinHandler(QObject *target)
    : m_target(target)
{}

XSkinHandler::~XSkinHandler() = default;

QString XSkinHandler::skinPath(const QString &name)
{
    return QStringLiteral(":/skins/") + name + QStringLiteral(".xml");
}

QString XSkinHandler::checkName(const QString &name)
{
    QFile file(skinPath(name));
    return file.open(QIODevice::ReadOnly) ? name : kFallbackSkin;
}

bool XSkinHandler::loadSkin(QObject *target, const QString &name)
{
    QFile file(skinPath(checkName(name)));
    return loadSkin(target, &file);
}

bool XSkinHandler::loadSkin(QObject *target, QIODevice *device)
{
    if (!target || !device)
        return false;
    if (!device->isOpen() && !device->open(QIODevice::ReadOnly)) {
        qCWarning(lcSkin).noquote()
            << "XSkinHandler::loadSkin: cannot read" << device->errorString();
        return false;
    }
    XmlGuard guard(QObject::tr("the skin file"));
    const qint64 start = device->pos();
    if (!guard.check(device) || !device->seek(start)) {
        qCWarning(lcSkin).noquote()
            << "XSkinHandler::loadSkin: refused:"
            << (guard.reason().isEmpty() ? device->errorString() : guard.reason());
        return false;
    }
    XSkinHandler handler(target);
    QXmlSimpleReader reader;
    reader.setContentHandler(&handler);
    reader.setErrorHandler(&handler);
    QXmlInputSource source(device);
    if (!reader.parse(&source))
        return false;
    handler.apply();
    return true;
}

bool XSkinHandler::startElement(const QString &, const QString &, const QString &qName,
                                const QXmlAttributes &)
{
    switch (m_state) {
    case OutsideSkin:
        if (qName == kSkin)
            m_state = InsideSkin;
        break;
    case InsideSkin:
        m_typeName = qName;
        m_state = InsideType;
        break;
    case InsideType:
        m_propertyName = qName;
        m_text.clear();
        m_hasText = false;
        break;
    }
    return true;
}

bool XSkinHandler::endElement(const QString &, const QString &, const QString &qName)
{
    if (m_state == InsideType && !m_propertyName.isEmpty()) {
        if (m_hasText && m_typeName == kStringType)
            m_values.append({m_propertyName.toLatin1(), m_text.trimmed()});
        m_propertyName.clear();
    } else if (m_state == InsideType) {
        m_typeName.clear();
        m_state = InsideSkin;
    } else if (m_state == InsideSkin && qName == kSkin) {
        m_state = OutsideSkin;
    }
    return true;
}

bool XSkinHandler::characters(const QString &text)
{
    if (m_state == InsideType && !m_propertyName.isEmpty()) {
        m_text += text;
        m_hasText = true;
    }
    return true;
}

bool XSkinHandler::fatalError(const QXmlParseException &exception)
{
    m_errorString = QStringLiteral("%1 at line %2, column %3")
                        .arg(exception.message())
                        .arg(exception.lineNumber())
                        .arg(exception.columnNumber());
    qCWarning(lcSkin).noquote() << "XSkinHandler::fatalError:" << m_errorString;
    return false;
}

QString XSkinHandler::errorString() const
{
    return m_errorString;
}

void XSkinHandler::apply() const
{
    for (const auto &[name, value] : m_values)
        m_target->setProperty(name.constData(), QVariant(value));
}
