// A device's byte stream through reply framing and the protocol's reply handling, with one
// registered parameter of every structure and transform kind, then each value read back as the
// controls read it. The first byte is not device data: bit 0 says whether the device took
// subscriptions, the other bits give the size of the reads the stream arrives in.
#include "canvas/cattributes.h"
#include "comm/fakeinterface.h"
#include "comm/ireplyframer.h"
#include "comm/pvxbprotocol.h"
#include "comm/ttransform.h"
#include "comm/ttransformfactory.h"
#include "hardware/hnode.h"

#include <QByteArray>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

struct Parameter
{
    const char *transform;
    int structure;
    const char *title;
    const char *label;
    int index1;
    int index2;
    const char *set;
    const char *channel; // meters: the channel name a transform picks its reading by
};

// Blocks and meters as the demonstration's processors and amplifiers have them.
const Parameter parameters[] = {
    {"text", 0, "Gain", "Bar Volume", 2, 0, "", ""},
    {"strV", 1, "Gain", "Gain", 3, 9, "", ""},
    {"idx8", 2, "Mixer", "Mixer", 2, 3, "", ""},
    {"text", 3, "Router", "Router", 2, 3, "", ""},
    {"bin8", 4, "Presets", "Presets", 0, 0, "", ""},
    {"grpV", 5, "Zone", "Zone", 10, 0, "", ""},
    {"chrL", 6, "Zone", "Zone", 27, 0, "U,M,T", ""},
    {"hexL", 7, "Input", "Input", 2, 4, "0,10,20", ""},
    {"strL", 8, "Matrix", "Matrix", 2, 5, "a,b,c,d", ""},
    {"passThrough", 9, "Room", "Room", 0, 0, "", ""},
    {"strV", 10, "Dante Out", "", 0, 0, "", ""},
    {"text", 10, "VoIP In", "", 0, 0, "", ""},
    {"text", 10, "Analog In", "", 0, 0, "", ""},
    {"strV", 10, "NVALink In", "", 0, 0, "", "Link-Two"},
    {"text", 10, "Amp Output", "Amp Out", 0, 0, "", ""},
    {"text", 10, "USB Out", "", 0, 0, "", ""},
};

struct Registered
{
    std::unique_ptr<HNode> node;
    CAttributes attributes;
    std::unique_ptr<TTransform> transform;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool subscribed = (data[0] & 1) != 0;
    const qsizetype readSize = (data[0] >> 1) + 1;
    const QByteArray stream(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));

    HNode chassis;
    chassis.setMarks(HNode::FlagChassis);
    chassis.setTitle(QStringLiteral("LZ 4"));
    FakeInterface device;
    PVXBProtocol protocol;
    QObject owner;
    protocol.setInterface(&device);
    protocol.setOwner(&owner);
    protocol.handleReply(subscribed ? "SUB,yes" : "SUB,no");

    std::vector<std::unique_ptr<Registered>> registered;
    for (const Parameter &parameter : parameters) {
        auto entry = std::make_unique<Registered>();
        entry->node = std::make_unique<HNode>();
        entry->node->setParentNode(&chassis);
        entry->node->setTitle(QLatin1String(parameter.title));
        entry->node->setLabel(QLatin1String(parameter.label));
        entry->node->setPortIndex(3);
        entry->node->setPinIndex(1);
        const QList<QPair<QString, QString>> values = {
            {QStringLiteral("transform"), QLatin1String(parameter.transform)},
            {QStringLiteral("struct"), QString::number(parameter.structure)},
            {QStringLiteral("index1"), QString::number(parameter.index1)},
            {QStringLiteral("index2"), QString::number(parameter.index2)},
            {QStringLiteral("set"), QLatin1String(parameter.set)},
            {QStringLiteral("channelLabel"), QStringLiteral("Mic-1")},
        };
        for (const auto &value : values)
            entry->attributes.setAttribute(QStringLiteral("Property"), value.first, value.second);
        entry->transform = TTransformFactory::create(entry->attributes, entry->node.get());
        if (!entry->transform)
            continue;
        entry->transform->setChannelName(QLatin1String(parameter.channel));
        entry->transform->setChannelIndex(3);
        if (!registered.empty())
            entry->transform->setLinked(registered.front()->transform.get());
        protocol.read(entry->transform.get());
        registered.push_back(std::move(entry));
    }

    IReplyFramer framer;
    for (qsizetype at = 0; at < stream.size(); at += readSize) {
        for (const QByteArray &line : framer.feed(stream.mid(at, readSize)))
            protocol.handleReply(line);
    }
    for (const auto &entry : registered) {
        int number = 0;
        float level = 0;
        quint8 byte = 0;
        entry->transform->reply(&number);
        entry->transform->reply(&level);
        entry->transform->reply(&byte);
        entry->transform->displayText();
    }
    return 0;
}
