#include "hardware/haudioio.h"

#include "hardware/hchassis.h"
#include "hardware/hdevicedictionary.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// Stored, untranslated category names; people read them through HNode::categoryText().
const QString AnalogCategory = QStringLiteral(QT_TRANSLATE_NOOP("HNode", "Analog I/O"));
const QString DigitalCategory = QStringLiteral(QT_TRANSLATE_NOOP("HNode", "Digital I/O"));
const QString PstnCategory = QStringLiteral(QT_TRANSLATE_NOOP("HNode", "PSTN I/O"));
const QString VoipCategory = QStringLiteral(QT_TRANSLATE_NOOP("HNode", "VoIP I/O"));
const QString UsbCategory = QStringLiteral(QT_TRANSLATE_NOOP("HNode", "USB I/O"));
const QString DanteCategory = QStringLiteral("Dante I/O");
const QString AmpCategory = QStringLiteral("Amp I/O");

// The I/O category that a dictionary category text stands for; empty keeps the current one.
QString categoryFromText(const QString &text)
{
    if (text.startsWith(QLatin1String("Digit")))
        return DigitalCategory;
    if (text.startsWith(QLatin1String("PSTN")))
        return PstnCategory;
    if (text.startsWith(QLatin1String("VoIP")))
        return VoipCategory;
    if (text.startsWith(QLatin1String("USB")))
        return UsbCategory;
    if (text.startsWith(QLatin1String("Dante")))
        return DanteCategory;
    if (text.startsWith(AmpCategory))
        return AmpCategory;
    return QString();
}

// One kind of channel on a device model: the node titles that name it and the card slots of
// its channels, channelsPerSlot channels to a slot; channelsPerSlot 0 means one slot for any
// channel.
struct SlotRule
{
    QStringList kinds;
    QList<int> cardSlots;
    int channelsPerSlot;
};

struct ModelSlots
{
    QStringList models;
    // Amplifiers count their channels by the port index when it is known.
    bool channelFromPort;
    QList<SlotRule> rules;
};

const QList<ModelSlots> &slotTable()
{
    static const QList<ModelSlots> table = {
        {{"LX-2390"},
         false,
         {{{"Input"}, {3, 4, 5}, 4},
          {{"Output"}, {1, 2}, 4},
          {{"CordaLink"}, {6}, 0},
          {{"Dante"}, {7}, 0},
          {{"VoIP"}, {9}, 0},
          {{"USB"}, {10}, 0},
          {{"PSTN"}, {11}, 0}}},
        {{"NVA-410BE", "NVA-410B", "NVA-410"},
         false,
         {{{"Input"}, {1, 3}, 4},
          {{"Output"}, {2, 4}, 4},
          {{"CordaLink", "NVALink"}, {5}, 0},
          {{"Dante"}, {6}, 0}}},
        {{"NVA-2350BE", "NVA-2350B", "NVA-2350"},
         false,
         {{{"Input"}, {1, 3, 4}, 4},
          {{"Output"}, {2}, 4},
          {{"CordaLink", "NVALink"}, {5}, 0},
          {{"Dante"}, {6}, 0}}},
        {{"NVA-5230"},
         false,
         {{{"Input"}, {1}, 4}, {{"Output"}, {2, 3, 4}, 4}, {{"CordaLink", "NVALink"}, {5}, 0}}},
        {{"NVA-2710"}, false, {{{"Input"}, {1, 2, 3, 4}, 4}, {{"CordaLink", "NVALink"}, {5}, 0}}},
        {{"LX-550D"},
         false,
         {{{"Input"}, {3}, 4},
          {{"Output"}, {1}, 4},
          {{"CordaLink"}, {6}, 0},
          {{"Dante"}, {7}, 0},
          {{"VoIP"}, {9}, 0},
          {{"USB"}, {10}, 0},
          {{"PSTN"}, {11}, 0}}},
        {{"LX-23BKD"}, false, {{{"Dante"}, {7}, 0}}},
        {{"LZ", "TQ"}, true, {{{"Analog In", "Digital In"}, {1}, 8}, {{"Output", "Out"}, {2}, 8}}},
    };
    return table;
}

