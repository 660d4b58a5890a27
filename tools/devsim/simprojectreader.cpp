#include "simprojectreader.h"

#include "canvas/ccanvas.h"
#include "canvas/ccomposite.h"
#include "comm/ttransform.h"
#include "formats/uarchive.h"
#include "hardware/hchassis.h"
#include "hardware/hroot.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

namespace {

constexpr quint16 DefaultPort = 10055;

// The value text a never-set parameter reads: the bottom of the control's range, in the form
// the control's transform expects.
// What a device fresh from installation reads: unity gain or a flat band where the range spans
// 0 dB, else the lowest value; a selector starts on its first entry.
QString defaultValue(const CAttributes &attributes)
{
    const QString kind = attributes.transform();
    if (kind == QLatin1String("chrL") || kind == QLatin1String("strL"))
        return attributes.set().section(QLatin1Char(','), 0, 0);
    const float minimum = attributes.minimum();
    const float maximum = std::max(minimum, attributes.maximum());
    const float level = std::clamp(0.0f, minimum, maximum);
    if (kind == QLatin1String("grpV")) {
        const int code = std::clamp(120 + int(level * 2.0f), 0, 144);
        return QString::number(code, 16);
    }
    if (kind == QLatin1String("strV"))
        return QString::number(double(level));
    // A selector's panel entry usually gives no range at all.
    if (maximum <= minimum)
        return QStringLiteral("1");
    return QString::number(int(std::clamp(minimum >= 0 ? 1.0f : 0.0f, minimum, maximum)));
}

QString hexAddress(const char *prefix, int index)
{
    return QLatin1String(prefix) + QLatin1Char(' ') + QString::number(index, 16);
}

QString blockAddress(const QString &block, const QList<int> &indices)
{
    QStringList parts;
    for (int index : indices)
        parts.append(QString::number(index));
    return QStringLiteral("\"%1\">%2").arg(block, parts.join(QLatin1Char('>')));
}

// The addresses a control reads and writes, as the parameter store keys them.
QStringList addressesOf(const CControl &control)
{
    const CAttributes &attributes = control.attributes();
    const QString block = control.node()->label();
    QList<int> first{attributes.index1()};
    QList<int> second{attributes.index2()};
    if (const TTransform *transform = control.transform()) {
        first.append(transform->queryIndex1());
        second.append(transform->queryIndex2());
    }
    QStringList addresses;
    for (int i = 0; i < first.size(); ++i) {
        switch (attributes.structure()) {
        case 0:
        case 1:
            addresses << blockAddress(block, {first[i]});
            break;
        case 2:
            addresses << blockAddress(block, {first[i], second[i]});
            break;
        case 7:
            addresses << blockAddress(attributes.channelLabel(), {second[i]});
            break;
        case 8:
            addresses << blockAddress(block, {0, second[i]});
            break;
        case 4:
            addresses << QStringLiteral("S");
            break;
        case 5:
            addresses << hexAddress("GG", first[i]);
            break;
        case 6:
            addresses << hexAddress("GN", first[i]);
            break;
        default:
            break;
        }
    }
    return addresses;
}

} // namespace

bool SimProjectReader::read(const QString &path)
{
    m_devices.clear();
    m_defaults.clear();
    if (!QFileInfo(path).isFile()) {
        m_errorString = QStringLiteral("no such file: ") + path;
        return false;
    }
    if (path.endsWith(QLatin1String(".cpf"), Qt::CaseInsensitive) || !UArchive::isArchive(path))
        return readPanel(path);
    QTemporaryDir extraction;
    if (!extraction.isValid() || !UArchive::instance()->open(path, extraction.path())) {
        m_errorString = QStringLiteral("cannot unpack ") + path;
        return false;
    }
    const QString panel = UArchive::instance()->findFile(QStringLiteral(".cpf"));
    if (panel.isEmpty()) {
        m_errorString = QStringLiteral("no panel file in ") + path;
        return false;
    }
    return readPanel(panel);
}

bool SimProjectReader::readPanel(const QString &panelPath)
{
    HRoot hardware;
    CCanvas canvas;
    CComposite root(QStringLiteral("Root"), QStringLiteral("Scenes"));
    root.setCanvas(&canvas);
    if (!root.load(panelPath, &hardware, QString(), nullptr)) {
        m_errorString = QStringLiteral("cannot read the panel file ") + panelPath;
        return false;
    }
    collectDevices(hardware);
    collectDefaults(&root);
    if (m_devices.isEmpty()) {
        m_errorString = QStringLiteral("the project names no device");
        return false;
    }
    return true;
}

void SimProjectReader::collectDevices(HRoot &hardware)
{
    QList<HNode *> nodes;
    hardware.collectByCategory(QStringLiteral("Chassis"), nodes);
    for (HNode *node : std::as_const(nodes)) {
        const auto *chassis = qobject_cast<HChassis *>(node);
        if (!chassis)
            continue;
        SimDeviceConfig config;
        config.name = chassis->linkName();
        const QHostAddress address(chassis->ipAddress());
        if (!address.isNull())
            config.address = address;
        const quint16 port = chassis->serialPort().toUShort();
        config.port = port != 0 ? port : DefaultPort;
        config.platform = chassis->platform();
        m_devices.append(config);
    }
}

void SimProjectReader::collectDefaults(const CControl *control)
{
    if (const auto *composite = qobject_cast<const CComposite *>(control)) {
        for (int i = 0; i < composite->childCount(); ++i)
            collectDefaults(composite->child(i));
        return;
    }
    if (control && control->node())
        addDefaults(*control);
}

void SimProjectReader::addDefaults(const CControl &control)
{
    if (control.attributes().structure() == 8) {
        addTelephone(control);
        return;
    }
    QHash<QString, QString> &values = m_defaults[control.node()->linkName()];
    const QString value = defaultValue(control.attributes());
    for (const QString &address : addressesOf(control)) {
        if (!values.contains(address))
            values.insert(address, value);
    }
}

void SimProjectReader::addTelephone(const CControl &control)
{
    // The dialer's matrix parameter is the block's line; its state texts are the device's.
    const QString block = control.node()->label();
    for (SimDeviceConfig &config : m_devices) {
        if (config.name != control.node()->linkName() || config.telephones.contains(block))
            continue;
        config.telephones.append(block);
        if (control.attributes().callType().compare(QLatin1String("VoIP"), Qt::CaseInsensitive) ==
            0)
            config.voipTelephones.append(block);
    }
}
