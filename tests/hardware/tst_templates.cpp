// Every module template, dropped for the designer node that names it: the controls come out
// linked to that node, and the simulated device answers each control's first read.

#include "app/mainwindow.h"
#include "canvas/ccomposite.h"
#include "canvas/ccontrol.h"
#include "comm/pprotocol.h"
#include "comm/ttransform.h"
#include "devicesimulator.h"
#include "hardware/hchassis.h"
#include "hardware/hgroup.h"
#include "hardware/hparameterset.h"
#include "hardware/hroot.h"
#include "hardware/xvxjhandler.h"
#include "model/mmodel.h"
#include "util/scratchhome.h"

#include <QDirIterator>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString Label = QStringLiteral("Zone 5");

QString properties(const QStringList &pairs)
{
    QString text;
    for (const QString &pair : pairs) {
        const qsizetype split = pair.indexOf(QLatin1Char('='));
        text += QStringLiteral("<Property name=\"%1\" value=\"%2\"/>")
                    .arg(pair.left(split), pair.mid(split + 1));
    }
    return text;
}

QString node(const QString &className, const QString &attributes, const QStringList &pairs)
{
    return QStringLiteral("<Node className=\"Orvik.Atelier.Nodes.%1\" %2><Properties>")
               .arg(className, attributes) +
           properties(pairs) + QStringLiteral("</Properties></Node>");
}

QString device(const QString &deviceType)
{
    const bool nva = deviceType.startsWith(QLatin1String("NVA"));
    return node(nva ? QStringLiteral("Devices.NVA") : QStringLiteral("Devices.Bramble"),
                QStringLiteral("typeNumber=\"0\""),
                {"title=" + deviceType, QStringLiteral("label=Device"),
                 QStringLiteral("nodeID=030216"), "deviceType=" + deviceType,
                 QStringLiteral("isMainNVA=True")});
}

QString block(const QString &title, const QString &typenum, const QStringList &more = {})
{
    return node(QStringLiteral("Gain"), "typeNumber=\"" + typenum + '"',
                QStringList{"title=" + title, "label=" + Label, QStringLiteral("nodeID=40")} +
                    more);
}

QString channel(const QString &className, const QString &cardType, const QString &title)
{
    return node(className, "cardType=\"" + cardType + "\" portIndex=\"0\" pinIndex=\"0\"",
                {"title=" + title, "label=" + Label, QStringLiteral("nodeID=101")});
}

// A group, parameter set or panel list: a definition in its own section.
QString definition(const QString &section, const QString &element, const QString &title,
                   const QStringList &more = {})
{
    return QStringLiteral("<%1><%2 id=\"3\"><Properties>").arg(section, element) +
           properties(QStringList{"title=" + title, "label=" + Label} + more) +
           QStringLiteral("</Properties></%2></%1>").arg(section, element);
}

QString variantOf(const QString &file)
{
    return file.chopped(4) + QStringLiteral("1.xml");
}

struct Row
{
    QString file;
    QString deviceType;
    QString project;
    bool variant;
    // False: no node's path names the file (blanks are taken out of titles; no amplifier
    // channel is titled "Analog"); it is built on the closest node.
    bool reached;
    // A parameter set's template depends on the parameter it is asked for.
    QString parameter;
};