bool containsAny(const QString &text, const QStringList &parts)
{
    return std::any_of(parts.cbegin(), parts.cend(),
                       [&](const QString &part) { return text.contains(part); });
}

// The slot of channel under rule; -1 when the channel lies outside the rule's ranges.
int slotOf(const SlotRule &rule, int channel)
{
    if (rule.channelsPerSlot == 0)
        return rule.cardSlots.constFirst();
    if (channel < 1)
        return -1;
    return rule.cardSlots.value((channel - 1) / rule.channelsPerSlot, -1);
}

} // namespace

HAudioIO::HAudioIO(const QString &cardType, int direction)
    : m_cardType(cardType.startsWith(QLatin1String("VOIP")) ? QStringLiteral("VOIP") : cardType)
    , m_ioCategory(AnalogCategory)
    , m_direction(direction)
{}

QString HAudioIO::templatePath() const
{
    QString dictionary;
    if (m_direction == Input)
        dictionary = QStringLiteral("InputModules.dict");
    else if (m_direction == Output)
        dictionary = QStringLiteral("OutputModules.dict");
    else
        return QString();

    const QStringList row = HDeviceDictionary::findRow(platform(), dictionary, m_cardType);
    if (row.isEmpty())
        return QString();
    const QString category = categoryFromText(row.value(2));
    if (!category.isEmpty())
        m_ioCategory = category;
    return HDeviceDictionary::path(platform(), row.value(1));
}

void HAudioIO::setParentNode(HNode *parent)
{
    HNode::setParentNode(parent);
    if (qobject_cast<HChassis *>(parent))
        settleCategory();
}

void HAudioIO::settleCategory() const
{
    // The dictionary lookup sets the category as it goes; channels with a fixed template
    // (processor link, Dante) keep theirs.
    templatePath();
}

bool HAudioIO::answersTo(const QString &category) const
{
    if (category == AnalogCategory) {
        const QStringList group = {AnalogCategory, DigitalCategory, AmpCategory,
                                   PstnCategory,   VoipCategory,    UsbCategory};
        return group.contains(m_ioCategory);
    }
    if (category == DigitalCategory)
        return m_ioCategory == DigitalCategory;
    if (category.startsWith(QLatin1String("Dante")))
        return m_ioCategory == DanteCategory;
    return false;
}

bool HAudioIO::collectMatching(const QString &category, QList<HNode *> &list)
{
    if (answersTo(category))
        list.append(this);
    return !list.isEmpty();
}

QString HAudioIO::category() const
{
    return m_ioCategory;
}

int HAudioIO::channelNumber() const
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = title().split(blanks, Qt::SkipEmptyParts);
    return words.size() < 2 ? -1 : words.at(1).toInt(); // a word that is no number gives 0
}

int HAudioIO::ioSlot() const
{
    if (!parentNode())
        return -1;
    const QString model = parentNode()->title();
    const QString kind = title();
    const int titleChannel = channelNumber();

    const QList<ModelSlots> &table = slotTable();
    const auto modelRow = std::find_if(table.cbegin(), table.cend(), [&](const ModelSlots &row) {
        return containsAny(model, row.models);
    });
    if (modelRow == table.cend())
        return titleChannel;
    const auto rule = std::find_if(modelRow->rules.cbegin(), modelRow->rules.cend(),
                                   [&](const SlotRule &r) { return containsAny(kind, r.kinds); });
    if (rule == modelRow->rules.cend())
        return titleChannel;

    const int channel =
        modelRow->channelFromPort && portIndex() >= 0 ? portIndex() + 1 : titleChannel;
    const int slot = slotOf(*rule, channel);
    return slot < 0 ? channel : slot;
}

int HAudioIO::meterNumber() const
{
    return ioSlot();
}
