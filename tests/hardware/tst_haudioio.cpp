#include "hardware/haudioio.h"
#include "hardware/hblock.h"
#include "hardware/hchassis.h"
#include "hardware/hdante.h"
#include "hardware/hechocanel.h"
#include "hardware/hnvalink.h"
#include "hardware/hroot.h"

#include <QXmlAttributes>
#include <QtTest>

namespace {

QXmlAttributes designerProperty(const QString &name, const QString &value)
{
    QXmlAttributes attributes;
    attributes.append(QStringLiteral("name"), QString(), QStringLiteral("name"), name);
    attributes.append(QStringLiteral("value"), QString(), QStringLiteral("value"), value);
    return attributes;
}

HChassis *chassisOf(HRoot &root, const QString &platform, const QString &title = QString())
{
    auto *chassis = new HChassis;
    chassis->setConnectionAttribute(QStringLiteral("platform"), platform);
    chassis->setTitle(title);
    root.addNode(chassis);
    return chassis;
}

QStringList labels(const QList<HNode *> &nodes)
{
    QStringList result;
    for (const HNode *node : nodes)
        result << node->label();
    return result;
}

} // namespace

class TestHAudioIO : public QObject
{
    Q_OBJECT

private slots:
    void templateAndCategory_data();
    void templateAndCategory();
    void templateWithoutAChassis();
    void collectMatching_data();
    void collectMatching();
    void collectMatchingOverATree();
    void ioSlot_data();
    void ioSlot();
    void ioSlotOfLinkAndDanteChannels();
    void nvaLink();
    void nvaLinkChannels();
    void danteProperties();
    void danteTemplateIsFixed();
    void echoCanceller();
};

void TestHAudioIO::templateAndCategory_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("cardType");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("category");
    const QString analog = QStringLiteral("Analog I/O");
    QTest::newRow("mic/line input") << "NVA" << 1 << "4ch Mic/Line Input"
                                    << ":/data/NVA/Input_2.xml" << analog;
    QTest::newRow("mic/line input II") << "NVA" << 1 << "4ch Mic/Line Input II"
                                       << ":/data/NVA/Input_2.xml" << analog;
    QTest::newRow("4x4 as input") << "NVA" << 1 << "4x4 Mic/Line"
                                  << ":/data/NVA/Input_2.xml" << analog;
    QTest::newRow("EDR input") << "NVA" << 1 << "4ch EDR Input"
                               << ":/data/NVA/Input_2.xml" << analog;
    QTest::newRow("AES3 in") << "NVA" << 1 << "8ch AES3 In"
                             << ":/data/NVA/In_0.xml"
                             << "Digital I/O";
    QTest::newRow("PSTN in") << "NVA" << 1 << "PSTN"
                             << ":/data/NVA/PstnIn.xml"
                             << "PSTN I/O";
    QTest::newRow("VOIP in, longer card type") << "NVA" << 1 << "VOIP 2ch SIP"
                                               << ":/data/NVA/VoipIn.xml"
                                               << "VoIP I/O";
    QTest::newRow("USB in") << "NVA" << 1 << "USB"
                            << ":/data/NVA/UsbIn.xml"
                            << "USB I/O";
    QTest::newRow("line output II") << "NVA" << 2 << "4ch Line Output II"
                                    << ":/data/NVA/Output_2.xml" << analog;
    QTest::newRow("4x4 as output") << "NVA" << 2 << "4x4 Mic/Line"
                                   << ":/data/NVA/Output_2.xml" << analog;
    QTest::newRow("EDR output") << "NVA" << 2 << "4ch EDR Output"
                                << ":/data/NVA/Output_2.xml" << analog;
    QTest::newRow("SDR output") << "NVA" << 2 << "4ch SDR Output"
                                << ":/data/NVA/Output_2.xml" << analog;
    QTest::newRow("AES3 out") << "NVA" << 2 << "8ch AES3 Out"
                              << ":/data/NVA/Out_0.xml"
                              << "Digital I/O";
    QTest::newRow("link output") << "NVA" << 2 << "NVALink Output"
                                 << ":/data/NVA/Out_0.xml"
                                 << "Digital I/O";
    QTest::newRow("PSTN out") << "NVA" << 2 << "PSTN"
                              << ":/data/NVA/TelephonyOut.xml"
                              << "PSTN I/O";
    QTest::newRow("VOIP out") << "NVA" << 2 << "VOIP"
                              << ":/data/NVA/TelephonyOut.xml"
                              << "VoIP I/O";
    QTest::newRow("USB out") << "NVA" << 2 << "USB"
                             << ":/data/NVA/UsbIn.xml"
                             << "USB I/O";
    QTest::newRow("LZ input") << "LZ" << 1 << "4x4 Mic/Line"
                              << ":/data/LZ/Amp_In_1.xml"
                              << "Amp I/O";
    QTest::newRow("LZ output") << "LZ" << 2 << "4x4 Mic/Line"
                               << ":/data/LZ/Amp_1.xml"
                               << "Amp I/O";
    QTest::newRow("TQ input") << "TQ" << 1 << "4x4 Mic/Line"
                              << ":/data/TQ/Amp_In_1.xml"
                              << "Amp I/O";
    QTest::newRow("TQ output") << "TQ" << 2 << "4x4 Mic/Line"
                               << ":/data/TQ/Amp_1.xml"
                               << "Amp I/O";
    QTest::newRow("output card asked as input") << "NVA" << 1 << "4ch Line Output II"
                                                << "" << analog;
    QTest::newRow("the Dante row never matches") << "NVA" << 1 << "Dante 64In64Out"
                                                 << "" << analog;
    QTest::newRow("card types are case-sensitive") << "NVA" << 1 << "pstn"
                                                   << "" << analog;
    QTest::newRow("empty card type, trailing empty lines") << "NVA" << 1 << ""
                                                           << "" << analog;
    QTest::newRow("link direction has no dictionary") << "NVA" << 3 << "PSTN"
                                                      << "" << analog;
    QTest::newRow("NVA card on an amplifier") << "LZ" << 1 << "PSTN"
                                              << "" << analog;
    QTest::newRow("no dictionary for an empty platform") << "" << 1 << "PSTN"
                                                         << "" << analog;
}