// One row per template file, its level-button variant a row of its own.
QList<Row> rows()
{
    QList<Row> table;
    const auto add = [&table](const QString &file, const QString &deviceType, const QString &body,
                              bool withVariant, bool reached = true) {
        const QString project = body.startsWith(QLatin1String("<Node "))
                                    ? "<Nodes>" + device(deviceType) + body + "</Nodes>"
                                    : "<Nodes>" + device(deviceType) + "</Nodes>" + body;
        table.append({file, deviceType, project, false, reached, {}});
        if (withVariant)
            table.append({variantOf(file), deviceType, project, true, reached, {}});
    };

    const QString nva = QStringLiteral("NVA-640");
    add("NVA/Gain_0.xml", nva, block("Gain", "0"), true);
    add("NVA/AMM-GainShare_0.xml", nva, block("AMM-GainShare", "0"), true);
    add("NVA/AMM-Gated_0.xml", nva, block("AMM-Gated", "0"), true);
    const QString router = block("Conference Room Router", "0",
                                 {"inputCount=1", "bgmCount=2", "leftLabelList=Mic,Music,TV"});
    add("NVA/ConferenceRoomRouter_0.xml", nva, router, true);
    add("NVA/Conference Room Router_0.xml", nva, router, true, false);
    add("NVA/GeneralPurposeRoomCombiner_0.xml", nva, block("General Purpose Room Combiner", "0"),
        true);
    add("NVA/StandardRoomCombiner_0.xml", nva, block("Standard Room Combiner", "0"), true);
    add("NVA/ToneEQ_0.xml", nva, block("Tone EQ", "0"), true);
    for (int n = 0; n <= 6; ++n)
        add(QStringLiteral("NVA/Selector_%1.xml").arg(n), nva,
            block("Selector", QString::number(n)), false);
    add("NVA/Logic_1.xml", nva, block("Logic", "1", {"scriptFile=toggleff.js"}), false);
    add("NVA/LogicInput_0.xml", nva, block("Logic Input", "0"), false);
    add("NVA/LogicOutput_0.xml", nva, block("Logic Output", "0"), false);
    add("NVA/VirtualGPI_0.xml", nva, block("Virtual GPI", "0"), false);
    add("NVA/VirtualGPO_0.xml", nva, block("Virtual GPO", "0"), false);

    add("NVA/Input_2.xml", nva, channel("Input", "4ch Mic/Line Input", "Input 1"), true);
    add("NVA/Output_2.xml", nva, channel("Output", "4ch Line Output II", "Output 1"), true);
    add("NVA/In_0.xml", nva, channel("Input", "8ch AES3 In", "AES3 In 1"), true);
    add("NVA/Out_0.xml", nva, channel("Output", "8ch AES3 Out", "AES3 Out 1"), true);
    add("NVA/PstnIn.xml", nva, channel("PstnRx", "PSTN", "PSTN In"), true);
    add("NVA/TelephonyOut.xml", nva, channel("PstnTx", "PSTN", "PSTN Out"), true);
    add("NVA/VoipIn.xml", nva, channel("VoipRx", "VOIP", "VoIP In 1"), true);
    add("NVA/UsbIn.xml", nva, channel("UsbRx", "USB", "USB In"), true);
    add("NVA/Dante_0.xml", nva, channel("DanteRx", "Dante 64In64Out", "Dante In 1"), true);
    add("NVA/NVALink_0.xml", nva, channel("NVALinkTx", "NVALink", "NVALink Out 1"), true);

    for (const QString &amplifier : {QStringLiteral("LZ5360T"), QStringLiteral("TQ515E")}) {
        const QString folder = amplifier.left(2) + '/';
        const QString input = channel("Input", "4x4 Mic/Line", "Analog In");
        add(folder + "Amp_1.xml", amplifier, channel("Output", "4x4 Mic/Line", "Amp Output"), true);
        add(folder + "Amp_In_1.xml", amplifier, input, true);
        add(folder + "Analog_1.xml", amplifier, input, true, false);
    }

    const auto group = [](const QString &type) {
        return definition("Groups", "Group", "Group", {"groupType=" + type});
    };
    add("Veloxa/Group_0.xml", nva, group("Level"), true);
    add("Veloxa/Group_1.xml", nva, group("Level + Mute"), true);
    add("Veloxa/Group_2.xml", nva, group("Mute"), false);
    add("Veloxa/Group_3.xml", nva, group("Selector"), false);
    add("Veloxa/ParamSet_0.xml", nva, definition("ParameterSets", "ParameterSet", "Param. Set"),
        false);
    add("Veloxa/ParamList_0.xml", nva,
        definition("ParameterSets", "ParameterSet", "Param. Set", {"level=-10"}), false);
    table.last().parameter = QStringLiteral("level");
    add("Veloxa/PSetList_0.xml", nva, definition("ParameterSetLists", "PanelList", "PSet List"),
        false);
    return table;
}

} // namespace

Q_DECLARE_METATYPE(Row)

class TestTemplates : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void templateDroppedOnItsNode_data();
    void templateDroppedOnItsNode();
    void everyTemplateHasARow();

private:
    ScratchHome m_home;
    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestTemplates::initTestCase()
{
    QVERIFY(m_home.isValid() && m_dir.isValid());
    QLoggingCategory::setFilterRules(QStringLiteral("veloxa.*.debug=false"));
    m_window = std::make_unique<MainWindow>();
    m_window->model()->setConnectionsEnabled(false); // only the simulated device answers
}

void TestTemplates::templateDroppedOnItsNode_data()
{
    QTest::addColumn<Row>("row");
    for (const Row &row : rows())
        QTest::newRow(qPrintable(row.file)) << row;
}

