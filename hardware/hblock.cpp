#include "hardware/hblock.h"

#include "hardware/hrcgroupinfo.h"
#include "util/logcategories.h"

#include <QXmlAttributes>

#include <algorithm>
#include <utility>

HBlock::HBlock() = default;

QString HBlock::category() const
{
    return QStringLiteral(QT_TRANSLATE_NOOP("HNode", "Blocks"));
}

void HBlock::parseProperty(const QXmlAttributes &attributes)
{
    const QString name = attributes.value(QStringLiteral("name"));
    const QString value = attributes.value(QStringLiteral("value"));
    if (name.startsWith(QLatin1String("name")) || name.startsWith(QLatin1String("inLchName"))) {
        m_listText += value + QLatin1Char(',');
    } else if (name == QLatin1String("leftLabelList")) {
        m_itemList = value.split(QLatin1Char(','));
    } else if (name == QLatin1String("inputCount")) {
        m_inputCount = value.toInt();
    } else if (name == QLatin1String("bgmCount")) {
        m_bgmCount = value.toInt();
        buildSourceList();
        m_hasList = true;
    } else if (name == QLatin1String("roomName")) {
        m_roomName = value;
    } else if (name == QLatin1String("roomCombine")) {
        m_roomCombine = value;
    }
    HNode::parseProperty(attributes);
}

bool HBlock::completeSetup()
{
    HNode::completeSetup();
    static const QStringList kinds = {QStringLiteral("Gain"),
                                      QStringLiteral("Selector"),
                                      QStringLiteral("Conference Room Router"),
                                      QStringLiteral("General Purpose Room Combiner"),
                                      QStringLiteral("Standard Room Combiner"),
                                      QStringLiteral("Tone EQ"),
                                      QStringLiteral("ToneEQ")};
    static const QStringList kindPrefixes = {
        QStringLiteral("AMM"), QStringLiteral("Virtual GPI"), QStringLiteral("Logic Input"),
        QStringLiteral("Virtual GPO"), QStringLiteral("Logic Output")};
    const QString kind = title();
    if (kinds.contains(kind))
        return true;
    if (kind == QLatin1String("Logic"))
        return scriptFile().contains(QLatin1String("toggleff"));
    return std::any_of(kindPrefixes.cbegin(), kindPrefixes.cend(),
                       [&kind](const QString &prefix) { return kind.startsWith(prefix); });
}

void HBlock::registerRooms(HRCGroupInfo *state)
{
    static const QString router = QStringLiteral("Conference Room Router");
    static const QStringList combiners = {QStringLiteral("General Purpose Room Combiner"),
                                          QStringLiteral("Standard Room Combiner")};
    if (title() != router && !combiners.contains(title()))
        return;
    if (roomNumber() < 1 || rcGroupNumber() < 1) {
        qCDebug(lcHardware).noquote()
            << QStringLiteral("Room block '%1' has no room number or group (%2, %3); it serves "
                              "no room.")
                   .arg(label())
                   .arg(roomNumber())
                   .arg(rcGroupNumber());
        return;
    }
    const int kind = title() == router ? HRCGroupInfo::RouterRoom : HRCGroupInfo::CombinerRoom;
    state->registerRoom(rcGroupNumber(), label() + QLatin1Char('-') + m_roomName, m_roomName,
                        roomNumber(), kind, nodeNumber(), m_roomCombine);
}

QStringList HBlock::takeItemList()
{
    return std::exchange(m_itemList, QStringList());
}

void HBlock::buildSourceList()
{
    // A room router's labels list its inputs first, then its background-music sources.
    const QStringList sources = m_itemList.mid(m_inputCount, m_bgmCount);
    if (m_bgmCount == 0)
        m_itemList = {QStringLiteral("None")};
    else if (!sources.isEmpty())
        m_itemList = QStringList{QStringLiteral("None")} + sources;
}