void TestHAudioIO::templateAndCategory()
{
    QFETCH(QString, platform);
    QFETCH(int, direction);
    QFETCH(QString, cardType);
    QFETCH(QString, path);
    QFETCH(QString, category);
    HRoot root;
    HChassis *chassis = chassisOf(root, platform);
    auto *channel = new HAudioIO(cardType, direction);
    chassis->addNode(channel);
    // Settled on attaching, before anyone asks for the template.
    QCOMPARE(channel->ioCategory(), category);
    QCOMPARE(channel->templatePath(), path);
    QCOMPARE(channel->ioCategory(), category);
    QCOMPARE(channel->category(), category);
    if (!path.isEmpty())
        QCOMPARE(chassis->findByCategory(category), channel);
}

void TestHAudioIO::templateWithoutAChassis()
{
    HAudioIO orphan(QStringLiteral("PSTN"), HAudioIO::Input);
    QCOMPARE(orphan.templatePath(), QString());
    QCOMPARE(orphan.ioCategory(), QStringLiteral("Analog I/O"));

    // A chassis that learns its platform after its channels were attached settles them again.
    HRoot root;
    HChassis *chassis = chassisOf(root, QStringLiteral("NVA"));
    auto *output = new HAudioIO(QStringLiteral("4x4 Mic/Line"), HAudioIO::Output);
    chassis->addNode(output);
    QCOMPARE(output->ioCategory(), QStringLiteral("Analog I/O"));
    chassis->setConnectionAttribute(QStringLiteral("platform"), QStringLiteral("LZ"));
    QCOMPARE(output->ioCategory(), QStringLiteral("Amp I/O"));
}

void TestHAudioIO::collectMatching_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("ioCategory");
    QTest::addColumn<bool>("answers");
    const QStringList analogGroup = {"Analog I/O", "Digital I/O", "Amp I/O",
                                     "PSTN I/O",   "VoIP I/O",    "USB I/O"};
    for (const QString &category : analogGroup) {
        QTest::addRow("Analog asked, %s answers", qPrintable(category))
            << "Analog I/O" << category << true;
    }
    QTest::newRow("Analog asked, Dante does not") << "Analog I/O"
                                                  << "Dante I/O" << false;
    QTest::newRow("Digital asked, Digital answers") << "Digital I/O"
                                                    << "Digital I/O" << true;
    for (const char *category : {"Analog I/O", "Amp I/O", "PSTN I/O", "Dante I/O"}) {
        QTest::addRow("Digital asked, %s does not", category)
            << "Digital I/O" << QString(category) << false;
    }
    QTest::newRow("Dante asked, Dante answers") << "Dante I/O"
                                                << "Dante I/O" << true;
    QTest::newRow("any Dante text, Dante answers") << "Dante"
                                                   << "Dante I/O" << true;
    QTest::newRow("Dante asked, Digital does not") << "Dante I/O"
                                                   << "Digital I/O" << false;
    QTest::newRow("PSTN asked: no group") << "PSTN I/O"
                                          << "PSTN I/O" << false;
    QTest::newRow("USB asked: no group") << "USB I/O"
                                         << "USB I/O" << false;
    QTest::newRow("Amp asked: no group") << "Amp I/O"
                                         << "Amp I/O" << false;
    QTest::newRow("Blocks asked") << "Blocks"
                                  << "Analog I/O" << false;
}