void TestTemplates::templateDroppedOnItsNode()
{
    QFETCH(Row, row);
    const QString vxj = m_dir.filePath(QStringLiteral("project.vxj"));
    QFile out(vxj);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write("<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<Project version=\"4.3\" "
              "name=\"Templates\">" +
              row.project.toLatin1() + "</Project>\r\n");
    out.close();
    HRoot root;
    QVERIFY(XVXJHandler::load(&root, vxj, false, nullptr));
    HNode *target = root.findByAttribute(QStringLiteral("label"), Label);
    QVERIFY(target);
    auto *set = qobject_cast<HParameterSet *>(target);
    const QString path = set ? set->templatePath(row.parameter.isEmpty() ? Label : row.parameter)
                             : target->templatePath();
    if (row.reached)
        QCOMPARE(row.variant ? variantOf(path) : path, ":/data/" + row.file);

    CComposite panel(QStringLiteral("Panel"), QStringLiteral("Template"));
    QString error;
    QVERIFY2(panel.loadTemplate(":/data/" + row.file, target, m_window->model(), &error),
             qPrintable(error));
    QVERIFY(panel.childCount() > 0);
    for (int i = 0; i < panel.childCount(); ++i) {
        const CControl *control = panel.child(i);
        QCOMPARE(control->node(), target);
        QVERIFY2(control->name().startsWith(Label + ' '), qPrintable(control->name()));
        QVERIFY2(control->transform(), qPrintable(control->name()));
    }

    DeviceSimulator simulator;
    SimDeviceConfig config;
    config.name = QStringLiteral("Device");
    config.port = 0;
    config.platform = row.deviceType.startsWith(QLatin1String("NVA")) ? QStringLiteral("NVA")
                                                                      : row.deviceType.left(2);
    simulator.addDevice(config);
    QVERIFY2(simulator.listen(), qPrintable(simulator.errorString()));
    auto *chassis = qobject_cast<HChassis *>(root.child(0));
    QVERIFY(chassis && target->protocol());
    chassis->setConnectionAttribute(QStringLiteral("ipaddress"), QStringLiteral("127.0.0.1"));
    chassis->setConnectionAttribute(QStringLiteral("serialport"),
                                    QString::number(simulator.port(config.name)));
    target->setReferenced(true);
    // As the model switches a connection on.
    connect(chassis, &HChassis::onlineStateChanged, target->protocol(),
            &PProtocol::onOnlineStateChanged);
    target->protocol()->setOwner(m_window->model());
    QSignalSpy commands(&simulator, &DeviceSimulator::commandReceived);
    chassis->setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(chassis->isOnline(), 5000);

    for (int i = 0; i < panel.childCount(); ++i) {
        CControl *control = panel.child(i);
        QVERIFY2(!control->attributes().doNotPoll(), qPrintable(control->name()));
        TTransform *transform = control->transform();
        QSignalSpy answered(transform, &TTransform::replyValueReady);
        QVERIFY2(target->protocol()->read(transform), qPrintable(control->name()));
        QVERIFY2(answered.wait(5000), qPrintable(control->name()));
        QVERIFY2(!transform->replyText().isEmpty(), qPrintable(control->name()));
    }
    // Only groups are read by number, and by their own: the definitions' id 3.
    const QRegularExpression groupRead(QStringLiteral("G[GN] (\\w+)"));
    int groupReads = 0;
    for (const QList<QVariant> &call : std::as_const(commands)) {
        const auto match = groupRead.match(QString::fromLatin1(call.at(1).toByteArray()));
        if (match.hasMatch() && ++groupReads)
            QCOMPARE(match.captured(1), QStringLiteral("3"));
    }
    QCOMPARE(groupReads > 0, qobject_cast<HGroup *>(target) != nullptr);
    chassis->setEnabled(false);
}

void TestTemplates::everyTemplateHasARow()
{
    QStringList covered;
    for (const Row &row : rows())
        covered.append(row.file);
    for (const char *platform : {"NVA", "LZ", "TQ", "Veloxa"}) {
        QDirIterator files(QStringLiteral(":/data/") + platform, {QStringLiteral("*.xml")});
        while (files.hasNext()) {
            const QString file = files.next().mid(QStringLiteral(":/data/").size());
            if (file.startsWith(QLatin1String("Veloxa/RC")))
                continue; // room-combining templates have their own tests
            QVERIFY2(covered.contains(file), qPrintable(file + " has no row"));
        }
    }
}

QTEST_MAIN(TestTemplates)
#include "tst_templates.moc"
