// The node operations that transforms and the protocol reach by name, on the node classes that
// offer them.

#include "canvas/cattributes.h"
#include "comm/pvxbprotocol.h"
#include "comm/tnodecalls.h"
#include "comm/ttransform.h"
#include "comm/ttransformfactory.h"
#include "hardware/hchassis.h"
#include "hardware/hdante.h"
#include "hardware/hnvalink.h"
#include "hardware/hparametersetlist.h"
#include "hardware/hrcgroup.h"

#include <QSignalSpy>
#include <QXmlAttributes>
#include <QtTest>

#include <memory>

namespace {
struct Parameter
{
    CAttributes attributes;
    std::unique_ptr<TTransform> transform;
};

std::unique_ptr<Parameter> parameter(const QString &transform, int structure, HNode *node)
{
    auto made = std::make_unique<Parameter>();
    const QString group = QStringLiteral("Property");
    made->attributes.setAttribute(group, QStringLiteral("transform"), transform);
    made->attributes.setAttribute(group, QStringLiteral("struct"), QString::number(structure));
    made->transform = TTransformFactory::create(made->attributes, node);
    return made;
}

// Link channels "Ch A", "Ch B"; Dante channels "Lectern", "Stage".
HAudioIO *channel(const QString &kind)
{
    if (kind == QLatin1String("link")) {
        auto *link = new HNVALink;
        link->setChannelNames({QStringLiteral("Ch A"), QStringLiteral("Ch B")});
        return link;
    }
    if (kind == QLatin1String("dante")) {
        auto *dante = new HDante(QStringLiteral("Dante"), HAudioIO::Input);
        for (const QString &name : {QStringLiteral("Lectern"), QStringLiteral("Stage")}) {
            QXmlAttributes label;
            label.append(QStringLiteral("name"), QString(), QStringLiteral("name"),
                         QStringLiteral("label1"));
            label.append(QStringLiteral("value"), QString(), QStringLiteral("value"), name);
            dante->parseProperty(label);
        }
        return dante;
    }
    return new HAudioIO(QStringLiteral("4ch Mic/Line Input"), HAudioIO::Input);
}
} // namespace

class TestTNodeCalls : public QObject
{
    Q_OBJECT

private slots:
    void meterAndChannelOfAnIoChannel_data();
    void meterAndChannelOfAnIoChannel();
    void noneFlagOfAParameterSetList_data();
    void noneFlagOfAParameterSetList();
    void roomCombiningGroupPassesThrough();
};

void TestTNodeCalls::meterAndChannelOfAnIoChannel_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("index");

    // The meter number is the channel's card slot; only link and Dante channels know names.
    QTest::newRow("USB on LX-2390") << "LX-2390"
                                    << "input"
                                    << "USB 1"
                                    << "Mic"
                                    << "GL A" << -1;
    QTest::newRow("input 5 on NVA-410") << "NVA-410"
                                        << "input"
                                        << "Input 5"
                                        << "Mic"
                                        << "GL 3" << -1;
    QTest::newRow("processor link") << "NVA-410"
                                    << "link"
                                    << "NVALink 1"
                                    << "Ch B"
                                    << "GL 5" << 1;
    QTest::newRow("Dante channel") << "NVA-410"
                                   << "dante"
                                   << "Dante 1"
                                   << "Stage"
                                   << "GL 6" << 1;
    QTest::newRow("unknown Dante name") << "NVA-410"
                                        << "dante"
                                        << "Dante 1"
                                        << "Foyer"
                                        << "GL 6" << -1;
}

void TestTNodeCalls::meterAndChannelOfAnIoChannel()
{
    QFETCH(QString, model);
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QString, name);
    QFETCH(QString, query);
    QFETCH(int, index);
    HChassis chassis;
    chassis.setTitle(model);
    HAudioIO *node = channel(kind);
    node->setTitle(title);
    QVERIFY(chassis.addNode(node));

    const auto meter = parameter(QStringLiteral("strV"), 10, node);
    QCOMPARE(PVXBProtocol::query(*meter->transform), query);
    QCOMPARE(TNodeCalls::channelIndex(node, name), index);
}

void TestTNodeCalls::noneFlagOfAParameterSetList_data()
{
    QTest::addColumn<bool>("noneFlag");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0 without the flag") << false << 0 << "0";
    QTest::newRow("0 with the flag") << true << 0 << "N";
    QTest::newRow("3 with the flag") << true << 3 << "3";
}

void TestTNodeCalls::noneFlagOfAParameterSetList()
{
    QFETCH(bool, noneFlag);
    QFETCH(int, value);
    QFETCH(QString, text);
    HParameterSetList list;
    list.setNoneFlag(noneFlag);
    const auto presets = parameter(QStringLiteral("bin8"), 1, &list);
    presets->transform->setValue(value);
    QCOMPARE(presets->transform->valueText(), text);
}

void TestTNodeCalls::roomCombiningGroupPassesThrough()
{
    HRCGroup group;
    group.setId(QStringLiteral("3"));
    const auto combos = parameter(QStringLiteral("passThrough"), 9, &group);
    TTransform *transform = combos->transform.get();
    QSignalSpy refresh(&group, &HNode::queryResponseReady);
    QSignalSpy ready(transform, &TTransform::replyValueReady);

    transform->setPollDivider(1);
    QCOMPARE(transform->queryText(), QStringLiteral("GRC 3\r"));
    // Due by its divider, but the group was asked a moment ago.
    QVERIFY(!transform->tick());
    QTRY_VERIFY_WITH_TIMEOUT(!group.pollVetoed(), HRCGroup::QueryIntervalMs + 3000);
    QVERIFY(transform->tick());

    transform->setReplyValue(QStringLiteral("GRC 3,[1,2]"));
    transform->setReplyValue(QStringLiteral("GRC 3,[1,2]"));
    QCOMPARE(transform->replyText(), QStringLiteral("GRC 3,[1,2]"));
    QCOMPARE(ready.count(), 2);
    // An unchanged answer does not make the rooms refresh again.
    QCOMPARE(refresh.count(), 1);
}

QTEST_MAIN(TestTNodeCalls)
#include "tst_tnodecalls.moc"