void TestHAudioIO::collectMatching()
{
    QFETCH(QString, asked);
    QFETCH(QString, ioCategory);
    QFETCH(bool, answers);
    HAudioIO channel(QStringLiteral("card"), HAudioIO::Input);
    channel.setIoCategory(ioCategory);
    QList<HNode *> list;
    QCOMPARE(channel.collectMatching(asked, list), answers);
    QCOMPARE(list, answers ? QList<HNode *>{&channel} : QList<HNode *>{});

    // A leaf appends to what the list holds and reports the whole list.
    HBlock earlier;
    QList<HNode *> nonEmpty{&earlier};
    QVERIFY(channel.collectMatching(asked, nonEmpty));
    QCOMPARE(nonEmpty.size(), answers ? 2 : 1);
}

void TestHAudioIO::collectMatchingOverATree()
{
    HRoot root;
    HChassis *chassis = chassisOf(root, QStringLiteral("NVA"));
    const QList<QPair<QString, int>> cards = {
        {"4ch Mic/Line Input", 1}, {"8ch AES3 In", 1}, {"PSTN", 2}, {"Unknown card", 2}};
    for (const auto &card : cards) {
        auto *channel = new HAudioIO(card.first, card.second);
        channel->setLabel(card.first);
        chassis->addNode(channel);
        channel->templatePath();
    }
    auto *link = new HNVALink;
    link->setLabel(QStringLiteral("Link"));
    chassis->addNode(link);
    auto *dante = new HDante(QStringLiteral("Dante 64In64Out"), HAudioIO::Input);
    dante->setLabel(QStringLiteral("Dante"));
    chassis->addNode(dante);
    auto *gain = new HBlock;
    gain->setLabel(QStringLiteral("Gain"));
    chassis->addNode(gain);

    QList<HNode *> list{gain}; // a composite empties the list first
    QVERIFY(root.collectMatching(QStringLiteral("Analog I/O"), list));
    QCOMPARE(labels(list),
             QStringList({"4ch Mic/Line Input", "8ch AES3 In", "PSTN", "Unknown card", "Link"}));
    QVERIFY(root.collectMatching(QStringLiteral("Digital I/O"), list));
    QCOMPARE(labels(list), QStringList({"8ch AES3 In", "Link"}));
    QVERIFY(root.collectMatching(QStringLiteral("Dante I/O"), list));
    QCOMPARE(labels(list), QStringList({"Dante"}));
    QVERIFY(!root.collectMatching(QStringLiteral("PSTN I/O"), list));
    QVERIFY(list.isEmpty());
    // Blocks are collected by their own category, as collectByCategory does.
    QVERIFY(root.collectMatching(QStringLiteral("Blocks"), list));
    QCOMPARE(labels(list), QStringList({"Gain"}));
}

void TestHAudioIO::ioSlot_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("portIndex");
    QTest::addColumn<int>("slot");
    struct Row
    {
        const char *model;
        const char *title;
        int portIndex;
        int slot;
    };
    const Row rows[] = {
        {"LX-2390", "Input 1", -1, 3},      {"LX-2390", "Input 4", -1, 3},
        {"LX-2390", "Input 5", -1, 4},      {"LX-2390", "Input 12", -1, 5},
        {"LX-2390", "Input 13", -1, 13},    {"LX-2390", "Output 4", -1, 1},
        {"LX-2390", "Output 8", -1, 2},     {"LX-2390", "Output 9", -1, 9},
        {"LX-2390", "CordaLink 3", -1, 6},  {"LX-2390", "Dante 40", -1, 7},
        {"LX-2390", "VoIP 2", -1, 9},       {"LX-2390", "USB 1", -1, 10},
        {"LX-2390", "PSTN 1", -1, 11},      {"LX-2390", "NVALink 1", -1, 1},
        {"LX-2390D", "Input 5", -1, 4},     {"NVA-410", "Input 1", -1, 1},
        {"NVA-410", "Input 5", -1, 3},      {"NVA-410", "Input 9", -1, 9},
        {"NVA-410", "Output 4", -1, 2},     {"NVA-410", "Output 8", -1, 4},
        {"NVA-410", "CordaLink 2", -1, 5},  {"NVA-410", "NVALink 2", -1, 5},
        {"NVA-410", "Dante 2", -1, 6},      {"NVA-410", "USB 1", -1, 1},
        {"NVA-410B", "Input 5", -1, 3},     {"NVA-410BE", "Output 5", -1, 4},
        {"NVA-2350", "Input 4", -1, 1},     {"NVA-2350", "Input 8", -1, 3},
        {"NVA-2350", "Input 9", -1, 4},     {"NVA-2350", "Output 3", -1, 2},
        {"NVA-2350", "Output 5", -1, 5},    {"NVA-2350BE", "NVALink 1", -1, 5},
        {"NVA-2350B", "Dante 1", -1, 6},    {"NVA-5230", "Input 2", -1, 1},
        {"NVA-5230", "Input 5", -1, 5},     {"NVA-5230", "Output 1", -1, 2},
        {"NVA-5230", "Output 6", -1, 3},    {"NVA-5230", "Output 12", -1, 4},
        {"NVA-5230", "CordaLink 1", -1, 5}, {"NVA-5230", "Dante 3", -1, 3},
        {"NVA-2710", "Input 3", -1, 1},     {"NVA-2710", "Input 6", -1, 2},
        {"NVA-2710", "Input 11", -1, 3},    {"NVA-2710", "Input 16", -1, 4},
        {"NVA-2710", "Input 17", -1, 17},   {"NVA-2710", "Output 1", -1, 1},
        {"NVA-2710", "NVALink 7", -1, 5},   {"LX-550D", "Input 2", -1, 3},
        {"LX-550D", "Input 5", -1, 5},      {"LX-550D", "Output 3", -1, 1},
        {"LX-550D", "CordaLink 1", -1, 6},  {"LX-550D", "Dante 1", -1, 7},
        {"LX-550D", "VoIP 1", -1, 9},       {"LX-550D", "USB 1", -1, 10},
        {"LX-550D", "PSTN 1", -1, 11},      {"LX-23BKD", "Dante 12", -1, 7},
        {"LX-23BKD", "Input 2", -1, 2},     {"LZ9610T", "Analog In 3", 2, 1},
        {"LZ9610T", "Analog In 8", 7, 1},   {"LZ9610T", "Analog In 9", 8, 9},
        {"LZ9610T", "Analog In 3", -1, 0},  {"LZ9610T", "Output 2", -1, 2},
        {"LZ9610T", "Output 9", -1, 9},     {"LZ5360T", "Out 1", 0, 2},
        {"TQ515E", "Digital In 1", 3, 1},   {"TQY2315E", "Output 4", 3, 2},
        {"TQ515E", "Gain 3", 5, 3},         {"LX-2390 on LZ", "Output 1", 5, 1},
        {"NVA-640", "Input 5", -1, 5},      {"NVA-410", "Input", -1, -1},
        {"NVA-410", "Input x", -1, 0},      {"NVA-410", "Input  6", -1, 3},
        {"nva-410", "Input 5", -1, 5},
    };
    for (const Row &row : rows) {
        QTest::addRow("%s %s port %d", row.model, row.title, row.portIndex)
            << row.model << row.title << row.portIndex << row.slot;
    }
}

void TestHAudioIO::ioSlot()
{
    QFETCH(QString, model);
    QFETCH(QString, title);
    QFETCH(int, portIndex);
    QFETCH(int, slot);
    HRoot root;
    HChassis *chassis = chassisOf(root, QStringLiteral("NVA"), model);
    auto *channel = new HAudioIO(QStringLiteral("card"), HAudioIO::Input);
    channel->setTitle(title);
    channel->setPortIndex(portIndex);
    chassis->addNode(channel);
    QCOMPARE(channel->ioSlot(), slot);

    HAudioIO orphan(QStringLiteral("card"), HAudioIO::Input);
    orphan.setTitle(title);
    QCOMPARE(orphan.ioSlot(), -1);
}

void TestHAudioIO::ioSlotOfLinkAndDanteChannels()
{
    HRoot root;
    HChassis *chassis = chassisOf(root, QStringLiteral("NVA"), QStringLiteral("NVA-2350"));
    auto *link = new HNVALink;
    link->setTitle(QStringLiteral("NVALink 1"));
    chassis->addNode(link);
    auto *dante = new HDante(QString(), HAudioIO::Output);
    dante->setTitle(QStringLiteral("Dante 9"));
    chassis->addNode(dante);
    QCOMPARE(link->ioSlot(), 5);
    QCOMPARE(dante->ioSlot(), 6);
}

void TestHAudioIO::nvaLink()
{
    HNVALink link;
    QCOMPARE(link.direction(), int(HAudioIO::Link));
    QCOMPARE(link.cardType(), QString());
    QCOMPARE(link.category(), QStringLiteral("Digital I/O"));
    QCOMPARE(link.templatePath(), QStringLiteral(":/data//NVALink_0.xml"));

    HRoot root;
    for (const QString platform : {"NVA", "LZ"}) {
        HChassis *chassis = chassisOf(root, platform);
        auto *child = new HNVALink;
        chassis->addNode(child);
        QCOMPARE(child->templatePath(), QStringLiteral(":/data/%1/NVALink_0.xml").arg(platform));
        QCOMPARE(child->category(), QStringLiteral("Digital I/O"));
    }
}

void TestHAudioIO::nvaLinkChannels()
{
    HNVALink link;
    link.setLabel(QStringLiteral("Link"));
    link.setChannelNames({"A", "B", "A"});
    QCOMPARE(link.channelLabel(0), QStringLiteral("Link-A"));
    QCOMPARE(link.channelLabel(1), QStringLiteral("Link-B"));
    QCOMPARE(link.channelLabel(3), QString());
    QCOMPARE(link.channelLabel(-1), QString());
    QCOMPARE(link.channelIndex(QStringLiteral("A")), 0);
    QCOMPARE(link.channelIndex(QStringLiteral("B")), 1);
    QCOMPARE(link.channelIndex(QStringLiteral("b")), -1);
    QCOMPARE(link.channelIndex(QStringLiteral("C")), -1);
}

void TestHAudioIO::danteProperties()
{
    HDante dante(QStringLiteral("Dante 64In64Out"), HAudioIO::Output);
    QCOMPARE(dante.direction(), int(HAudioIO::Output));
    QCOMPARE(dante.category(), QStringLiteral("Dante I/O"));
    const QList<QPair<QString, QString>> properties = {
        {"label", "Stage box"}, {"label1", "Mic 1"},        {"labelB", "Mic 2"},
        {"cardPin0", "17"},     {"cardPinX", "abc"},        {"cardPin2", "3"},
        {"title", "Dante Tx"},  {"inputLabel1", "Lectern"}, {"Label2", "ignored"}};
    for (const auto &property : properties)
        dante.parseProperty(designerProperty(property.first, property.second));
    QCOMPARE(dante.label(), QStringLiteral("Stage box"));
    QCOMPARE(dante.channelLabels(), QStringList({"Mic 1", "Mic 2"}));
    QCOMPARE(dante.cardPins(), QList<int>({17, 0, 3}));
    QCOMPARE(dante.title(), QStringLiteral("Dante Tx"));
    QCOMPARE(dante.inputLabels(), QStringList({"Lectern"}));
}

void TestHAudioIO::danteTemplateIsFixed()
{
    HRoot root;
    HChassis *chassis = chassisOf(root, QStringLiteral("LZ"));
    // Even a card type that the dictionary knows does not lead there.
    auto *dante = new HDante(QStringLiteral("4x4 Mic/Line"), HAudioIO::Input);
    chassis->addNode(dante);
    QCOMPARE(dante->templatePath(), QStringLiteral(":/data/LZ/Dante_0.xml"));
    QCOMPARE(dante->category(), QStringLiteral("Dante I/O"));
}

void TestHAudioIO::echoCanceller()
{
    HRoot root;
    HChassis *chassis = chassisOf(root, QStringLiteral("NVA"));
    auto *echo = new HEchoCanel;
    echo->setTitle(QStringLiteral("AEC"));
    chassis->addNode(echo);
    echo->setProtocol(nullptr);
    QVERIFY(echo->completeSetup());
    QCOMPARE(echo->protocol(), chassis->protocol());
    QCOMPARE(echo->typenum(), QStringLiteral("0"));
    QCOMPARE(echo->title(), QStringLiteral("EchoCancel"));
    QCOMPARE(echo->category(), QStringLiteral("Echo Cancellation"));
    QCOMPARE(echo->templatePath(), QStringLiteral(":/data/NVA/EchoCancel_0.xml"));
}

QTEST_GUILESS_MAIN(TestHAudioIO)
#include "tst_haudioio.moc"
